// The 16-colour picker: which square a click chooses in each layout, the palette's order, and
// which changes raise OnChange.

#include "platform/ColorGrd.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

TEST(ColorGrid, ClicksChooseSquaresAndOnlyClicksThatChangeRaiseOnChange) {
    TForm form(nullptr);
    auto* grid = NewControl<TColorGrid>(&form, &form, "ColorGrid1", 0, 0, 80, 80);
    int changes = 0;
    grid->OnChange = [&](TObject*) { ++changes; };
    grid->SetForegroundIndex(-1);
    grid->SetBackgroundIndex(-1);
    EXPECT_EQ(changes, 0);

    TestHooks::ClickMouse(*grid, 30, 50); // row 2, column 1
    EXPECT_EQ(grid->ForegroundIndex(), 9);
    EXPECT_EQ(TColorGrid::PaletteColor(9), clRed);
    TestHooks::ClickMouse(*grid, 30, 50);
    EXPECT_EQ(changes, 1);

    grid->SetBackgroundEnabled(false);
    TestHooks::ClickMouse(*grid, 75, 75, mbRight);
    EXPECT_EQ(grid->BackgroundIndex(), -1);
    grid->SetBackgroundEnabled(true);
    TestHooks::ClickMouse(*grid, 75, 75, mbRight);
    EXPECT_EQ(grid->BackgroundIndex(), 15);
    EXPECT_EQ(changes, 2);

    const TColor order[] = {clBlack, clMaroon,  clGreen, clOlive, clNavy, clPurple,
                            clTeal,  clSilver,  clGray,  clRed,   clLime, clYellow,
                            clBlue,  clFuchsia, clAqua,  clWhite};
    for (int i = 0; i < TColorGrid::ColorCount; ++i)
        EXPECT_EQ(TColorGrid::PaletteColor(i), order[i]) << i;
}

TEST(ColorGrid, ASquareOfARowIsChosenBeforeOnClick) {
    TForm form(nullptr);
    auto* grid = NewControl<TColorGrid>(&form, &form, "ColorGrid1", 0, 0, 160, 10);
    grid->SetGridOrdering(go16x1);
    int clickedIndex = -1;
    grid->OnClick = [&](TObject*) { clickedIndex = grid->ForegroundIndex(); };

    TestHooks::ClickMouse(*grid, 125, 5); // the 13th square of 16 in a row
    EXPECT_EQ(clickedIndex, 12);
    EXPECT_EQ(grid->ForegroundColor(), clBlue);
    EXPECT_EQ(TColorGrid::PaletteColor(16), clBlack);
}
