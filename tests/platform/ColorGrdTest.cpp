#include "platform/ColorGrd.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorGrdTest, ClickingASquareChoosesItsColourBeforeOnClick) {
    TForm form(nullptr);
    auto* grid = new TColorGrid(&form);
    grid->SetParent(&form);
    grid->SetGridOrdering(go16x1);
    grid->SetBounds(0, 0, 160, 10);
    int clickedIndex = -1;
    grid->OnClick = [&](TObject*) { clickedIndex = grid->ForegroundIndex(); };

    TestHooks::ClickMouse(*grid, 125, 5); // the 13th square of 16 in a row
    EXPECT_EQ(clickedIndex, 12);
    EXPECT_EQ(grid->ForegroundColor(), clBlue);

    struct Case {
        int Index;
        TColor Colour;
    };
    const Case palette[] = {{0, clBlack}, {7, clSilver}, {8, clGray}, {15, clWhite}, {16, clBlack}};
    for (const Case& c : palette)
        EXPECT_EQ(TColorGrid::PaletteColor(c.Index), c.Colour) << c.Index;
}

} // namespace
