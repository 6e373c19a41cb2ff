// The keyboard follows the page on screen: whatever brings a page forward (New, Open, the recent
// files, a tab, a hand-over) leaves the caret in it, and a page out of sight never takes keys.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "platform/TestHooks.h"
#include "services/MRULiss.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace MainWindowSupport;

namespace {

String MakePage(const String& name, const String& bytes) {
    String path = TestSupport::Sandbox(name);
    std::filesystem::create_directories(ExtractFilePath(path));
    WriteFileAtomic(path, bytes);
    return path;
}

void AnswerFiles(std::vector<String> files) {
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.Files = std::move(files);
    TestHooks::AnswerDialog(answer);
}

// The pages whose editor holds the keyboard focus.
std::vector<int> FocusedPages(const THTMLEMainForm& form) {
    std::vector<int> pages;
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
        if (form.Memos[page]->Focused())
            pages.push_back(page);
    return pages;
}

class PageFocusTest : public testing::Test {
protected:
    void SetUp() override {
        Form = MakeMainWindow();
        Form->Show();
        Form->BringToFront();
        First = MakePage("site/first.html", "<p>first</p>\r\n");
        Second = MakePage("site/second.html", "<p>second</p>\r\n");
        Form->Documents->OpenDocument(First, false, true, false);
        ASSERT_EQ(std::vector<int>{0}, FocusedPages(*Form));
    }

    // The focus is on the active page, and only there.
    void ExpectFocusOnActivePage() const {
        int active = Form->PageControl1->ActivePageIndex();
        ASSERT_GE(active, 0);
        EXPECT_EQ(std::vector<int>{active}, FocusedPages(*Form));
    }

    std::unique_ptr<THTMLEMainForm> Form;
    String First;
    String Second;
};

} // namespace

TEST_F(PageFocusTest, EveryWayOfBringingAPageForwardPutsTheCaretInIt) {
    struct TCase {
        const char* Way;
        std::function<void(THTMLEMainForm&, const String&)> Bring;
    };
    const TCase cases[] = {
        {"Open dialog",
         [](THTMLEMainForm& form, const String& page) {
             AnswerFiles({page});
             form.Documents->FileOpenClick(form.Documents->OpenFile1);
         }},
        {"recent files",
         [](THTMLEMainForm& form, const String& page) {
             form.Documents->MRU->OnMRUItemClick(form.Documents->MRU, page);
         }},
        {"hand-over",
         [](THTMLEMainForm& form, const String& page) { form.OpenHandedOverFile(page); }},
        {"New",
         [](THTMLEMainForm& form, const String&) {
             form.Documents->FileNewButtonClick(form.Documents->FileNewButton);
         }},
    };
    for (const TCase& way : cases) {
        SCOPED_TRACE(way.Way);
        Form->PageControl1->SetActivePage(Form->TabSheets[0]);
        Form->PageControl1Change(Form->PageControl1);
        Form->Memos[0]->SetFocus();
        way.Bring(*Form, Second);
        EXPECT_NE(0, Form->PageControl1->ActivePageIndex());
        ExpectFocusOnActivePage();
    }
}

TEST_F(PageFocusTest, ChangingTabsMovesTheCaretToTheTabShown) {
    Form->Documents->OpenDocument(Second, false, true, false);
    ExpectFocusOnActivePage();
    Form->PageControl1->SetActivePage(Form->TabSheets[0]);
    Form->PageControl1Change(Form->PageControl1);
    ExpectFocusOnActivePage();
    Form->TabsRight(Form.get());
    EXPECT_EQ(1, Form->PageControl1->ActivePageIndex());
    ExpectFocusOnActivePage();
}

// The page that had the keys before another came in front of it never keeps them, even when the
// change happens while the window is not the active one (a modal dialog is open).
TEST_F(PageFocusTest, AHiddenPageNeverKeepsTheFocus) {
    Form->Memos[0]->SetFocus();
    Form->PageControl1->SetActivePage(Form->TabSheets[1]);
    EXPECT_FALSE(Form->Memos[0]->Focused());

    Form->PageControl1->SetActivePage(Form->TabSheets[0]);
    Form->Memos[0]->SetFocus();
    TForm dialog(nullptr);
    dialog.Show();
    dialog.BringToFront();
    Form->PageControl1->SetActivePage(Form->TabSheets[1]);
    dialog.Hide();
    Form->BringToFront();
    EXPECT_FALSE(Form->Memos[0]->Focused());
}

TEST_F(PageFocusTest, KeysGivenToAHiddenPageChangeNothing) {
    Form->Documents->OpenDocument(Second, false, true, false);
    TRichEdit* hidden = Form->Memos[0];
    ASSERT_FALSE(hidden->Visible() && Form->TabSheets[0]->Visible());
    String before = hidden->Text();
    TestHooks::TypeText(*hidden, "xyz");
    EXPECT_EQ(before, hidden->Text());
    EXPECT_FALSE(hidden->Modified());
}

// A file the user named that is refused as not a text file is named in a message, whichever way
// it was asked for; nothing opens.
TEST_F(PageFocusTest, AFileRefusedAsNotTextIsNamedInAMessage) {
    String picture = MakePage("site/logo.gif", "GIF89a");
    const std::function<void()> ways[] = {
        [&] {
            AnswerFiles({picture});
            TestHooks::AnswerMessageBox(IDOK);
            Form->Documents->FileOpenClick(Form->Documents->OpenFile1);
        },
        [&] {
            TestHooks::AnswerMessageBox(IDOK);
            Form->Documents->MRU->OnMRUItemClick(Form->Documents->MRU, picture);
        },
        [&] {
            TestHooks::AnswerMessageBox(IDOK);
            Form->OpenHandedOverFile(picture);
        },
    };
    for (const auto& open : ways) {
        open();
        ASSERT_FALSE(TestHooks::Prompts().empty());
        const TestHooks::TPrompt& shown = TestHooks::Prompts().back();
        EXPECT_EQ("MessageBox", shown.Kind);
        EXPECT_EQ(picture + " was not opened: only HTML and text files open in Quiltmarker.\r\n"
                            "Its type can be added to them under Preferences, Text Files.",
                  shown.Text);
        EXPECT_FALSE(Form->PageInUse(1));
    }
}
