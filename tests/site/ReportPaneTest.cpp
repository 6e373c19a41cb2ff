// The report pane: the text-only view of a page as a table, ReplaceText, the pane's commands and
// selecting in the file pane the files that a report names.

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/RichEdit.h"
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
        EXPECT_EQ(THTMLEMainForm::TextOnlyText(c.Page), c.Shown) << c.Page;
}

TEST(ReportPaneText, ReplaceTextNeitherOverlapsNorSearchesWhatItPutIn) {
    EXPECT_EQ(THTMLEMainForm::ReplaceText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(THTMLEMainForm::ReplaceText("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(THTMLEMainForm::ReplaceText("abc", "", "x"), "abc");
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
    Form->TextOnly1->SetVisible(true);
    Form->TextOnly1->Click();
    EXPECT_TRUE(Form->ReportForm->Visible());
    EXPECT_TRUE(Form->ReportPanel->Visible());
    EXPECT_FALSE(Form->PageControl1->Visible());
    EXPECT_EQ(Form->ReportForm->Text(), " Bold  text");
    EXPECT_EQ(Form->ReportForm->SelStart(), 0);

    Form->TextOnly2->Click();
    EXPECT_TRUE(Form->PagesVisibleBeforeReport);
    Form->SelectAll4->Click();
    Form->Copy5->Click();
    EXPECT_EQ(TestHooks::ClipboardText(), " Bold  text");

    Form->TextOnly1->SetEnabled(false);
    Form->ReportCloseButton->Click();
    EXPECT_FALSE(Form->ReportForm->Visible());
    EXPECT_FALSE(Form->ReportPanel->Visible());
    EXPECT_TRUE(Form->PageControl1->Visible());
    EXPECT_TRUE(Form->TextOnly1->Enabled());
    Form->PageControl1->Hide();
    Form->CloseReportView();
    EXPECT_FALSE(Form->PageControl1->Visible());
}

// "Select Files" on the report: names with leading blanks and " [BACKGROUND]" are found without
// regard to case in a list opened to every file; a name with a folder part selects nothing, and
// the items selected before stay selected.
TEST_F(ReportPaneTest, SelectFilesNamedOnTheReport) {
    Form->FilePane->FileListBox1->SetMultiSelect(true);
    Form->FilePane->FileListBox1->SetSelected(
        Form->FilePane->FileListBox1->Items().IndexOf("other.htm"), true);
    Form->ShowReportPane();
    Form->ReportForm->SetText("Report\r\n    a.htm\r\n    bg.gif [BACKGROUND]\r\nsub/c.htm\r\n"
                              "\t b.HTM \r\n");
    Form->ReportForm->SelectAll();
    Form->SelectFiles2->Click();
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(), "*.*");
    EXPECT_EQ(Form->FilePane->FilterCombo->Text(), "*.*");
    EXPECT_EQ(Selected(), (std::vector<String>{"a.htm", "B.htm", "bg.gif"}));
    EXPECT_EQ(TestHooks::ClipboardText(), Form->ReportForm->Text());

    // From the page's shortcut menu, the page's selection names the files.
    UsePage(*Form, 0, Site + "p.htm", "c.htm\r\nrest");
    Form->Memos[0]->SetSelStart(0);
    Form->Memos[0]->SetSelLength(5);
    Form->SelectFiles1->Click();
    EXPECT_EQ(Selected(), (std::vector<String>{"a.htm", "B.htm", "bg.gif", "c.htm"}));
}

} // namespace
