#include "platform/Grids.h"

#include "platform/Forms.h"
#include "platform/TestHooks.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

namespace {

class GridsTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 500, 300);
        Grid = NewControl<TStringGrid>(Form, Form, "Grid", 0, 0, 400, 200);
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 4; ++row)
                Grid->SetCells(col, row, IntToStr(col) + "," + IntToStr(row));
        Form->Show();
        Grid->SetFocus();
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
    }
    TForm* Form;
    TStringGrid* Grid;
};

TEST_F(GridsTest, MovingALineCarriesItsTextsAndSize) {
    Grid->SetRowHeights(1, 40);
    Grid->MoveRow(1, 3);
    EXPECT_EQ(Grid->Cells(2, 3), "2,1");
    EXPECT_EQ(Grid->Cells(2, 1), "2,2");
    EXPECT_EQ(Grid->RowHeights(3), 40);
    Grid->MoveColumn(3, 0);
    EXPECT_EQ(Grid->Cells(0, 0), "3,0");
    EXPECT_EQ(Grid->Cells(1, 0), "0,0");
}

TEST_F(GridsTest, ShrinkingDropsCellsAndGrowingGivesEmptyOnes) {
    Grid->SetRowCount(2);
    EXPECT_EQ(Grid->Cells(1, 3), "");
    Grid->SetRowCount(4);
    EXPECT_EQ(Grid->Cells(1, 3), "");
    EXPECT_EQ(Grid->Cells(1, 1), "1,1");
}

TEST_F(GridsTest, ARowAssignedAsAListChangesTheGrid) {
    TStringList list;
    list.SetText("a\r\nb\r\n");
    Grid->Rows(2).Assign(list);
    EXPECT_EQ(Grid->Cells(0, 2), "a");
    EXPECT_EQ(Grid->Cells(1, 2), "b");
    EXPECT_EQ(Grid->Cells(2, 2), "");
    EXPECT_EQ(Grid->Cols(1).Get(3), "1,3");
}

TEST_F(GridsTest, ArrowKeysMoveTheCurrentCellWithinTheScrollableCells) {
    TestHooks::PressKey(*Grid, VK_DOWN);
    TestHooks::PressKey(*Grid, VK_RIGHT);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 2);
    TestHooks::PressKey(*Grid, VK_UP);
    TestHooks::PressKey(*Grid, VK_UP);
    EXPECT_EQ(Grid->Row(), 1) << "the fixed row is not a place for the current cell";
}

TEST_F(GridsTest, TypingIntoAnEditingGridWritesTheCurrentCell) {
    Grid->SetOptions(Grid->Options() | TGridOptions{goEditing});
    TestHooks::TypeText(*Grid, "xy");
    ASSERT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "xy");
    TestHooks::PressKey(*Grid->InplaceEditor(), VK_RETURN);
    EXPECT_FALSE(Grid->EditorMode());
    TestHooks::PressKey(*Grid, VK_DOWN);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(GridsTest, MouseAndCellRectAgreeAndFixedLinesStayInView) {
    TRect rect = Grid->CellRect(2, 1);
    EXPECT_EQ(Grid->MouseCoord(rect.Left + 1, rect.Top + 1), (TGridCoord{2, 1}));
    Grid->SetTopRow(3);
    EXPECT_EQ(Grid->CellRect(2, 2), TRect{}) << "scrolled out of view";
    EXPECT_EQ(Grid->CellRect(2, 0).Top, 0);
    EXPECT_EQ(Grid->MouseCoord(rect.Left + 1, rect.Top + 1), (TGridCoord{2, 3}));
}

} // namespace

