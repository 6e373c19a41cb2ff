// The report pane: the text-only view of a page as a table, ReplaceText, the pane's commands and
// selecting in the file pane the files that a report names.

#include "site/ReportPane.h"

#include "TestSupport.h"
#include "editor/FontCommand.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileListBox.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace MainWindowSupport;

namespace {

TEST(ReportPaneText, TextOnlyView) {
    struct Case {
        const char* Page; // as the view copies it: lines each ended by CR LF
        const char* Shown;
    };
    const Case cases[] = {
        {"a&amp;b\r\n", "a&b"},
        // The first pass makes "&lt;", which the second decodes.
        {"x&amp;lt;y\r\n", "x<y"},
        {"&copy; &pound;&frac12;\r\n", "\xA9 \xA3\xBD"},
        {"<P>text\r\n", "\r\n\n text"},
        // Each tag that text follows leaves a blank.
        {"<a href=\"x.htm\">Go</a> on\r\n", "[link] Go  on"},
        {"<img src=\"a.gif\">\r\n", "[image]"},
        {"<h1>T</H1>x<br>y\r\n", " T\r\n x\r\n y"},
        {"{{filename}}\r\n", "[publisher function]"},
        {"a\r\n\r\n\r\nb\r\n", "a b"},
        {"a  \tb\r\n  c\r\n", "a \tb c"},
        {"a<!-- hidden <b> -->b\r\n", "a b"},
        // Unclosed comments and codes end the command with the rest of the text kept; a tag
        // without ">" drops what follows it.
        {"a {{x\r\n", "a {{x"},
        {"a<!-- c\r\n", "a"},
        // A lone LF is one line break and swallows nothing.
        {"a\nb\r\n", "a b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TReportPane::TextOnlyText(c.Page), c.Shown) << c.Page;
}

TEST(ReportPaneText, ReplaceTextNeitherOverlapsNorSearchesWhatItPutIn) {
    EXPECT_EQ(TReportPane::ReplaceText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(TReportPane::ReplaceText("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(TReportPane::ReplaceText("abc", "", "x"), "abc");
}

class ReportPaneTest : public testing::Test {
protected:
    void SetUp() override {
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
        std::filesystem::create_directories(Site);
        for (const char* name : {"a.htm", "B.htm", "bg.gif", "c.htm", "other.htm"})
            WriteFileAtomic(Site + name, "x");
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
        Form->FilePane->FileListBox1->SetMask("*.htm");
    }

    std::vector<String> Selected() const {
        std::vector<String> names;
        for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
            if (Form->FilePane->FileListBox1->Selected(i))
                names.push_back(Form->FilePane->FileListBox1->Items()[i]);
        return names;
    }

    String Site;
    std::unique_ptr<THTMLEMainForm> Form;
};

// The view takes the pages' place and Close gives it back; a second report keeps what the
// pages showed before the first, and closing twice changes nothing.
TEST_F(ReportPaneTest, TextOnlyViewCopyAndClose) {
    UsePage(*Form, 0, Site + "a.htm", "<b>Bold</b> text");
    Form->ReportPane->TextOnly1->SetVisible(true);
    Form->ReportPane->TextOnly1->Click();
    EXPECT_TRUE(Form->ReportPane->ReportForm->Visible());
    EXPECT_TRUE(Form->ReportPane->ReportPanel->Visible());
    EXPECT_FALSE(Form->PageControl1->Visible());
    EXPECT_EQ(Form->ReportPane->ReportForm->Text(), " Bold  text");
    EXPECT_EQ(Form->ReportPane->ReportForm->SelStart(), 0);

    Form->ReportPane->TextOnly2->Click();
    EXPECT_TRUE(Form->ReportPane->PagesVisibleBeforeReport);
    Form->ReportPane->SelectAll4->Click();
    Form->ReportPane->Copy5->Click();
    EXPECT_EQ(TestHooks::ClipboardText(), " Bold  text");

    Form->ReportPane->TextOnly1->SetEnabled(false);
    Form->ReportPane->ReportCloseButton->Click();
    EXPECT_FALSE(Form->ReportPane->ReportForm->Visible());
    EXPECT_FALSE(Form->ReportPane->ReportPanel->Visible());
    EXPECT_TRUE(Form->PageControl1->Visible());
    EXPECT_TRUE(Form->ReportPane->TextOnly1->Enabled());
    Form->PageControl1->Hide();
    Form->ReportPane->CloseReportView();
    EXPECT_FALSE(Form->PageControl1->Visible());
}

// "Select Files" on the report: names with leading blanks and " [BACKGROUND]" are found without
// regard to case in a list opened to every file; a name with a folder part selects nothing, and
// the items selected before stay selected.
TEST_F(ReportPaneTest, SelectFilesNamedOnTheReport) {
    Form->FilePane->FileListBox1->SetMultiSelect(true);
    Form->FilePane->FileListBox1->SetSelected(
        Form->FilePane->FileListBox1->Items().IndexOf("other.htm"), true);
    Form->ReportPane->ShowReportPane();
    Form->ReportPane->ReportForm->SetText(
        "Report\r\n    a.htm\r\n    bg.gif [BACKGROUND]\r\nsub/c.htm\r\n"
        "\t b.HTM \r\n");
    Form->ReportPane->ReportForm->SelectAll();
    Form->ReportPane->SelectFiles2->Click();
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(), "*.*");
    EXPECT_EQ(Form->FilePane->FilterCombo->Text(), "*.*");
    EXPECT_EQ(Selected(), (std::vector<String>{"a.htm", "B.htm", "bg.gif"}));
    EXPECT_EQ(TestHooks::ClipboardText(), Form->ReportPane->ReportForm->Text());

    // From the page's shortcut menu, the page's selection names the files.
    UsePage(*Form, 0, Site + "p.htm", "c.htm\r\nrest");
    Form->Memos[0]->SetSelStart(0);
    Form->Memos[0]->SetSelLength(5);
    Form->ReportPane->SelectFiles1->Click();
    EXPECT_EQ(Selected(), (std::vector<String>{"a.htm", "B.htm", "bg.gif", "c.htm"}));
}

// While the pane shows, the window's Save writes the report under the name chosen (Save, unlike
// Save As, adds no extension), the editor font is not offered and Close gives the pages back;
// then Save is the page's again.
TEST_F(ReportPaneTest, WindowCommandsTakeTheReportWhileItShows) {
    TReportPane& pane = *Form->ReportPane;
    UsePage(*Form, 0, Site + "a.htm", "page", true);
    pane.ShowReportPane();
    pane.ReportForm->SetText("report\r\n");
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.FileName = Site + "saved";
    TestHooks::AnswerDialog(answer);
    pane.ReportSave1->Click();
    EXPECT_EQ(ReadFileBytes(Site + "saved"), "report\r\n");
    EXPECT_EQ(ReadFileBytes(Site + "a.htm"), "x");
    // An unanswered font dialog would fail the test.
    Form->FontCommand->ChangeFontButtonClick(Form->FontCommand->Editor1);

    pane.ReportClose1->Click();
    EXPECT_FALSE(pane.ReportPanel->Visible());
    EXPECT_TRUE(Form->PageControl1->Visible());
    EXPECT_TRUE(Form->PageInUse(0));
    Form->Documents->Save1Click(Form->Documents->Save1);
    EXPECT_EQ(ReadFileBytes(Site + "a.htm"), "page");
}

// The window's creation brings Text Only and Select Files out of hiding and gives the pane the
// plain font. Each Select Files is offered, as its menu opens, only while the clipboard holds
// text; the page's menu still brings its own items up to date.
TEST_F(ReportPaneTest, SelectFilesIsOfferedWhileTheClipboardHoldsText) {
    TReportPane& pane = *Form->ReportPane;
    for (TMenuItem* item : {pane.TextOnly1, pane.TextOnly2, pane.SelectFiles1})
        EXPECT_TRUE(item->Visible()) << item->Name();
    EXPECT_EQ(pane.ReportForm->Font().Size(), 10);
    UsePage(*Form, 0, Site + "a.htm", "page");
    for (bool text : {true, false}) {
        SCOPED_TRACE(text ? "text on the clipboard" : "empty clipboard");
        if (text)
            TestHooks::SetClipboardText("a.htm");
        else
            TestHooks::Reset();
        pane.ReportFormMenu->Popup(0, 0);
        Form->MainPopupMenu->Popup(0, 0);
        EXPECT_EQ(pane.SelectFiles2->Enabled(), text);
        EXPECT_EQ(pane.SelectFiles1->Enabled(), text);
        EXPECT_FALSE(Form->EditCommands->Cut2->Enabled()) << "nothing is selected";
    }
}

// The pane's buttons stand side by side from 13 pixels into its top panel once it shows.
TEST_F(ReportPaneTest, ButtonsStandSideBySide) {
    TReportPane& pane = *Form->ReportPane;
    pane.ShowReportPane();
    int left = pane.ReportTopPanel->Left() + 13;
    for (TButton* button : {pane.ReportCloseButton, pane.SaveButton, pane.PrintReportButton}) {
        EXPECT_EQ(button->Left(), left) << button->Name();
        left += button->Width();
    }
}

} // namespace
