#include "AlignGridFixture.h"

#include "platform/Win32Draw.h"

#include <functional>
#include <memory>

namespace {

using AlignGridTest = AlignGridTestBase;

TEST_F(AlignGridTest, AlignmentComesFromCellColumnRowThenTheGrid) {
    using A = TMyAlign;
    struct Case {
        const char* What;
        std::function<void(TStringAlignGrid&)> Set;
        int Col, Row;
        TMyAlign Expected;
    } cases[] = {
        {"nothing set", [](auto&) {}, 2, 2, A::alLeft},
        {"grid default", [](auto& g) { g.SetAlignment(A::alRight); }, 2, 2, A::alRight},
        {"grid alDefault counts as left", [](auto& g) { g.SetAlignment(A::alDefault); }, 2, 2,
         A::alLeft},
        {"row", [](auto& g) { g.SetAlignRow(2, A::alCenter); }, 2, 2, A::alCenter},
        {"column before row",
         [](auto& g) {
             g.SetAlignRow(2, A::alCenter);
             g.SetAlignCol(2, A::alRight);
         },
         2, 2, A::alRight},
        {"cell before column",
         [](auto& g) {
             g.SetAlignCol(2, A::alRight);
             g.SetAlignCell(2, 2, A::alCenter);
         },
         2, 2, A::alCenter},
        {"a cell record without alignment falls through",
         [](auto& g) {
             g.SetAlignCol(2, A::alRight);
             g.SetEditCell(2, 2, false);
         },
         2, 2, A::alRight},
        {"a fixed cell ignores the ordinary column", [](auto& g) { g.SetAlignCol(2, A::alRight); },
         2, 0, A::alLeft},
        {"a fixed cell takes the fixed column",
         [](auto& g) {
             g.SetAlignCol(2, A::alRight);
             g.SetFixedAlignCol(2, A::alCenter);
         },
         2, 0, A::alCenter},
        {"the fixed column's record is for fixed cells only",
         [](auto& g) { g.SetFixedAlignCol(2, A::alCenter); }, 2, 2, A::alLeft},
        {"fixed row", [](auto& g) { g.SetFixedAlignRow(0, A::alRight); }, 3, 0, A::alRight},
    };
    for (const Case& c : cases) {
        auto* grid = new TStringAlignGrid(Form);
        c.Set(*grid);
        EXPECT_EQ(grid->AlignCell(c.Col, c.Row), c.Expected) << c.What;
        grid->Free();
    }
}

TEST_F(AlignGridTest, AlignRowTellsWhatTheRowRecordHolds) {
    Grid->SetAlignment(TMyAlign::alRight);
    EXPECT_EQ(Grid->AlignRow(3), TMyAlign::alRight) << "no record: the grid's alignment";
    Grid->SetEditRow(3, false);
    EXPECT_EQ(Grid->AlignRow(3), TMyAlign::alDefault) << "a record that leaves it unset";
}

TEST_F(AlignGridTest, ColourEditabilityAndWrapFollowTheSameChain) {
    Grid->BrushRow(2).SetColor(clYellow);
    EXPECT_EQ(Grid->ColorCell(3, 2), clYellow);
    Grid->BrushCol(3).SetColor(clLime);
    EXPECT_EQ(Grid->ColorCell(3, 2), clLime);
    Grid->SetColorCell(3, 2, clRed);
    EXPECT_EQ(Grid->ColorCell(3, 2), clRed);
    EXPECT_EQ(Grid->ColorCell(3, 0), clBtnFace) << "a fixed cell: the fixed brush";
    Grid->SetFixedColor(clGray);
    EXPECT_EQ(Grid->ColorCell(3, 0), clGray);

    Grid->SetEditCol(1, false);
    Grid->SetEditCell(1, 3, true);
    EXPECT_FALSE(Grid->EditCell(1, 2));
    EXPECT_TRUE(Grid->EditCell(1, 3));
    EXPECT_TRUE(Grid->EditCell(2, 2));
    Grid->SetEditable(false);
    EXPECT_FALSE(Grid->EditCell(2, 2));

    EXPECT_EQ(Grid->WordwrapCell(2, 2), ww_none);
    Grid->SetWordwrap(ww_ellipsis);
    EXPECT_EQ(Grid->WordwrapCell(2, 2), ww_ellipsis);
}

TEST_F(AlignGridTest, SelectedColoursLookAtTheOrdinaryListsOnly) {
    EXPECT_EQ(Grid->SelectedColorCell(2, 2), clActiveCaption);
    EXPECT_EQ(Grid->SelectedFontColorCell(2, 2), clWhite);
    Grid->SetSelectedColorRow(2, clBlue);
    EXPECT_EQ(Grid->SelectedColorCell(2, 2), clBlue);
    Grid->SetSelectedColorCol(2, clGreen);
    EXPECT_EQ(Grid->SelectedColorCell(2, 2), clGreen);
    Grid->SetSelectedColorCell(2, 2, clMaroon);
    EXPECT_EQ(Grid->SelectedColorCell(2, 2), clMaroon);
    Grid->FontFixedRow(2);
    Grid->BrushFixedCol(3).SetColor(clRed);
    EXPECT_EQ(Grid->SelectedColorCell(3, 3), clActiveCaption);
}

TEST_F(AlignGridTest, IndexesOutsideTheStreamsRangeMakeNoRecord) {
    Grid->SetAlignCell(-1, 2, TMyAlign::alRight);
    Grid->SetAlignCol(70000, TMyAlign::alRight);
    Grid->FontCol(-3).SetColor(clRed);
    EXPECT_EQ(Grid->AlignCell(-1, 2), TMyAlign::alLeft);
    EXPECT_EQ(Grid->AlignCell(70000, 2), TMyAlign::alLeft);
}

TEST_F(AlignGridTest, AHintSetToEmptyTextRemovesIt) {
    Grid->SetHintCell(2, 3, "valign=top");
    EXPECT_EQ(Grid->HintCell(2, 3), "valign=top");
    EXPECT_EQ(Grid->HintCell(3, 2), "");
    Grid->SetHintCell(2, 3, "");
    EXPECT_EQ(Grid->HintCell(2, 3), "");
}

// ---- Drawing, seen in a picture of the grid

class AlignGridDrawingTest : public AlignGridTestBase {
protected:
    std::unique_ptr<TBitmap> Picture() {
        auto picture = std::make_unique<TBitmap>();
        picture->SetSize(Grid->Width(), Grid->Height());
        PaintTo(*Grid, picture->Canvas(), 0, 0);
        return picture;
    }
    // The leftmost and rightmost columns of the cell where something other than its background
    // shows: its text.
    std::pair<int, int> TextSpan(TBitmap& picture, int col, int row, TColor background = clWindow) {
        TRect rect = Grid->CellRect(col, row);
        int first = -1;
        int last = -1;
        for (int x = rect.Left; x < rect.Right; ++x)
            for (int y = rect.Top; y < rect.Bottom; ++y)
                if (picture.PixelAt(x, y) != ColorToRGB(background)) {
                    if (first < 0)
                        first = x - rect.Left;
                    last = x - rect.Left;
                }
        return {first, last};
    }
    TColor Middle(TBitmap& picture, int col, int row) {
        TRect rect = Grid->CellRect(col, row);
        return picture.PixelAt(rect.Left + 1, rect.Bottom - 2);
    }
};

TEST_F(AlignGridDrawingTest, CellsAreFilledAndTheirTextPlacedAsTheirRecordsSay) {
    Grid->SetColWidths(2, 120);
    Grid->SetCells(2, 2, "WW");
    Grid->SetCells(2, 3, "WW");
    Grid->SetCells(2, 4, "WW");
    Grid->SetAlignCell(2, 3, TMyAlign::alRight);
    Grid->SetAlignCell(2, 4, TMyAlign::alCenter);
    Grid->SetColorCell(3, 3, clYellow);
    Grid->SetFixedColor(clGray);
    auto picture = Picture();
    EXPECT_EQ(Middle(*picture, 3, 3), ColorToRGB(clYellow));
    EXPECT_EQ(Middle(*picture, 3, 0), ColorToRGB(clGray));
    EXPECT_EQ(Middle(*picture, 3, 2), ColorToRGB(clWindow));
    auto [leftFirst, leftLast] = TextSpan(*picture, 2, 2);
    auto [rightFirst, rightLast] = TextSpan(*picture, 2, 3);
    auto [centreFirst, centreLast] = TextSpan(*picture, 2, 4);
    ASSERT_GE(leftFirst, 0);
    EXPECT_LE(leftFirst, 4) << "left text starts 2 pixels in";
    EXPECT_GE(rightLast, 120 - 5) << "right text ends 2 pixels before the edge";
    EXPECT_GT(centreFirst, 40);
    EXPECT_LT(centreLast, 80);
}

TEST_F(AlignGridDrawingTest, SelectedCellsTakeTheSelectedColoursExceptTheFocusedOne) {
    Grid->SetOptions(Grid->Options() | TGridOptions{goRangeSelect});
    Grid->SetSelection(TGridRect{1, 1, 2, 1});
    Grid->SetSelectedColorCol(2, clGreen);
    auto picture = Picture();
    EXPECT_EQ(Middle(*picture, 2, 1), ColorToRGB(clGreen));
    EXPECT_EQ(Middle(*picture, 1, 1), ColorToRGB(clWindow)) << "focused: not drawn selected";
    Grid->SetDrawSelection(false);
    picture = Picture();
    EXPECT_EQ(Middle(*picture, 2, 1), ColorToRGB(clWindow));
}

TEST_F(AlignGridDrawingTest, AnEllipsisCellKeepsItsTextInsideTheCell) {
    Grid->SetCells(2, 2, "a long text that cannot fit in the cell");
    Grid->SetCells(3, 2, "");
    Grid->SetWordwrap(ww_ellipsis);
    auto picture = Picture();
    EXPECT_EQ(TextSpan(*picture, 3, 2).first, -1) << "nothing spills over";
    EXPECT_GE(TextSpan(*picture, 2, 2).first, 0);
}

TEST_F(AlignGridDrawingTest, TheEditorShowsItsCellsTextAlignedAsTheCell) {
    Grid->SetOptions(Grid->Options() | TGridOptions{goEditing});
    Grid->SetColWidths(1, 150);
    Grid->SetColWidths(2, 150);
    Grid->SetAlignCol(2, TMyAlign::alRight);
    auto span = [this](int col) {
        Grid->FocusCell(col, 1);
        Grid->SetEditorMode(true);
        Application->ProcessMessages();
        EXPECT_TRUE(Grid->InplaceEditor()->Visible());
        auto picture = Picture();
        return TextSpan(*picture, col, 1);
    };
    auto left = span(1);
    auto right = span(2);
    ASSERT_GE(left.first, 0);
    ASSERT_GE(right.first, 0);
    EXPECT_LT(left.second, 75) << "a left-aligned cell's text starts at the left";
    EXPECT_GT(right.first, 75) << "the editor of a right-aligned cell puts its text on the right";
}

} // namespace