TEST_F(GridsTest, HeadingEdgesSizeTheirLinesOnlyWhenTheOptionsAllow) {
    TRect cell = Grid->CellRect(1, 0);
    TestHooks::DragMouse(*Grid, cell.Right, cell.Top + 5, cell.Right + 30, cell.Top + 5);
    EXPECT_EQ(Grid->ColWidths(1), 64) << "without goColSizing";
    Grid->SetOptions(Grid->Options() | TGridOptions{goColSizing, goRowSizing});
    TestHooks::MoveMouse(*Grid, cell.Right + 1, cell.Top + 5);
    EXPECT_EQ(Grid->Cursor(), crHSplit);
    TestHooks::MoveMouse(*Grid, cell.Left + 20, cell.Top + 5);
    EXPECT_EQ(Grid->Cursor(), crDefault);
    TestHooks::DragMouse(*Grid, cell.Right, cell.Top + 5, cell.Right + 30, cell.Top + 5);
    EXPECT_EQ(Grid->ColWidths(1), 94);
    TRect row = Grid->CellRect(0, 2);
    TestHooks::DragMouse(*Grid, row.Left + 5, row.Bottom - 1, row.Left + 5, row.Bottom - 11);
    EXPECT_EQ(Grid->RowHeights(2), 13);
    EXPECT_EQ(Grid->ColWidths(2), 64);
    EXPECT_EQ(Grid->Cells(1, 1), "1,1") << "sizing moves nothing";
}

TEST_F(GridsTest, AHeadingDraggedOntoAnotherMovesItsLine) {
    Grid->SetOptions(Grid->Options() | TGridOptions{goColMoving, goRowMoving});
    TRect from = Grid->CellRect(1, 0);
    TRect to = Grid->CellRect(3, 0);
    TestHooks::DragMouse(*Grid, from.Left + 10, from.Top + 5, to.Left + 10, to.Top + 5);
    EXPECT_EQ(Grid->Cells(1, 1), "2,1");
    EXPECT_EQ(Grid->Cells(3, 1), "1,1");
    TRect row = Grid->CellRect(0, 3);
    TRect top = Grid->CellRect(0, 1);
    TestHooks::DragMouse(*Grid, row.Left + 5, row.Top + 5, top.Left + 5, top.Top + 5);
    EXPECT_EQ(Grid->Cells(0, 1), "0,3");
    EXPECT_EQ(Grid->Cells(0, 2), "0,1");
}

TEST_F(GridsTest, DraggingOverCellsSelectsABlockFromThePressedCell) {
    TRect from = Grid->CellRect(1, 1);
    TRect to = Grid->CellRect(3, 2);
    TestHooks::DragMouse(*Grid, from.Left + 5, from.Top + 5, to.Left + 5, to.Top + 5);
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 3, 2}));
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridsTest, ScrollBarsTakeRoomOnlyWhileTheLinesDoNotFit) {
    EXPECT_EQ(Grid->ClientWidth(), Grid->Width()) << "4 x 4 cells fit";
    EXPECT_EQ(Grid->ClientHeight(), Grid->Height());
    Grid->SetRowCount(40);
    EXPECT_LT(Grid->ClientWidth(), Grid->Width()) << "a vertical bar for 40 rows";
    EXPECT_EQ(Grid->ClientHeight(), Grid->Height());
    Grid->SetColWidths(2, 300);
    EXPECT_LT(Grid->ClientHeight(), Grid->Height()) << "and a horizontal one for the wide column";
    Grid->SetScrollBars(ssNone);
    EXPECT_EQ(Grid->ClientWidth(), Grid->Width());
    EXPECT_EQ(Grid->ClientHeight(), Grid->Height());
    Grid->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    TRect last = Grid->CellRect(0, 39);
    EXPECT_FALSE(IsRectEmpty(last));
    EXPECT_LE(last.Bottom, Grid->ClientHeight()) << "the last row ends in view";
    EXPECT_GT(last.Bottom + 25, Grid->ClientHeight()) << "with no room left for another row";
}

TEST_F(GridsTest, NewFixedLinesPutTheViewAndCurrentCellOnTheFirstScrollableCell) {
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    EXPECT_EQ(Grid->TopRow(), 0);
    EXPECT_EQ(Grid->LeftCol(), 0);
    EXPECT_EQ(Grid->Col(), 0);
    EXPECT_EQ(Grid->Row(), 0);
    Grid->SetFixedRows(2);
    EXPECT_EQ(Grid->TopRow(), 2);
    EXPECT_EQ(Grid->Row(), 2);
}
