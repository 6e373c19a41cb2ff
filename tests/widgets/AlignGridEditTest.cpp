#include "AlignGridFixture.h"

#include <vector>

namespace {

// An editing grid whose edit events are noted in order.
class AlignGridEditTest : public AlignGridTestBase {
protected:
    void SetUp() override {
        AlignGridTestBase::SetUp();
        Grid->SetOptions(Grid->Options() | TGridOptions{goEditing});
        auto note = [this](const char* what) {
            return [this, what](TObject*, int col, int row) {
                Log.push_back(String(what) + " " + Cell(col, row));
            };
        };
        Grid->OnBeforeEdit = note("before");
        Grid->OnAfterEdit = note("after");
        Grid->OnCancelEdit = note("cancel");
        Grid->OnValidateEdit = [this](TObject*, int col, int row, bool& result) {
            Log.push_back("validate " + Cell(col, row));
            result = Accept;
        };
    }
    void Type(const String& text) {
        TestHooks::TypeText(*Grid, text);
        Application->ProcessMessages();
    }
    void Press(WORD key, TShiftState shift = {}) {
        TestHooks::PressKey(*Grid, key, shift);
        Application->ProcessMessages();
    }
    TGridCoord Current() const { return TGridCoord{Grid->Col(), Grid->Row()}; }
    std::vector<String> Log;
    bool Accept = true;
};

TEST_F(AlignGridEditTest, AnEditBeginsIsValidatedAndEndsWithEnter) {
    Type("ab");
    ASSERT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "ab");
    Press(VK_RETURN);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Log, (std::vector<String>{"before 1,1", "validate 1,1", "after 1,1"}));
}

TEST_F(AlignGridEditTest, EscPutsTheStartingTextBackAndCancelsWithoutValidating) {
    Type("zz");
    Press(VK_ESCAPE);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "1,1");
    EXPECT_EQ(Log, (std::vector<String>{"before 1,1", "cancel 1,1"}));
}

TEST_F(AlignGridEditTest, ARefusedEditKeepsTheEditorOnItsCellAndTheFocusInTheGrid) {
    Accept = false;
    Type("bad");
    Press(VK_RETURN);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    Other->SetFocus();
    Application->ProcessMessages();
    EXPECT_FALSE(Other->Focused());
    EXPECT_TRUE(Grid->InplaceEditor()->Focused());
    Accept = true;
    Other->SetFocus();
    Application->ProcessMessages();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Log.back(), "after 1,1");
}

TEST_F(AlignGridEditTest, EnterMovesTheEditorOnToTheNextEditableCell) {
    Grid->SetAutoEditNextCell(true);
    Grid->SetEditCol(2, false);
    Type("a");
    Press(VK_RETURN);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Current(), (TGridCoord{3, 1})) << "column 2 cannot be edited";
    EXPECT_EQ(Log.back(), "before 3,1");
}

TEST_F(AlignGridEditTest, EnterInTheLastCellAddsARowAndEditsItsFirstCell) {
    Grid->SetAutoEditNextCell(true);
    Grid->FocusCell(4, 4);
    Type("a");
    Press(VK_RETURN);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Current(), (TGridCoord{1, 5}));
    EXPECT_TRUE(Grid->EditorMode());
}

TEST_F(AlignGridEditTest, AMultilineEditorKeepsEnterAndArrowsForItsLines) {
    Grid->SetEditMultiline(true);
    Type("ab");
    Press(VK_RETURN);
    Type("c");
    ASSERT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "ab\r\nc");
    EXPECT_EQ(Grid->InplaceEditor()->SelStart(), 5) << "the caret counts the line end as two bytes";
    Press(VK_UP);
    Press(VK_END);
    Type("!");
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(Grid->Cells(1, 1), "ab!\r\nc");
    Grid->InplaceEditor()->SetSelStart(3);
    Grid->InplaceEditor()->SetSelLength(3);
    EXPECT_EQ(Grid->InplaceEditor()->SelText(), "\r\nc");
    EXPECT_EQ(Log, (std::vector<String>{"before 1,1"})) << "Enter did not end the edit";
}

TEST_F(AlignGridEditTest, ACellThatCannotBeEditedTakesNoTyping) {
    Grid->SetEditCell(1, 1, false);
    Type("q");
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "1,1");
}

