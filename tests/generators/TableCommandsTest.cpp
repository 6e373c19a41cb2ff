// The table commands as the user runs them: Quick Table on a new or a selected table, Table from
// text, and the column and cell dialogs with the exact tags they put into the page.

#include "generators/TableCommands.h"
#include "generators/HTMLColumn.h"
#include "generators/HTMLTable.h"
#include "generators/HTMLTextToTable.h"
#include "generators/HTML_TD.h"
#include "platform/ColorGrd.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogSupport.h"
#include "tags/TagButtons.h"
#include "widgets/Aligrid.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

class TableCommandsTest : public ElementDialogTest {
protected:
    void SetUp() override {
        ElementDialogTest::SetUp();
        Main->AutoInsertTab = "";
    }
};

const String SmallTable = "<TABLE BORDER=1>\r\n<TR>\r\n<TD>a</TD>\r\n<TD>b</TD>\r\n</TR>\r\n"
                          "</TABLE>\r\n";

} // namespace

TEST_F(TableCommandsTest, QuickTableWritesANewTableInPlaceOfTheSelection) {
    OpenPage("x<p>y", 1, 3);
    Answer<THTMLTableForm>([](THTMLTableForm& form) {
        EXPECT_EQ(form.StringGrid->ColCount(), 2);
        EXPECT_EQ(form.StringGrid->RowCount(), 2);
        form.StringGrid->SetCells(0, 1, "one");
        form.HeadingCheck->SetChecked(true);
        form.OKButton->Click();
    });
    Main->TableCommands->MakeTableButtonClick(nullptr);
    EXPECT_EQ(PageText(),
              "x<TABLE>\r\n<TR>\r\n<TH>one</TH>\r\n<TH></TH>\r\n</TR>\r\n</TABLE>\r\ny");
    EXPECT_EQ(HTMLTableForm, nullptr);
}

TEST_F(TableCommandsTest, QuickTableEditsTheSelectedTableAndKeepsWhatFollowsIt) {
    const String page = "<P>" + SmallTable + "<P>after";
    OpenPage(page, 3, static_cast<int>(page.size()) - 3);
    Answer<THTMLTableForm>([](THTMLTableForm& form) {
        EXPECT_EQ(form.BorderUpDown->Position(), 1);
        EXPECT_EQ(form.StringGrid->Cells(1, 1), "b");
        form.StringGrid->SetCells(1, 1, "B");
        form.OKButton->Click();
    });
    Main->TableCommands->MakeTableButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<P><TABLE BORDER=1>\r\n<TR>\r\n<TD>a</TD>\r\n<TD>B</TD>\r\n</TR>\r\n"
                          "</TABLE>\r\n<P>after");
}

TEST_F(TableCommandsTest, WhatTheDesignerCannotHoldIsToldBeforeThePageChanges) {
    const String page = "<table><tr><td rowspan=2>a</td></tr><tr></tr></table>";
    OpenPage(page, 0, static_cast<int>(page.size()));
    TestHooks::AnswerMessageBox(IDNO);
    Main->TableCommands->MakeTableButtonClick(nullptr);
    ASSERT_FALSE(TestHooks::Prompts().empty());
    EXPECT_EQ(TestHooks::Prompts().back().Text,
              "The table designer cannot keep everything in this table:\r\n"
              "- the ROWSPAN attribute of a cell\r\n"
              "- rows with fewer cells than others, which get empty cells\r\n\r\n"
              "Edit the table without them?");
    EXPECT_EQ(PageText(), page);
    EXPECT_EQ(HTMLTableForm, nullptr);
}

TEST_F(TableCommandsTest, CancelLeavesThePageAlone) {
    OpenPage(SmallTable, 0, static_cast<int>(SmallTable.size()));
    TestHooks::AnswerModalResult(mrCancel);
    Main->TableCommands->MakeTableButtonClick(nullptr);
    EXPECT_EQ(PageText(), SmallTable);
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(TableCommandsTest, TheDesignerKeepsALargeTableWhole) {
    TTableDesign big = TTableDesign::Blank(101, 102);
    big.Rows[101][100].Text = "last";
    const String page = WriteTable(big, true, "");
    OpenPage(page, 0, static_cast<int>(page.size()));
    Answer<THTMLTableForm>([](THTMLTableForm& form) { form.OKButton->Click(); });
    Main->TableCommands->MakeTableButtonClick(nullptr);
    EXPECT_EQ(PageText(), WriteTable(big, false, ""));
}

TEST_F(TableCommandsTest, DesignerControlsActOnTheGrid) {
    OpenPage("", 0, 0);
    Answer<THTMLTableForm>([](THTMLTableForm& form) {
        form.ColsUpDown->SetPosition(3);
        form.ColsUpDownClick(form.ColsUpDown, btNext);
        EXPECT_EQ(form.StringGrid->HintCell(2, 1), "valign=middle");
        form.StringGrid->SetCol(1);
        form.StringGrid->SetRow(1);
        form.CentreButton->Click();
        form.ValignBotButton->Click();
        form.NoWrapCheck->SetChecked(true);
        form.CellAlignRight->SetChecked(true);
        char key = '%';
        form.WidthEditKeyPress(form.WidthEdit, key);
        EXPECT_EQ(key, 0);
        form.PercentCheck->SetChecked(false);
        form.WidthEdit->SetText("200");
        form.EditColumnWidth(0);
        EXPECT_EQ(form.TempEdit->Text(), "WIDTH=");
        form.TempEdit->SetText("WIDTH=\"40%\"");
        form.TempEditExit(form.TempEdit);
        form.OKButton->Click();
    });
    Main->TableCommands->MakeTableButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<TABLE WIDTH=200>\r\n<TR ALIGN=RIGHT>\r\n<TD WIDTH=\"40%\"></TD>\r\n"
                          "<TD NOWRAP ALIGN=CENTER VALIGN=BOTTOM></TD>\r\n<TD></TD>\r\n</TR>\r\n"
                          "</TABLE>\r\n");
}

