// The main window's first showing: the splash goes, autosaved copies are offered back, the
// command line's file opens and the leftovers of a crash in the site folder are offered, once.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/HTMLSplash.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

struct CommandLineCase {
    const char* Name;
    bool Exists;
    bool Opens;
};

class FirstShowing : public testing::TestWithParam<CommandLineCase> {
protected:
    void TearDown() override { StartupCommandLine.clear(); }
};

} // namespace

TEST_P(FirstShowing, FreesTheSplashAndOpensTheCommandLineFileOnlyOnce) {
    const CommandLineCase& param = GetParam();
    String page = TestSupport::Sandbox(param.Name);
    if (param.Exists)
        WriteFileAtomic(page, "<p>\n");
    StartupCommandLine = page;
    Splash = new TSplash(nullptr);
    Splash->Show();
    auto form = MakeMainWindow();
    ASSERT_TRUE(form->FirstShowPending);

    // A page that cannot open is named in a message, never dropped without a word.
    if (!param.Opens)
        TestHooks::AnswerMessageBox(IDOK);
    form->Show();
    if (!param.Opens) {
        ASSERT_EQ(1u, TestHooks::Prompts().size());
        EXPECT_EQ(1, Pos(page + " was not opened: ", TestHooks::Prompts()[0].Text));
    }
    EXPECT_EQ(Splash, nullptr);
    EXPECT_FALSE(form->FirstShowPending);
    EXPECT_EQ(form->PageInUse(0), param.Opens);
    EXPECT_EQ(form->FileNames[0], param.Opens ? page : String());

    // Showing again after the page closed opens nothing more.
    form->Hide();
    form->Memos[0]->SetModified(false);
    form->Documents->Close1Click(nullptr);
    form->Show();
    EXPECT_FALSE(form->PageInUse(0));
    EXPECT_FALSE(form->PageInUse(1));
}

INSTANTIATE_TEST_SUITE_P(CommandLines, FirstShowing,
                         testing::Values(CommandLineCase{"Page.html", true, true},
                                         CommandLineCase{"missing.html", false, false},
                                         CommandLineCase{"picture.png", true, false}),
                         [](const auto& info) {
                             return info.index == 0   ? "ExistingPage"
                                    : info.index == 1 ? "MissingFile"
                                                      : "NotText";
                         });

TEST(FirstShowingOrder, RecoveryComesBeforeTheCommandLineFileAndBothOnlyOnce) {
    String page = TestSupport::Sandbox("page.html");
    WriteFileAtomic(page, "<p>on disk</p>");
    String copy = TempFolder() + "ht~0001.htmtmp";
    WriteFileAtomic(copy, "<p>recovered</p>");
    WriteFileAtomic(TempFolder() + "htmtmp.idx", copy + "=earlier.html\t/site/earlier.html\r\n");
    StartupCommandLine = page;
    auto form = MakeMainWindow();

    TestHooks::AnswerMessageBox(IDYES);
    form->Show();
    form->Hide();
    form->Show();
    StartupCommandLine.clear();

    EXPECT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(form->FileNames[0], "/site/earlier.html");
    EXPECT_EQ(form->Memos[0]->Text(), "<p>recovered</p>");
    EXPECT_EQ(form->FileNames[1], page);
    EXPECT_FALSE(form->PageInUse(2));
}

TEST(FirstShowingLeftovers, TheFirstTemporaryFileAndEveryAutosavedOneAreOffered) {
    String site = TestSupport::Sandbox("site/");
    ASSERT_TRUE(ForceDirectories(site));
    for (const char* name : {"~~index.html", "~~more.html", "ht~a.html", "ht~b.html"})
        WriteFileAtomic(site + name, String("<p>") + name);
    auto form = MakeMainWindow();
    String startFolder = GetCurrentDir();
    form->FilePane->DirectoryListBox1->SetDirectory(site);

    for (int answer : {IDYES, IDNO, IDYES})
        TestHooks::AnswerMessageBox(answer);
    form->Show();
    SetCurrentDir(startFolder);

    const auto& prompts = TestHooks::Prompts();
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].Text,
              "A temporary file called ~~index.html exists.\r\nIt appears that Quiltmarker may "
              "have crashed during the last session\r\nand left this file behind. You should "
              "replace the existing file\r\nindex.html with this file. Do you want to load the "
              "temporary file now?");
    EXPECT_EQ(prompts[1].Text, "An autosaved file called ht~a.html exists.\r\nThis is an unsaved "
                               "copy of a.html. Do you want to recover it now?");
    EXPECT_EQ(prompts[2].Text, "Recover b.html?");
    for (const TestHooks::TPrompt& prompt : prompts) {
        EXPECT_EQ(prompt.Caption, "Quiltmarker");
        EXPECT_EQ(prompt.Flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    }
    EXPECT_EQ(form->FileNames[0], site + "~~index.html");
    EXPECT_EQ(form->Memos[0]->Text(), "<p>~~index.html");
    EXPECT_TRUE(form->Memos[0]->Modified());
    EXPECT_EQ(form->FileNames[1], site + "ht~b.html");
    EXPECT_TRUE(form->Memos[1]->Modified());
    EXPECT_FALSE(form->PageInUse(2));
    for (const char* name : {"~~index.html", "~~more.html", "ht~a.html", "ht~b.html"})
        EXPECT_TRUE(FileExists(site + name)) << name;
}