// Tab walks of the 4 x 4 scrollable cells (columns and rows 1 to 4).
TEST_F(AlignGridEditTest, TabWalksInItsDirectionAndDoesWhatItsRuleSaysPastTheEnd) {
    struct Case {
        T_nextcell Direction;
        T_lastcell AfterLast;
        TGridCoord Start;
        bool Back;
        TGridCoord Expected;
        int RowCount, ColCount;
    } cases[] = {
        {nc_rightdown, lc_first, {2, 2}, false, {3, 2}, 5, 5},
        {nc_rightdown, lc_first, {4, 2}, false, {1, 3}, 5, 5},
        {nc_rightdown, lc_first, {4, 4}, false, {1, 1}, 5, 5},
        {nc_rightdown, lc_stop, {4, 4}, false, {4, 4}, 5, 5},
        {nc_rightdown, lc_newcolrow, {4, 4}, false, {1, 5}, 6, 5},
        {nc_rightdown, lc_first, {1, 1}, true, {4, 4}, 5, 5},
        {nc_downright, lc_first, {2, 4}, false, {3, 1}, 5, 5},
        {nc_downright, lc_newcolrow, {4, 4}, false, {5, 1}, 5, 6},
        {nc_leftdown, lc_first, {1, 2}, false, {4, 3}, 5, 5},
        {nc_downleft, lc_newcolrow, {1, 4}, false, {1, 1}, 5, 6},
        {nc_leftup, lc_first, {1, 1}, false, {4, 4}, 5, 5},
        {nc_upleft, lc_first, {3, 1}, false, {2, 4}, 5, 5},
        {nc_rightup, lc_newcolrow, {4, 1}, false, {1, 1}, 6, 5},
        {nc_upright, lc_first, {4, 1}, false, {1, 4}, 5, 5},
    };
    for (const Case& c : cases) {
        Grid->SetRowCount(5);
        Grid->SetColCount(5);
        Grid->SetNextCellTab(c.Direction);
        Grid->SetAfterLastCellTab(c.AfterLast);
        Grid->FocusCell(c.Start.X, c.Start.Y);
        Press(VK_TAB, c.Back ? TShiftState{ssShift} : TShiftState{});
        EXPECT_EQ(Current(), c.Expected) << int(c.Direction) << "/" << int(c.AfterLast) << " from "
                                         << c.Start.X << "," << c.Start.Y;
        EXPECT_EQ(Grid->RowCount(), c.RowCount) << int(c.Direction);
        EXPECT_EQ(Grid->ColCount(), c.ColCount) << int(c.Direction);
    }
}

TEST_F(AlignGridEditTest, TabSkipsColumnsWithoutATabStop) {
    Grid->SetTabStops(2, false);
    Grid->SetTabStops(3, false);
    Press(VK_TAB);
    EXPECT_EQ(Current(), (TGridCoord{4, 1}));
    Grid->SetTabStops(1, false);
    Grid->SetTabStops(4, false);
    Grid->SetAfterLastCellTab(lc_newcolrow);
    Press(VK_TAB);
    EXPECT_EQ(Current(), (TGridCoord{4, 1})) << "no tab stop anywhere: the walk stays";
    EXPECT_EQ(Grid->RowCount(), 5);
}

TEST_F(AlignGridEditTest, ClicksOnFixedCellsNameTheirRowOrColumn) {
    std::vector<String> clicks;
    Grid->OnFixedColClick = [&](TObject*, int col) { clicks.push_back("col " + IntToStr(col)); };
    Grid->OnFixedRowClick = [&](TObject*, int row) { clicks.push_back("row " + IntToStr(row)); };
    auto click = [&](int col, int row) {
        TRect rect = Grid->CellRect(col, row);
        TestHooks::ClickMouse(*Grid, rect.Left + 2, rect.Top + 2);
    };
    click(0, 3);
    click(2, 0);
    click(0, 0);
    click(2, 2);
    EXPECT_EQ(clicks, (std::vector<String>{"row 3", "col 2"}));
}

TEST_F(AlignGridEditTest, ACellsHintShowsBelowTheCellUnderTheMouse) {
    Grid->SetShowHint(true);
    Grid->SetHintCell(2, 3, "valign=top");
    TRect rect = Grid->CellRect(2, 3);
    String hint;
    bool canShow = true;
    THintInfo info;
    info.HintControl = Grid;
    info.CursorPos = Point(rect.Left + 3, rect.Top + 3);
    Application->OnShowHint(hint, canShow, info);
    EXPECT_EQ(hint, "valign=top");
    EXPECT_EQ(info.HintPos, Grid->ClientToScreen(Point(rect.Left, rect.Bottom + 6)));
    Grid->SetShowCellHints(false);
    hint = "own";
    Application->OnShowHint(hint, canShow, info);
    EXPECT_EQ(hint, "own");
}

TEST_F(AlignGridEditTest, DraggingTheThumbScrollsAtOnceOnlyWhenAsked) {
    Grid->SetRowCount(40);
    Grid->Perform(WM_VSCROLL, MAKELONG(SB_THUMBTRACK, 10), 0);
    EXPECT_EQ(Grid->TopRow(), 1);
    Grid->SetRedrawWhileScroll(true);
    Grid->Perform(WM_VSCROLL, MAKELONG(SB_THUMBTRACK, 10), 0);
    EXPECT_EQ(Grid->TopRow(), 11);
}

TEST_F(AlignGridEditTest, TheLastColumnFillsTheClientWidth) {
    Grid->SetOptions(TGridOptions{goFixedHorzLine, goHorzLine});
    Grid->SetAutoAdjustLastCol(true);
    EXPECT_EQ(Grid->ColWidths(4), Grid->ClientWidth() - 4 * 64);
    Grid->SetOptions(Grid->Options() | TGridOptions{goVertLine});
    Grid->AdjustLastCol();
    EXPECT_EQ(Grid->ColWidths(4), Grid->ClientWidth() - 4 * 64 - 5 * 1);
    Grid->SetWidth(Grid->Width() + 40);
    EXPECT_EQ(Grid->ColWidths(4), Grid->ClientWidth() - 4 * 64 - 5 * 1) << "after a resize";
}

} // namespace
