#include "AlignGridFixture.h"

#include "platform/Clipbrd.h"

#include <vector>

namespace {

// Column 2 and row 3 carry records and a hint, so where they end up shows where their lines went.
class AlignGridLinesTest : public AlignGridTestBase {
protected:
    void SetUp() override {
        AlignGridTestBase::SetUp();
        Grid->SetAlignCol(2, TMyAlign::alRight);
        Grid->SetFixedAlignCol(2, TMyAlign::alCenter);
        Grid->SetAlignRow(3, TMyAlign::alCenter);
        Grid->SetColorCell(2, 3, clYellow);
        Grid->SetHintCell(2, 3, "hint 2,3");
    }
    // Where the marks of column 2 / row 3 are now.
    void ExpectMarksAt(int col, int row) {
        EXPECT_EQ(Grid->AlignCell(col, 1), TMyAlign::alRight);
        EXPECT_EQ(Grid->AlignCell(col, 0), TMyAlign::alCenter) << "the heading's record";
        EXPECT_EQ(Grid->AlignRow(row), TMyAlign::alCenter);
        EXPECT_EQ(Grid->ColorCell(col, row), clYellow);
        EXPECT_EQ(Grid->HintCell(col, row), "hint 2,3");
        EXPECT_EQ(Grid->Cells(col, row), "2,3");
    }
    void ExpectPlainAt(int col, int row) {
        EXPECT_EQ(Grid->AlignCell(col, 1), TMyAlign::alLeft);
        EXPECT_EQ(Grid->HintCell(col, row), "");
        EXPECT_NE(Grid->ColorCell(col, row), clYellow);
    }
};

TEST_F(AlignGridLinesTest, InsertedLinesPushRecordsHintsAndTextsOn) {
    Grid->InsertColumn(1);
    EXPECT_EQ(Grid->ColCount(), 6);
    ExpectMarksAt(3, 3);
    EXPECT_EQ(Grid->Cells(1, 3), "");
    Grid->InsertRow(2);
    EXPECT_EQ(Grid->RowCount(), 6);
    ExpectMarksAt(3, 4);
    ExpectPlainAt(2, 3);
}

TEST_F(AlignGridLinesTest, InsertingBeforeTheFixedLinesInsertsAfterThem) {
    Grid->InsertRow(0);
    EXPECT_EQ(Grid->Cells(1, 0), "1,0");
    EXPECT_EQ(Grid->Cells(1, 1), "");
}

TEST_F(AlignGridLinesTest, MovedAndExchangedLinesTakeTheirRecordsAlong) {
    Grid->MoveColumn(2, 4);
    ExpectMarksAt(4, 3);
    ExpectPlainAt(2, 3);
    EXPECT_EQ(Grid->Cells(2, 1), "3,1");
    Grid->MoveRow(3, 1);
    ExpectMarksAt(4, 1);
    Grid->ExchangeColumns(4, 1);
    ExpectMarksAt(1, 1);
    Grid->ExchangeRows(1, 4);
    ExpectMarksAt(1, 4);
    ExpectPlainAt(4, 1);
}

TEST_F(AlignGridLinesTest, ShrinkingTheGridLeavesNoRecordOutsideIt) {
    Grid->SetRowCount(3);
    Grid->SetColCount(2);
    Grid->SetRowCount(5);
    Grid->SetColCount(5);
    ExpectPlainAt(2, 3);
    EXPECT_EQ(Grid->AlignRow(3), TMyAlign::alLeft);
}

TEST_F(AlignGridLinesTest, SortingRowsByAColumnCarriesTheirRecords) {
    const char* keys[] = {"pear", "apple", "apple", "fig"};
    for (int row = 1; row <= 4; ++row) {
        Grid->SetCells(1, row, keys[row - 1]);
        Grid->SetCells(4, row, IntToStr(row));
    }
    Grid->SortRange(1, 1, 4, true, false);
    std::vector<String> order;
    for (int row = 1; row <= 4; ++row)
        order.push_back(Grid->Cells(1, row) + "/" + Grid->Cells(4, row));
    EXPECT_EQ(order, (std::vector<String>{"apple/2", "apple/3", "fig/4", "pear/1"}))
        << "equal keys keep their order";
    ExpectMarksAt(2, 2);
}

TEST_F(AlignGridLinesTest, SortingDescendingAndByColumns) {
    for (int row = 1; row <= 4; ++row)
        Grid->SetCells(1, row, IntToStr(row));
    Grid->SortRange(1, 1, 4, true, true);
    EXPECT_EQ(Grid->Cells(1, 1), "4");
    EXPECT_EQ(Grid->Cells(1, 4), "1");
    Grid->SetCells(1, 1, "c");
    Grid->SetCells(2, 1, "a");
    Grid->SetCells(3, 1, "b");
    Grid->SortRange(1, 1, 3, false, false);
    EXPECT_EQ(Grid->Cells(1, 1), "a");
    EXPECT_EQ(Grid->Cells(3, 1), "c");
    EXPECT_EQ(Grid->AlignCell(1, 1), TMyAlign::alRight) << "column 2's record went with its key";
    EXPECT_EQ(Grid->AlignCell(2, 1), TMyAlign::alLeft);
}

// ---- Blocks of cells

TEST_F(AlignGridLinesTest, ABlockIsCopiedAsSeparatedTextsAndPastedBackCellForCell) {
    Grid->SetCells(1, 1, "a");
    Grid->SetCells(2, 1, "b");
    Grid->SetCells(1, 2, "c");
    Grid->SetCells(2, 2, "d");
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    Grid->Perform(WM_COPY, 0, 0);
    String block;
    ASSERT_TRUE(GetClipboardData(CF_TEXT, block));
    EXPECT_EQ(block, String("a\tb\t\r\nc\td\t\r\n", 12) + '\0');

    Grid->SetSelection(TGridRect{3, 3, 4, 4});
    Grid->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Grid->Cells(3, 3), "a");
    EXPECT_EQ(Grid->Cells(4, 3), "b");
    EXPECT_EQ(Grid->Cells(3, 4), "c");
    EXPECT_EQ(Grid->Cells(4, 4), "d");
    EXPECT_EQ(Grid->ColCount(), 5) << "the trailing separator makes no fifth cell";
}

