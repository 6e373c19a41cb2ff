// The tag checker's window as a user drives it: Check Tags from the main window, the jump from a
// report line to its place, saving and reloading the page, the window's settings, copying and
// printing.

#include "site/TagCheckForm.h"
#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/ComCtrls.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "site/TagChecking.h"
#include "tags/HTMLGlobal.h"
#include "widgets/Splitters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace MainWindowSupport;

namespace {

const String Page = "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n<BODY>\r\n</B>\r\n"
                    "</BODY>\r\n</HTML>\r\n";
const String TagCheckPath = ProductKey + "\\TagCheck";

String ReadFile(const String& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const String& path, const String& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<String> Items(const TListBox& list) {
    std::vector<String> items;
    for (int index = 0; index < list.Items().Count(); ++index)
        items.push_back(list.Items().Get(index));
    return items;
}

class TagCheckFormTest : public testing::Test {
protected:
    void SetUp() override {
        GlobalForm = new TGlobalForm(nullptr);
        std::filesystem::create_directories(TestSupport::Sandbox("site"));
        Path = TestSupport::Sandbox("site") + "/page.htm";
        WriteFile(Path, Page);
    }
    void TearDown() override {
        delete GlobalForm;
        GlobalForm = nullptr;
    }

    // The window alone, made as the command makes it, on the page's file.
    std::unique_ptr<TTagCheckForm> MakeChecker(const String& path) {
        GlobalForm->ResultText = path;
        return std::make_unique<TTagCheckForm>(nullptr);
    }

    // Runs Check Tags from the editor's shortcut menu with the window answered by use.
    void CheckTags(THTMLEMainForm& form, std::function<void(TTagCheckForm&)> use) {
        TestHooks::AnswerModal([use](TForm& shown) { use(dynamic_cast<TTagCheckForm&>(shown)); });
        form.TagChecking->CheckTags1->Click();
    }

    String Path;
};

// As the user does: the line scrolled into view, then double-clicked.
void DoubleClickLine(TTagCheckForm& checker, int index) {
    checker.ListReport->SetTopIndex(index);
    TRect line = checker.ListReport->ItemRect(index);
    TestHooks::DoubleClickMouse(*checker.ListReport, line.Left + 2, line.Top + 2);
}

} // namespace

TEST_F(TagCheckFormTest, CheckTagsReportsThePageAndSavingReloadsIt) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, Path, Page);
    CheckTags(*form, [](TTagCheckForm& checker) {
        EXPECT_EQ(Items(*checker.ListReport),
                  (std::vector<String>{"Line 6 char 1 - <B> closed but not opened.", ""}));
        DoubleClickLine(checker, 0);
        EXPECT_EQ(checker.REFile->SelText(), "</B>");
        EXPECT_TRUE(checker.REFile->Focused());
        EXPECT_EQ(checker.FileStatusBar->Panels().Items(1)->Text(), "Line: 6");
        EXPECT_EQ(checker.FileStatusBar->Panels().Items(2)->Text(), "Char: 1");
        checker.REFile->SetSelText("");
        EXPECT_TRUE(checker.SaveButton->Enabled());
        checker.CheckButton->Click();
        EXPECT_EQ(Items(*checker.ListReport), (std::vector<String>{"NO ERRORS FOUND", ""}));
        checker.SaveButton->Click();
        checker.ExitButton->Click();
    });
    const String fixed = "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n<BODY>\r\n\r\n"
                         "</BODY>\r\n</HTML>\r\n";
    EXPECT_EQ(ReadFile(Path), fixed);
    EXPECT_EQ(form->Memos[0]->Text(), fixed);
    EXPECT_FALSE(form->Memos[0]->Modified());
    EXPECT_EQ(TagCheckForm, nullptr);
}

TEST_F(TagCheckFormTest, AnUnsavedOrMissingPageIsRefusedWithoutAWindow) {
    auto form = MakeMainWindow();
    for (const String& name : {String("[untitled1]"), Path + ".gone", String()}) {
        UsePage(*form, 0, name, Page);
        form->UpdateDocumentCommands();
        TestHooks::AnswerMessageBox(IDOK);
        form->TagChecking->Validatecurrentfile1->Click();
        ASSERT_FALSE(TestHooks::Prompts().empty());
        EXPECT_EQ(TestHooks::Prompts().back().Text,
                  "You must save the file before checking the tags.");
        EXPECT_EQ(TestHooks::Prompts().back().Kind, "MessageBox");
    }
    EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
}

// The menu bar's items need a page, or help-pointer mode, as the page's other commands do.
TEST_F(TagCheckFormTest, TheMenuBarsItemsNeedAPage) {
    auto form = MakeMainWindow();
    auto offered = [&] {
        const bool tools = form->TagChecking->Validate1->Enabled();
        EXPECT_EQ(form->TagChecking->Validatecurrentfile1->Enabled(), tools);
        return tools;
    };
    EXPECT_FALSE(offered());
    UsePage(*form, 0, Path, Page);
    form->UpdateDocumentCommands();
    EXPECT_TRUE(offered());
    form->Documents->Close1Click(nullptr);
    EXPECT_FALSE(offered());
    form->EnableDocumentCommands();
    EXPECT_TRUE(offered());
}