TEST_F(TableCommandsTest, TableFromTextGoesThroughTheDesigner) {
    OpenPage("<P>\r\n#Item]Price\r\n#Tea]2.50\r\n</P>", 5, 22);
    Main->AutoInsertTab = "  ";
    Answer<TTextToTableForm>([](TTextToTableForm& form) {
        form.CompactFormatCheck->SetChecked(false);
        form.OKButton->Click();
    });
    Answer<THTMLTableForm>([](THTMLTableForm& form) {
        EXPECT_EQ(form.StringGrid->AlignCell(1, 2), TMyAlign::alRight);
        form.OKButton->Click();
    });
    Main->TableCommands->TableFromTextButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<P>\r\n<TABLE>\r\n\t<TR>\r\n\t\t<TD>Item</TD>\r\n"
                          "\t\t<TD ALIGN=RIGHT>Price</TD>\r\n\t</TR>\r\n\t<TR>\r\n"
                          "\t\t<TD>Tea</TD>\r\n\t\t<TD ALIGN=RIGHT>2.50</TD>\r\n\t</TR>\r\n"
                          "</TABLE>\r\n</P>");
    EXPECT_EQ(Main->AutoInsertTab, "  ");
}

TEST_F(TableCommandsTest, TableFromTextLeavesTheSelectionWhenItMakesNoTable) {
    const String page = "Tea\t2.50\r\nMilk\t1.10";
    struct Case {
        const char* Name;
        std::function<void()> Answers;
        String Message;
    };
    const Case cases[] = {
        {"options cancelled", [] { TestHooks::AnswerModalResult(mrCancel); }, ""},
        {"not a pattern, No",
         [] {
             Answer<TTextToTableForm>([](TTextToTableForm& form) {
                 form.TopIsTemplateCheck->SetChecked(true);
                 EXPECT_EQ(form.HeaderCheck->Caption(), "2nd row is &header");
                 form.OKButton->Click();
             });
             TestHooks::AnswerMessageBox(IDNO);
         },
         "First line does not appear to be a template line.\r\nContinue anyway?"},
        {"designer cancelled",
         [] {
             TestHooks::AnswerModalResult(mrOk);
             TestHooks::AnswerModalResult(mrCancel);
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage(page, 0, static_cast<int>(page.size()));
        size_t before = TestHooks::Prompts().size();
        c.Answers();
        Main->TableCommands->TableFromTextButtonClick(nullptr);
        EXPECT_EQ(PageText(), page);
        EXPECT_EQ(Editor()->SelLength(), static_cast<int>(page.size()));
        String shown;
        for (size_t i = before; i < TestHooks::Prompts().size(); ++i)
            if (TestHooks::Prompts()[i].Kind == "MessageBox")
                shown = TestHooks::Prompts()[i].Text;
        EXPECT_EQ(shown, c.Message);
    }
}

TEST_F(TableCommandsTest, TableFromTextWithNothingSelected) {
    for (const String& page : {String("abc"), String("\r\n\r\n")}) {
        OpenPage(page, 0, page == "abc" ? 0 : 4);
        TestHooks::AnswerMessageBox(IDOK);
        Main->TableCommands->TableFromTextButtonClick(nullptr);
        EXPECT_EQ(TestHooks::Prompts().back().Text, "No text has been selected for the table.");
        EXPECT_EQ(PageText(), page);
    }
}

TEST_F(TableCommandsTest, TheColumnDialogWritesItsStartTag) {
    struct Case {
        const char* Name;
        std::function<void(THTMLColumnForm&)> Fill;
        String Tag;
    };
    const Case cases[] = {
        {"nothing changed", [](THTMLColumnForm&) {}, "<COLGROUP>"},
        {"COL, right, top, span 1 not written",
         [](THTMLColumnForm& f) {
             f.ColCheck->SetChecked(true);
             f.AlignRightCheck->SetChecked(true);
             f.AlignTopCheck->SetChecked(true);
             f.SpanUpDown->SetPosition(1);
         },
         "<COL ALIGN=RIGHT VALIGN=TOP>"},
        {"char with nothing typed, span 0",
         [](THTMLColumnForm& f) {
             f.AlignCharCheck->SetChecked(true);
             EXPECT_TRUE(f.CharOffEdit->Enabled());
             f.CharEdit->SetText("");
             f.SpanUpDown->SetPosition(0);
         },
         "<COLGROUP ALIGN=CHAR CHAR=\"\" CHAROFF=0>"},
        {"justify, baseline, span, width in per cent",
         [](THTMLColumnForm& f) {
             f.AlignJustifyCheck->SetChecked(true);
             f.AlignBaselineCheck->SetChecked(true);
             f.SpanUpDown->SetPosition(3);
             f.WidthEdit->SetText("30");
             f.PercentCheck->SetChecked(true);
         },
         "<COLGROUP ALIGN=JUSTIFY VALIGN=BASELINE SPAN=3 WIDTH=\"30%\">"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("ab", 1, 0);
        Answer<THTMLColumnForm>([&](THTMLColumnForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        Main->TableCommands->ColgroupButtonClick(Main->TagButtons->ColgroupButton);
        EXPECT_EQ(PageText(), "a" + c.Tag + "b");
        EXPECT_EQ(HTMLColumnForm, nullptr);
    }
}

// Each button of the tables' page opens its own command's dialog.
TEST_F(TableCommandsTest, TheTableButtonsOpenTheirDialogs) {
    OpenPage("a b", 0, 3);
    bool designer = false;
    Answer<THTMLTableForm>([&](THTMLTableForm& form) {
        designer = true;
        form.CancelButton->Click();
    });
    Main->TagButtons->MakeTableButton->Click();
    EXPECT_TRUE(designer);
    bool options = false;
    Answer<TTextToTableForm>([&](TTextToTableForm& form) {
        options = true;
        form.CancelButton->Click();
    });
    Main->TagButtons->TableFromTextButton->Click();
    EXPECT_TRUE(options);
    bool column = false;
    Answer<THTMLColumnForm>([&](THTMLColumnForm& form) {
        column = true;
        form.CancelButton->Click();
    });
    Main->TagButtons->ColgroupButton->Click();
    EXPECT_TRUE(column);
    EXPECT_EQ(PageText(), "a b");
}

TEST_F(TableCommandsTest, ACtrlClickOnACellButtonPutsTheCellDialogsTagsAroundTheSelection) {
    struct Case {
        const char* Name;
        TQmToolbarButton* TTagButtons::*Button;
        std::function<void(THTMLTDForm&)> Fill;
        String Page;
    };
    const Case cases[] = {
        {"TD with everything", &TTagButtons::TDButton,
         [](THTMLTDForm& f) {
             f.AlignCombo->SetItemIndex(5);
             f.AlignComboClick(f.AlignCombo);
             f.CharEdit->SetText(",");
             f.CharOffUpDown->SetPosition(2);
             f.VAlignCombo->SetText("TOP");
             f.BGColourGrid->SetForegroundIndex(7);
             f.BGColourGridClick(f.BGColourGrid);
             f.AxisEdit->SetText("price");
             f.ColspanUpDown->SetPosition(2);
             f.RowspanUpDown->SetPosition(3);
             f.NoWrapCheck->SetChecked(true);
         },
         "<TD ALIGN=CHAR CHAR=\",\" CHAROFF=2 VALIGN=TOP BGCOLOR=Silver AXIS=\"price\" "
         "COLSPAN=2 ROWSPAN=3 NOWRAP>x</TD>"},
        {"TH: CHAR typed, colour taken back", &TTagButtons::THButton,
         [](THTMLTDForm& f) {
             f.AlignCombo->SetText("CHAR");
             f.BGColourGrid->SetForegroundIndex(2);
             f.BGColourGridClick(f.BGColourGrid);
             f.NoneCheck->SetChecked(true);
         },
         "<TH ALIGN=CHAR>x</TH>"},
        {"TR: the cell's own attributes never", &TTagButtons::TRButton,
         [](THTMLTDForm& f) {
             EXPECT_FALSE(f.ColspanEdit->Visible());
             f.ColspanUpDown->SetPosition(2);
             f.NoWrapCheck->SetChecked(true);
             f.AxisEdit->SetText("a");
             f.AlignCombo->SetText("RIGHT");
         },
         "<TR ALIGN=RIGHT>x</TR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("x", 0, 1);
        Main->LastShiftState = TShiftState{ssCtrl};
        Answer<THTMLTDForm>([&](THTMLTDForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        (Main->TagButtons->*c.Button)->Click();
        EXPECT_EQ(PageText(), c.Page);
        EXPECT_EQ(HTMLTDForm, nullptr);
    }
}

TEST_F(TableCommandsTest, APatternWithNothingUnderItIsToldBeforeTheQuestion) {
    const String page = "Tea 2.50\r\n";
    OpenPage(page, 0, static_cast<int>(page.size()));
    Answer<TTextToTableForm>([](TTextToTableForm& form) {
        form.TopIsTemplateCheck->SetChecked(true);
        form.OKButton->Click();
    });
    TestHooks::AnswerMessageBox(IDOK);
    Main->TableCommands->TableFromTextButtonClick(nullptr);
    EXPECT_EQ(TestHooks::Prompts().back().Text, "No text has been selected for the table.");
    EXPECT_EQ(PageText(), page);
}