TEST_F(AlignGridLinesTest, PastingPastTheEdgesGrowsTheGridLineByLine) {
    TMemoryStream stream;
    String text = "1\t2\t3\t\r\n4\t5\t6\t\r\n";
    stream.Write(text.data(), static_cast<int>(text.size()));
    stream.SetPosition(0);
    Grid->LoadRangeFromStream(stream, '\t', TGridRect{3, 4, -1, -1});
    EXPECT_EQ(Grid->ColCount(), 6);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->Cells(5, 4), "3");
    EXPECT_EQ(Grid->Cells(4, 5), "5");
}

TEST_F(AlignGridLinesTest, CutCopiesThenEmptiesTheSelection) {
    Grid->SetSelection(TGridRect{1, 1, 1, 2});
    TestHooks::PressKey(*Grid, VK_DELETE, TShiftState{ssShift});
    EXPECT_EQ(Grid->Cells(1, 1), "");
    EXPECT_EQ(Grid->Cells(1, 2), "");
    String block;
    ASSERT_TRUE(GetClipboardData(CF_TEXT, block));
    EXPECT_EQ(block, String("1,1\t\r\n1,2\t\r\n") + '\0');
}

TEST_F(AlignGridLinesTest, SavingClampsTheRectangleToTheGrid) {
    std::unique_ptr<TStream> stream(Grid->SaveRangeToStream(nullptr, ';', TGridRect{-3, 3, 99, 2}));
    String text(static_cast<size_t>(stream->Size()), '\0');
    stream->SetPosition(0);
    stream->Read(text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(text, "0,3;1,3;2,3;3,3;4,3;\r\n0,4;1,4;2,4;3,4;4,4;\r\n");
}

} // namespace