// The checker reads the file; a page with unsaved changes of its own is reloaded only when the
// user agrees to lose them.
TEST_F(TagCheckFormTest, AModifiedPageIsReloadedOnlyWhenTheUserAgrees) {
    for (int answer : {IDYES, IDNO}) {
        WriteFile(Path, Page);
        auto form = MakeMainWindow();
        UsePage(*form, 0, Path, "my unsaved work", true);
        TestHooks::AnswerModal([](TForm& shown) {
            auto& checker = dynamic_cast<TTagCheckForm&>(shown);
            checker.REFile->SetText("saved by the checker");
            checker.SaveButton->Click();
            checker.ExitButton->Click();
        });
        TestHooks::AnswerMessageBox(answer);
        form->TagChecking->CheckTags1->Click();
        EXPECT_EQ(form->Memos[0]->Text(),
                  answer == IDYES ? "saved by the checker" : "my unsaved work");
        EXPECT_EQ(ReadFile(Path), "saved by the checker");
    }
}

// The text limit never cuts a loaded file, so saving from the checker keeps all of it, whatever
// "MaxEditSize" holds.
TEST_F(TagCheckFormTest, TheTextLimitNeverShortensTheFile) {
    const String big = Page + String(500, 'x');
    for (const char* limit : {"100", "-1", "abc"}) {
        WriteFile(Path, big);
        Store(ProductKey, {{"MaxEditSize", String(limit)}});
        auto form = MakeMainWindow();
        UsePage(*form, 0, Path, big);
        CheckTags(*form, [](TTagCheckForm& checker) {
            checker.REFile->SetModified(true);
            checker.SaveButton->Click();
            checker.ExitButton->Click();
        });
        EXPECT_EQ(ReadFile(Path), big) << limit;
        EXPECT_EQ(form->MaxEditSize, String(limit) == "100" ? 100 : String(limit) == "-1" ? -1 : 0);
    }
}

TEST_F(TagCheckFormTest, AFileThatCannotBeLoadedIsReportedAndTheWindowKnowsIt) {
    TestHooks::AnswerMessageBox(IDOK);
    auto checker = MakeChecker(Path + ".gone");
    EXPECT_FALSE(checker->FileLoaded());
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_NE(TestHooks::Prompts()[0].Text.find("page.htm.gone"), String::npos);
    EXPECT_EQ(checker->ListReport->Items().Count(), 0);
}

TEST_F(TagCheckFormTest, AReportLineTakesTheCaretToThePlaceItNames) {
    auto checker = MakeChecker(Path);
    checker->REFile->SetText("x <IMG SRC=\"a.gif\">\r\n<B>");
    checker->CheckButton->Click();
    const std::vector<String> report = Items(*checker->ListReport);
    struct Case {
        String Line;
        int SelStart;
        String Selected;
    };
    const int end = checker->REFile->GetTextLen();
    const std::vector<Case> cases = {
        {"Line 1 Char 1 - No opening <HTML> tag.", 0, "x <IMG SRC=\"a.gif\">"},
        {"     Line 2 char 1 - Location of opening <B> tag", 21, "<B>"},
        {"End of file - <B> opened in line 2 char 1 not closed.", end, ""},
    };
    for (const Case& c : cases) {
        auto found = std::find(report.begin(), report.end(), c.Line);
        ASSERT_NE(found, report.end()) << c.Line;
        checker->REFile->SetSelStart(5);
        DoubleClickLine(*checker, static_cast<int>(found - report.begin()));
        EXPECT_EQ(checker->REFile->SelStart(), c.SelStart) << c.Line;
        EXPECT_EQ(checker->REFile->SelText(), c.Selected) << c.Line;
    }
    for (const String& still : {String("COMMENTS:"), String("")}) {
        auto found = std::find(report.begin(), report.end(), still);
        ASSERT_NE(found, report.end());
        checker->REFile->SetSelStart(5);
        DoubleClickLine(*checker, static_cast<int>(found - report.begin()));
        EXPECT_EQ(checker->REFile->SelStart(), 5) << still;
    }
}

