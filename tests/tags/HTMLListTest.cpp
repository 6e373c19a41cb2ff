// The list dialog: each kind of list from the rows typed into its grid, the preview of the item
// numbers and the start box, the row count typed, and the dialog kept after Cancel.

#include "ElementDialogSupport.h"
#include "platform/ComCtrls.h"
#include "platform/Grids.h"
#include "platform/StdCtrls.h"
#include "tags/HTMLListForm.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

class ListDialogTest : public ElementDialogTest {
protected:
    void TearDown() override {
        delete ListForm;
        ListForm = nullptr;
        ElementDialogTest::TearDown();
    }
    // Presses the tag bar's list button with the keys given held, the dialog answered.
    void RunList(std::function<void(TListForm&)> answer, TShiftState shift = {}) {
        Answer<TListForm>(answer);
        TestHooks::ClickMouse(*Main->TagButtons->ListButton, 3, 3, mbLeft, shift);
    }
};

// The grid's rows as the user typed them: term and item of each row.
void TypeRows(TListForm& form, const std::vector<std::pair<String, String>>& rows) {
    form.NumRowsEdit->SetText(IntToStr(static_cast<int>(rows.size())));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        form.ListGrid->SetCells(0, row, rows[row].first);
        form.ListGrid->SetCells(1, row, rows[row].second);
    }
}

// A press on an up-down's arrow, as the user steps it.
void StepUp(TUpDown* upDown, int times) {
    for (int i = 0; i < times; ++i)
        TestHooks::ClickMouse(*upDown, upDown->Width() / 2, 2);
}

std::vector<String> PreviewColumn(const TListForm& form) {
    std::vector<String> labels;
    for (int row = 0; row < form.ListGrid->RowCount(); ++row)
        labels.push_back(form.ListGrid->Cells(0, row));
    return labels;
}

} // namespace

