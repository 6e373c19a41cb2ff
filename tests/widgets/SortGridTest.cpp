#include "widgets/SASG.h"

#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A grid of 3 columns and 6 rows; column 1 holds the keys, column 2 a tag naming the row.
class SortGridTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Grid = NewControl<TStringGrid>(Form, Form, "Grid");
        Grid->SetColCount(3);
        Grid->SetRowCount(6);
        Sorter = NewComponent<TSortAStringGrid>(Form, "Sorter");
        Sorter->SetGridToSort(Grid);
    }
    void TearDown() override { Form->Free(); }
    void Keys(const std::vector<String>& keys) {
        for (size_t i = 0; i < keys.size(); ++i) {
            Grid->SetCells(1, static_cast<int>(i), keys[i]);
            Grid->SetCells(2, static_cast<int>(i), "r" + IntToStr(static_cast<int>(i)));
        }
    }
    std::vector<String> Column(int col) {
        std::vector<String> texts;
        for (int row = 0; row < Grid->RowCount(); ++row)
            texts.push_back(Grid->Cells(col, row));
        return texts;
    }
    void Stretch(int start, int end) {
        Sorter->StartIndex = start;
        Sorter->EndIndex = end;
        Sorter->SortIndex = 1;
    }
    TForm* Form;
    TStringGrid* Grid;
    TSortAStringGrid* Sorter;
};

TEST_F(SortGridTest, SettingsAreCheckedInOrderWithTheirCodes) {
    struct Case {
        int Start, End, Key;
        HowSortType How;
        int Code;
        String Text;
    } cases[] = {
        {1, 1, 1, HowSortType::Row, 2, "StartIndex is greater or equal to EndIndex"},
        {-1, 2, 1, HowSortType::Row, 3, "StartIndex is less then 0"},
        {6, 7, 1, HowSortType::Row, 4,
         "StartIndex is greater then number of rows/columns in StringGrid"},
        {1, 6, 1, HowSortType::Row, 5,
         "EndIndex is greater then number of rows/columns in StringGrid"},
        {1, 2, -1, HowSortType::Row, 6, "Sort Index is less then 0"},
        {1, 2, 3, HowSortType::Row, 7,
         "Sort Index is greater then number of rows/columns in StringGrid"},
        {1, 2, 5, HowSortType::Column, 0, "Ok"},
        {1, 3, 1, HowSortType::Column, 5,
         "EndIndex is greater then number of rows/columns in StringGrid"},
    };
    for (const Case& c : cases) {
        Sorter->StartIndex = c.Start;
        Sorter->EndIndex = c.End;
        Sorter->SortIndex = c.Key;
        Sorter->HowToSort = c.How;
        EXPECT_EQ(Sorter->Execute(), c.Code == 0) << c.Code;
        EXPECT_EQ(Sorter->ErrorCode(), c.Code);
        EXPECT_EQ(Sorter->ErrorText(), c.Text);
    }
}

TEST_F(SortGridTest, AFreedGridIsForgottenAndTheFailureShownWhenAsked) {
    Grid->Free();
    Stretch(0, 2);
    Sorter->ShowMessageOnError = true;
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(Sorter->Execute());
    EXPECT_EQ(Sorter->ErrorCode(), 1);
    ASSERT_FALSE(TestHooks::Prompts().empty());
    EXPECT_EQ(TestHooks::Prompts().back().Text, "No StringGrid given");
    EXPECT_EQ(TestHooks::Prompts().back().Icon(), UINT(MB_ICONERROR));
}

TEST_F(SortGridTest, WholeRowsMoveAndRowsOutsideTheStretchStay) {
    Keys({"head", "b", "B", "a", "c", "tail"});
    Stretch(1, 4);
    ASSERT_TRUE(Sorter->Execute());
    EXPECT_EQ(Column(1), (std::vector<String>{"head", "a", "b", "B", "c", "tail"}))
        << "b and B are equal without regard to case and keep their order";
    EXPECT_EQ(Column(2), (std::vector<String>{"r0", "r3", "r1", "r2", "r4", "r5"}));
    Sorter->CaseSensitiv = true;
    ASSERT_TRUE(Sorter->Execute());
    EXPECT_EQ(Column(1), (std::vector<String>{"head", "B", "a", "b", "c", "tail"}));
}

TEST_F(SortGridTest, NumbersSortAsNumbersUntilAKeyIsNoNumber) {
    Keys({"", "10", "9", "-2.5e1", "1,5", ""});
    Stretch(1, 3);
    Sorter->SortType = ToSortType::Numeric;
    ASSERT_TRUE(Sorter->Execute());
    EXPECT_EQ(Sorter->ErrorCode(), 0);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "-2.5e1", "9", "10", "1,5", ""}));
    Stretch(1, 4);
    Sorter->ShowMessageOnError = true;
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Sorter->Execute());
    EXPECT_EQ(Sorter->ErrorCode(), -1);
    EXPECT_EQ(TestHooks::Prompts().back().Text,
              "Column/Row contains non-numerical values for numeric sort. Sorted as Character.");
    EXPECT_EQ(Column(1), (std::vector<String>{"", "-2.5e1", "1,5", "10", "9", ""}));
    EXPECT_EQ(Sorter->SortType, ToSortType::Character) << "later runs sort as characters";
}

TEST_F(SortGridTest, DescendingAndByColumns) {
    Keys({"", "1", "3", "2", "", ""});
    Stretch(1, 3);
    Sorter->SortDirection = SortDirType::Descending;
    ASSERT_TRUE(Sorter->Execute());
    EXPECT_EQ(Column(1), (std::vector<String>{"", "3", "2", "1", "", ""}));

    Grid->SetCells(0, 4, "z");
    Grid->SetCells(1, 4, "y");
    Grid->SetCells(2, 4, "x");
    Sorter->HowToSort = HowSortType::Column;
    Sorter->SortDirection = SortDirType::Ascending;
    Sorter->StartIndex = 0;
    Sorter->EndIndex = 2;
    Sorter->SortIndex = 4;
    ASSERT_TRUE(Sorter->Execute());
    EXPECT_EQ(Grid->Cells(0, 4), "x");
    EXPECT_EQ(Grid->Cells(2, 4), "z");
    EXPECT_EQ(Grid->Cells(2, 1), "") << "the whole column moved";
    EXPECT_EQ(Grid->Cells(0, 1), "r2") << "row 1 holds the row of key 3 since the first sort";
}

} // namespace
