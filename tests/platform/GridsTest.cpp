#include "platform/Grids.h"

#include "platform/Forms.h"
#include "platform/TestHooks.h"

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