TEST_F(ListDialogTest, EachKindOfListGoesBeforeTheSelection) {
    struct Case {
        const char* Name;
        String Indent;
        std::function<void(TListForm&)> Fill;
        String List;
    };
    const Case cases[] = {
        {"unordered", "",
         [](TListForm& f) {
             TypeRows(f, {{"", "one"}, {"", "two"}});
         },
         "<UL>\r\n<LI>one\r\n<LI>two\r\n</UL>\r\n"},
        {"square bullets, indented, an empty row kept", "\t",
         [](TListForm& f) {
             TypeRows(f, {{"", "one"}, {"", ""}});
             f.SquareButton->SetChecked(true);
         },
         "<UL TYPE=SQUARE>\r\n\t<LI>one\r\n\t<LI>\r\n</UL>\r\n"},
        {"ordered, type i from 3: the preview is not written", "",
         [](TListForm& f) {
             TypeRows(f, {{"", "one"}, {"", "two"}});
             f.OrderedListButton->SetChecked(true);
             f.iButton->SetChecked(true);
             StepUp(f.StartUpDown, 2);
             EXPECT_EQ(PreviewColumn(f), (std::vector<String>{"iii", "iv"}));
             EXPECT_EQ(f.StartEdit->Text(), "iii");
         },
         "<OL TYPE=\"i\" START=3>\r\n<LI>one\r\n<LI>two\r\n</OL>\r\n"},
        {"ordered from 1", "",
         [](TListForm& f) {
             TypeRows(f, {{"", "one"}});
             f.OrderedListButton->SetChecked(true);
         },
         "<OL TYPE=\"1\">\r\n<LI>one\r\n</OL>\r\n"},
        {"definition, compact, indented", "\t",
         [](TListForm& f) {
             f.DefinitionButton->SetChecked(true);
             TypeRows(f, {{"T", "D"}});
             f.CompactCheck->SetChecked(true);
         },
         "<DL COMPACT>\r\n\t<DT>T\r\n\t\t<DD>D\r\n</DL>\r\n"},
        {"menu", "",
         [](TListForm& f) {
             TypeRows(f, {{"", "a"}});
             f.MenuListButton->SetChecked(true);
         },
         "<MENU>\r\n<LI>a\r\n</MENU>\r\n"},
        {"directory", "",
         [](TListForm& f) {
             TypeRows(f, {{"", "a"}});
             f.DirectoryListButton->SetChecked(true);
         },
         "<DIR>\r\n<LI>a\r\n</DIR>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("<P>sel</P>", 3, 3);
        Main->AutoInsertTab = c.Indent;
        RunList([&](TListForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        EXPECT_EQ(PageText(), "<P>" + c.List + "sel</P>");
        EXPECT_EQ(Caret(), 3 + static_cast<int>(c.List.size()) + 3);
        EXPECT_EQ(ListForm, nullptr);
    }
}

// The list is the dialog's whole work: an Alt held at the press must not leave it out.
TEST_F(ListDialogTest, AnAltPressStillInsertsTheWholeList) {
    OpenPage("", 0, 0);
    RunList(
        [](TListForm& form) {
            TypeRows(form, {{"", "x"}});
            form.OKButton->Click();
        },
        {ssAlt});
    EXPECT_EQ(PageText(), "<UL>\r\n<LI>x\r\n</UL>\r\n");
}

TEST_F(ListDialogTest, ThePreviewAndStartBoxFollowTheTypeAndStart) {
    struct Case {
        const char* Name;
        TRadioButton* TListForm::*Type;
        int Start;
        int Rows;
        std::vector<String> Preview;
        String StartText;
    };
    const Case cases[] = {
        {"I at 50", &TListForm::IIButton, 50, 2, {"L", "..."}, "L"},
        {"i at 51", &TListForm::iButton, 51, 1, {"..."}, "(51)"},
        {"a at 26", &TListForm::aButton, 26, 3, {"z", "aa", "ab"}, "z"},
        {"A at 52", &TListForm::AAButton, 52, 2, {"AZ", "BA"}, "AZ"},
        {"1 at 95", &TListForm::OneButton, 95, 7, {"95", "96", "97", "98", "99", "10", "10"}, "95"},
        {"1 at 1", &TListForm::OneButton, 1, 2, {" 1", " 2"}, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("", 0, 0);
        RunList([&](TListForm& form) {
            form.OrderedListButton->SetChecked(true);
            (form.*c.Type)->SetChecked(true);
            form.NumRowsEdit->SetText(IntToStr(c.Rows));
            StepUp(form.StartUpDown, c.Start - 1);
            EXPECT_EQ(PreviewColumn(form), c.Preview);
            EXPECT_EQ(form.StartEdit->Text(), c.StartText);
            form.CancelButton->Click();
        });
    }
}

TEST_F(ListDialogTest, TheRowCountTypedIsHeldBetween1And100) {
    struct Case {
        String Typed;
        int Rows;
        String Shown;
    };
    const Case cases[] = {
        {"7", 7, "7"}, {"150", 100, "100"}, {"0", 1, "1"},
        {"", 1, "1"},  {"abc", 1, "1"},     {"12abc", 12, "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        OpenPage("", 0, 0);
        RunList([&](TListForm& form) {
            form.NumRowsEdit->SetText(c.Typed);
            EXPECT_EQ(form.ListGrid->RowCount(), c.Rows);
            EXPECT_EQ(form.NumRowsEdit->Text(), c.Shown);
            StepUp(form.NumRowsUpDown, 1);
            EXPECT_EQ(form.ListGrid->RowCount(), std::min(c.Rows + 1, 100));
            form.CancelButton->Click();
        });
    }
}

TEST_F(ListDialogTest, SwitchingToADefinitionListEmptiesTheTermsAndBackRenumbers) {
    OpenPage("", 0, 0);
    RunList([](TListForm& form) {
        form.OrderedListButton->SetChecked(true);
        EXPECT_EQ(PreviewColumn(form), (std::vector<String>{" 1", " 2"}));
        EXPECT_TRUE(form.StartEdit->Enabled());
        form.DefinitionButton->SetChecked(true);
        EXPECT_EQ(PreviewColumn(form), (std::vector<String>{"", ""}));
        EXPECT_FALSE(form.StartEdit->Enabled());
        EXPECT_TRUE(form.CompactCheck->Visible());
        EXPECT_FALSE(form.TypeGroup->Visible());
        form.OrderedListButton->SetChecked(true);
        EXPECT_EQ(PreviewColumn(form), (std::vector<String>{" 1", " 2"}));
        form.CancelButton->Click();
    });
}

// Cancel keeps the dialog with what was typed; the next use starts from an unordered list of two
// rows at start 1, and an OK at last lets the dialog go.
TEST_F(ListDialogTest, CancelKeepsTheDialogAndItsTexts) {
    OpenPage("ab", 1, 0);
    RunList([](TListForm& form) {
        form.OrderedListButton->SetChecked(true);
        form.aButton->SetChecked(true);
        TypeRows(form, {{"", "first"}, {"", "second"}, {"", "third"}});
        StepUp(form.StartUpDown, 4);
        form.CancelButton->Click();
    });
    EXPECT_EQ(PageText(), "ab");
    ASSERT_NE(ListForm, nullptr);
    const TListForm* kept = ListForm;
    RunList([&](TListForm& form) {
        EXPECT_EQ(&form, kept);
        EXPECT_TRUE(form.PlainListButton->Checked());
        EXPECT_EQ(form.ListGrid->RowCount(), 2);
        EXPECT_EQ(form.NumRowsEdit->Text(), "2");
        EXPECT_EQ(form.StartUpDown->Position(), 1);
        EXPECT_EQ(form.StartEdit->Text(), "1");
        EXPECT_FALSE(form.StartEdit->Enabled());
        EXPECT_TRUE(form.aButton->Checked());
        form.OKButton->Click();
    });
    EXPECT_EQ(PageText(), "a<UL>\r\n<LI>first\r\n<LI>second\r\n</UL>\r\nb");
    EXPECT_EQ(ListForm, nullptr);
}

// With no heading lines the grid shows its first row at the top and what is typed first is the
// first item, not the second.
TEST_F(ListDialogTest, TypingStartsInTheFirstRowsItemText) {
    OpenPage("", 0, 0);
    RunList([](TListForm& form) {
        EXPECT_EQ(form.ListGrid->TopRow(), 0);
        EXPECT_EQ(form.ListGrid->LeftCol(), 0);
        form.ListGrid->SetEditorMode(true);
        form.ListGrid->InplaceEditor()->SetText("first");
        form.OKButton->Click();
    });
    EXPECT_EQ(PageText(), "<UL>\r\n<LI>first\r\n<LI>\r\n</UL>\r\n");
}