TEST_F(TagCheckFormTest, AMapLineSelectsItsTagAndTheLevelLimitsTheMap) {
    auto checker = MakeChecker(Path);
    checker->REFile->SetText("<HTML><!-- note --><BODY bgcolor=white></BODY></HTML>");
    checker->MapButton->Click();
    EXPECT_TRUE(checker->MapShown());
    ASSERT_EQ(checker->ListReport->Items().Count(), 5);
    DoubleClickLine(*checker, 1);
    EXPECT_EQ(checker->REFile->SelText(), "<!-- note -->");
    DoubleClickLine(*checker, 2);
    EXPECT_EQ(checker->REFile->SelText(), "<BODY ");
    checker->LevelUpDown->SetPosition(1);
    checker->MapButton->Click();
    EXPECT_EQ(Items(*checker->ListReport),
              (std::vector<String>{"<HTML>" + String(10, ' '), "</HTML>"}));
    checker->CheckButton->Click();
    EXPECT_FALSE(checker->MapShown());
}

TEST_F(TagCheckFormTest, ExitAsksAboutChangesAndCancelKeepsTheWindow) {
    struct Case {
        int Answer;
        bool Closed;
        bool Saved;
    };
    for (const Case& c :
         {Case{IDCANCEL, false, false}, Case{IDNO, true, false}, Case{IDYES, true, true}}) {
        WriteFile(Path, Page);
        auto checker = MakeChecker(Path);
        checker->REFile->SetText("changed");
        checker->REFile->SetModified(true);
        TestHooks::AnswerMessageBox(c.Answer);
        checker->ExitButton->Click();
        EXPECT_EQ(TestHooks::Prompts().back().Text, "The file has been changed. Save it?");
        EXPECT_EQ(TestHooks::Prompts().back().Buttons(), static_cast<UINT>(MB_YESNOCANCEL));
        EXPECT_EQ(checker->ModalResult() == mrOk, c.Closed) << c.Answer;
        EXPECT_EQ(checker->FileSaved(), c.Saved) << c.Answer;
        EXPECT_EQ(ReadFile(Path), c.Saved ? "changed" : Page) << c.Answer;
    }
}

TEST_F(TagCheckFormTest, SaveAsWritesTheCopyButLeavesThePageAlone) {
    auto checker = MakeChecker(Path);
    checker->REFile->SetText("copy");
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.FileName = Path + ".copy.htm";
    TestHooks::AnswerDialog(answer);
    checker->Button1->Click();
    EXPECT_EQ(ReadFile(Path + ".copy.htm"), "copy");
    EXPECT_EQ(ReadFile(Path), Page);
    EXPECT_FALSE(checker->FileSaved());
    EXPECT_FALSE(checker->REFile->Modified());
}

TEST_F(TagCheckFormTest, ThePlacementIsKeptAndReadBack) {
    {
        auto checker = MakeChecker(Path);
        EXPECT_EQ(checker->Width(), 683);
        EXPECT_EQ(checker->WindowState(), wsNormal);
        EXPECT_TRUE(TRegistry().KeyExists(TagCheckPath));
        checker->SetBounds(40, 30, 600, 500);
        checker->Pane1->SetPaneSize(200);
    }
    {
        auto checker = MakeChecker(Path);
        EXPECT_EQ(checker->BoundsRect(), Bounds(40, 30, 600, 500));
        EXPECT_EQ(checker->Pane1->PaneSize(), 200);
        checker->SetWindowState(wsMaximized);
        checker->SetLeft(5);
        checker->Close();
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(TagCheckPath, false));
    EXPECT_TRUE(reg.ReadBool("IsMaximized"));
    EXPECT_EQ(reg.ReadInteger("Left"), 40);
    Store(TagCheckPath, {{"Width", String("wide")}});
    auto checker = MakeChecker(Path);
    EXPECT_EQ(checker->Width(), 683);
    EXPECT_EQ(checker->WindowState(), wsMaximized);
}

TEST_F(TagCheckFormTest, TheReportAndTheCodeAreCopiedAndPrinted) {
    Store(ProductKey + "\\Printer Font", {{"FontName", String("Courier New")}});
    auto checker = MakeChecker(Path);
    TestHooks::AnswerMessageBox(IDOK);
    checker->Copy2->Click();
    EXPECT_EQ(TestHooks::ClipboardText(), "Line 6 char 1 - <B> closed but not opened.\r\n\r\n");
    EXPECT_EQ(TestHooks::Prompts().back().Text, "Report copied to clipboard");
    TestHooks::AnswerMessageBox(IDOK);
    checker->Copy1->Click();
    EXPECT_EQ(TestHooks::ClipboardText(), Page);
    EXPECT_EQ(TestHooks::Prompts().back().Text, "HTML code copied to clipboard");
    checker->Print2->Click();
    checker->Print1->Click();
    const auto& jobs = TestHooks::PrintJobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].Title, "Quiltmarker Tag Check");
    EXPECT_EQ(jobs[0].Text, "Line 6 char 1 - <B> closed but not opened.\r\n\r\n");
    EXPECT_EQ(jobs[0].FontName, "Courier New");
    EXPECT_EQ(jobs[1].Title, "Quiltmarker Tag Check");
    EXPECT_EQ(jobs[1].Text, Page);
}
