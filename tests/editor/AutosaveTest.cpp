// Autosave: the interval commands, the copies of modified pages with their index, and their
// recovery at the first showing after a run that ended without closing its pages.

#include "editor/Autosave.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "services/MRULiss.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace MainWindowSupport;
using TestSupport::ModeOf;

namespace {

const String RecoveryQuestion = "Autosaved file(s) exist from a previous session.\r\nLoad them?";

String IndexName() {
    return TempFolder() + "htmtmp.idx";
}

// The index's lines, without their line ends.
std::vector<String> IndexLines() {
    TStringList index;
    index.LoadFromFile(IndexName());
    std::vector<String> lines;
    for (int i = 0; i < index.Count(); ++i)
        lines.push_back(index.Get(i));
    return lines;
}

// The temporary folder's files that the mask finds, with their paths, in name order.
std::vector<String> TempFiles(const String& mask) {
    std::vector<String> names;
    TSearchRec rec;
    for (int found = FindFirst(TempFolder() + mask, faAnyFile & ~faDirectory, rec); found == 0;
         found = FindNext(rec))
        names.push_back(TempFolder() + rec.Name);
    FindClose(rec);
    return names;
}

class AutosaveTest : public testing::Test {
protected:
    void TearDown() override {
        SetWriteFailureForTests(-1);
        SetTemporaryFileHookForTests(nullptr);
        SetCurrentDir(StartFolder);
    }

    // A page as opening a file leaves it, with the caption its tab shows.
    void Use(int page, const String& fileName, const String& caption, const String& text,
             bool modified) {
        UsePage(*Form, page, fileName, text, modified);
        Form->TabSheets[page]->SetCaption(caption);
    }
    void RunAutosave() { ASSERT_TRUE(TestHooks::FireTimer(*Form->Autosave->AutosaveTimer)); }
    // The window of the next run, after this one ended without closing its pages; its file pane
    // shows the site folder.
    void Crash() {
        Form = MakeMainWindow();
        ASSERT_TRUE(ForceDirectories(Site));
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
    }

    // The file pane makes its folder the current one.
    String StartFolder = GetCurrentDir();
    std::unique_ptr<THTMLEMainForm> Form = MakeMainWindow();
    String Site = TestSupport::Sandbox("site/");
};

} // namespace

TEST_F(AutosaveTest, CopiesModifiedPagesAndListsThemInPageOrder) {
    Use(0, Site + "index.html", "index.html", "<p>one</p>", true);
    Use(1, "[untitled]", "[untitled2]", "two", true);
    Use(2, Site + "other.html", "other.html", "three", false);
    Form->StatusBar1->Panels().Items(THTMLEMainForm::FolderPanel)->SetText("/site");

    RunAutosave();

    std::vector<String> copies = {Form->AutosaveNames[0], Form->AutosaveNames[1]};
    EXPECT_EQ(Form->AutosaveNames[2], "");
    for (const String& copy : copies) {
        EXPECT_EQ(ExtractFilePath(copy), TempFolder());
        EXPECT_TRUE(
            MatchesMask(ExtractFileName(copy), "ht~" + std::to_string(getpid()) + "-????.htmtmp"))
            << copy;
    }
    EXPECT_EQ(ReadFileBytes(copies[0]), "<p>one</p>");
    EXPECT_EQ(ReadFileBytes(copies[1]), "two");
    EXPECT_EQ(IndexLines(), (std::vector<String>{copies[0] + "=index.html\t" + Site + "index.html",
                                                 copies[1] + "=[untitled2]"}));
    EXPECT_EQ(TempFiles("*.tmp"), std::vector<String>());
    EXPECT_EQ(PanelText(*Form, THTMLEMainForm::FolderPanel), "/site");
    EXPECT_TRUE(Form->Autosave->AutosaveTimer->Enabled());

    // A page that stays modified gets a new copy at every run and its old one goes; a page no
    // longer modified keeps its copy and leaves the index.
    Form->Memos[1]->SetModified(false);
    RunAutosave();
    EXPECT_NE(Form->AutosaveNames[0], copies[0]);
    EXPECT_FALSE(FileExists(copies[0]));
    EXPECT_EQ(ReadFileBytes(Form->AutosaveNames[0]), "<p>one</p>");
    EXPECT_EQ(Form->AutosaveNames[1], copies[1]);
    EXPECT_TRUE(FileExists(copies[1]));
    EXPECT_EQ(IndexLines().size(), 1u);
}

TEST_F(AutosaveTest, WithoutModifiedPagesTheIndexIsEmptiedAndNoCopyMade) {
    WriteFileAtomic(IndexName(), "/old/ht~0001.htmtmp=old.html\r\n");
    Use(0, Site + "index.html", "index.html", "same", false);

    RunAutosave();

    EXPECT_EQ(ReadFileBytes(IndexName()), "");
    EXPECT_EQ(TempFiles("ht~*"), std::vector<String>());
}

TEST_F(AutosaveTest, WriteFailureIsShownOnceKeepsTheOldCopyAndTheTimerRuns) {
    Use(0, Site + "index.html", "index.html", "first", true);
    RunAutosave();
    String copy = Form->AutosaveNames[0];
    Form->Memos[0]->SetText("second");
    Form->Memos[0]->SetModified(true);

    SetWriteFailureForTests(0);
    TestHooks::AnswerMessageBox(IDOK);
    RunAutosave();
    RunAutosave();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    const TestHooks::TPrompt& shown = TestHooks::Prompts()[0];
    EXPECT_EQ(Pos("Cannot write file \"" + TempFolder() + "ht~", shown.Text), 1) << shown.Text;
    EXPECT_TRUE(shown.Text.ends_with("No space left on device.")) << shown.Text;
    EXPECT_EQ(shown.Icon(), static_cast<UINT>(MB_ICONSTOP));
    EXPECT_TRUE(Form->Autosave->AutosaveTimer->Enabled());
    EXPECT_EQ(Form->AutosaveNames[0], copy);
    EXPECT_EQ(ReadFileBytes(copy), "first");
    EXPECT_EQ(TempFiles("*.tmp"), std::vector<String>());

    // Once a run writes everything, the next failure is shown again.
    SetWriteFailureForTests(-1);
    RunAutosave();
    EXPECT_EQ(ReadFileBytes(Form->AutosaveNames[0]), "second");
    EXPECT_FALSE(FileExists(copy));
    SetWriteFailureForTests(0);
    TestHooks::AnswerMessageBox(IDOK);
    RunAutosave();
    EXPECT_EQ(TestHooks::Prompts().size(), 2u);
}

struct IntervalCase {
    const char* Item;
    int Minutes;
    bool Runs;
};

class AutosaveMenu : public testing::TestWithParam<IntervalCase> {};

TEST_P(AutosaveMenu, SetsTheTimerTheSettingAndTheChecks) {
    const IntervalCase& param = GetParam();
    Store(ProductKey, {{"Autosave", 5}});
    auto form = MakeMainWindow();
    auto* item = dynamic_cast<TMenuItem*>(form->FindComponent(param.Item));
    ASSERT_NE(item, nullptr);

    item->Click();

    EXPECT_EQ(form->Autosave->AutosaveTimer->Enabled(), param.Runs);
    if (param.Runs) {
        EXPECT_EQ(form->Autosave->AutosaveTimer->Interval(), param.Minutes * 60000);
    }
    EXPECT_TRUE(item->Checked());
    for (TMenuItem* other : {form->Autosave->Off1, form->Autosave->N2mins1, form->Autosave->N5mins1,
                             form->Autosave->N10mins1, form->Autosave->N15mins1})
        EXPECT_EQ(other->Checked(), other == item) << other->Name();
    EXPECT_EQ(form->Autosave->Autosave1->Checked(), param.Runs);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(ProductKey));
    EXPECT_EQ(reg.ReadInteger("Autosave"), param.Minutes);
}

INSTANTIATE_TEST_SUITE_P(Intervals, AutosaveMenu,
                         testing::Values(IntervalCase{"Off1", 0, false},
                                         IntervalCase{"N2mins1", 2, true},
                                         IntervalCase{"N10mins1", 10, true},
                                         IntervalCase{"N15mins1", 15, true}),
                         [](const auto& info) { return String(info.param.Item); });

class Recovery : public AutosaveTest, public testing::WithParamInterface<int> {};

TEST_P(Recovery, AfterACrashAsksOnceAndLoadsOrDropsTheCopies) {
    bool load = GetParam() == IDYES;
    Use(0, Site + "index.html", "index.html", "<p>one</p>\r\n", true);
    Use(1, "[untitled]", "[untitled2]", "two", true);
    RunAutosave();
    std::vector<String> copies = TempFiles("*.htmtmp");
    ASSERT_EQ(copies.size(), 2u);
    Crash();

    TestHooks::AnswerMessageBox(GetParam());
    Form->Show();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, RecoveryQuestion);
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Quiltmarker");
    EXPECT_EQ(TestHooks::Prompts()[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(TempFiles("*.htmtmp"), std::vector<String>());
    EXPECT_FALSE(FileExists(IndexName()));
    // The copies are gone: none of them may be offered as a recent file.
    EXPECT_EQ(0, Form->Documents->MRU->Items().Count());
    EXPECT_EQ(Form->PageInUse(0), load);
    EXPECT_EQ(Form->PageInUse(1), load);
    if (!load)
        return;
    EXPECT_EQ(Form->TabSheets[0]->Caption(), "index.html");
    EXPECT_EQ(Form->FileNames[0], Site + "index.html");
    EXPECT_EQ(Form->Memos[0]->Text(), "<p>one</p>\r\n");
    EXPECT_EQ(Form->TabSheets[1]->Caption(), "[untitled2]");
    EXPECT_EQ(Form->FileNames[1], "[untitled]");
    EXPECT_EQ(Form->Memos[1]->Text(), "two");
    EXPECT_TRUE(Form->Memos[0]->Modified());
    EXPECT_TRUE(Form->Memos[1]->Modified());
}

INSTANTIATE_TEST_SUITE_P(Answers, Recovery, testing::Values(IDYES, IDNO),
                         [](const auto& info) { return info.param == IDYES ? "Yes" : "No"; });

TEST_F(AutosaveTest, IndexLinesAndCopiesThatDoNotMatchAreTakenAsTheyCome) {
    String named = TempFolder() + "ht~0001.htmtmp";
    String unnamed = TempFolder() + "ht~0002.htmtmp";
    WriteFileAtomic(named, "named");
    WriteFileAtomic(unnamed, "unnamed");
    WriteFileAtomic(IndexName(), "no equals sign\r\n\r\n" + TempFolder() +
                                     "ht~0009.htmtmp=gone.html\t/gone/gone.html\r\n"
                                     "elsewhere/ht~0001.htmtmp=a=b.html\r\n");
    Crash();

    TestHooks::AnswerMessageBox(IDYES);
    Form->Show();

    // The copy is known by its file name; a line without a path leaves its page untitled.
    EXPECT_EQ(Form->TabSheets[0]->Caption(), "a=b.html");
    EXPECT_EQ(Form->FileNames[0], "[untitled]");
    EXPECT_EQ(Form->Memos[0]->Text(), "named");
    EXPECT_EQ(Form->FileNames[1], "[untitled]");
    EXPECT_EQ(Pos("[untitled", Form->TabSheets[1]->Caption()), 1);
    EXPECT_EQ(Form->Memos[1]->Text(), "unnamed");
    EXPECT_TRUE(Form->Memos[1]->Modified());
    EXPECT_FALSE(Form->PageInUse(2));
    EXPECT_EQ(TempFiles("*.htmtmp"), std::vector<String>());
    EXPECT_FALSE(FileExists(IndexName()));
}

TEST_F(AutosaveTest, CopiesBeyondTheFreePagesStayForTheNextStart) {
    const int copies = THTMLEMainForm::PageCount + 2;
    String index;
    for (int i = 0; i < copies; ++i) {
        String copy = TempFolder() + Format("ht~%.4X.htmtmp", i);
        WriteFileAtomic(copy, "page " + IntToStr(i));
        index +=
            copy + "=page" + IntToStr(i) + ".html\t" + Site + "page" + IntToStr(i) + ".html\r\n";
    }
    WriteFileAtomic(IndexName(), index);
    ASSERT_EQ(::chmod(IndexName().c_str(), 0644), 0);
    Crash();

    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::AnswerMessageBox(IDOK);
    Form->Show();

    ASSERT_EQ(TestHooks::Prompts().size(), 2u);
    EXPECT_EQ(TestHooks::Prompts()[1].Text,
              "2 autosaved file(s) could not be loaded now.\r\nThey stay in " + TempFolder() +
                  " and will be offered again at the next start.");
    std::vector<String> kept = {TempFolder() + "ht~0014.htmtmp", TempFolder() + "ht~0015.htmtmp"};
    EXPECT_EQ(TempFiles("*.htmtmp"), kept);
    EXPECT_EQ(IndexLines(),
              (std::vector<String>{kept[0] + "=page20.html\t" + Site + "page20.html",
                                   kept[1] + "=page21.html\t" + Site + "page21.html"}));
    EXPECT_EQ(Form->Memos[19]->Text(), "page 19");
    EXPECT_EQ(ModeOf(IndexName()), 0600u);

    // An autosave run keeps them in the index, and the next start offers them with their names.
    for (TRichEdit* editor : Form->Memos)
        editor->SetModified(false);
    RunAutosave();
    EXPECT_EQ(IndexLines().size(), 2u);
    Crash();
    TestHooks::AnswerMessageBox(IDYES);
    Form->Show();
    EXPECT_EQ(Form->TabSheets[0]->Caption(), "page20.html");
    EXPECT_EQ(Form->FileNames[1], Site + "page21.html");
    EXPECT_EQ(TempFiles("*.htmtmp"), std::vector<String>());
}

// Whatever the umask and $TMPDIR, the copies and the index are this user's alone from their first
// byte, an index of an earlier run too; the pages themselves still follow the umask.
TEST_F(AutosaveTest, CopiesAndTheirIndexAreThisUsersAloneFromTheirFirstByte) {
    TestSupport::ScopedUmask umask(022);
    ASSERT_EQ(TempFolder(), TestSupport::Sandbox("tmp/"));
    WriteFileAtomic(IndexName(), "");
    ASSERT_EQ(ModeOf(IndexName()), 0644u);
    Use(0, Site + "index.html", "index.html", "one", true);
    Use(1, "[untitled]", "[untitled2]", "two", true);
    std::vector<mode_t> created;
    SetTemporaryFileHookForTests(
        [&](const String& tempName) { created.push_back(ModeOf(tempName)); });

    RunAutosave();

    EXPECT_EQ(created, std::vector<mode_t>(3, 0600));
    EXPECT_EQ(ModeOf(Form->AutosaveNames[0]), 0600u);
    EXPECT_EQ(ModeOf(Form->AutosaveNames[1]), 0600u);
    EXPECT_EQ(ModeOf(IndexName()), 0600u);
    const String page = TestSupport::Sandbox("index.html");
    WriteFileAtomic(page, "one");
    EXPECT_EQ(ModeOf(page), 0644u);
}

// The placeholders and unfinished copies of a killed run go at the next start, once recovery
// has taken its copies, whether there were copies or not; those of a run that goes on, and names
// that autosave does not make, stay.
TEST_F(AutosaveTest, LeftoversOfAKilledRunGoAtTheNextStartAfterRecovery) {
    const String ended = std::to_string(TestSupport::EndedProcessId());
    const String running = std::to_string(getppid());
    struct Planted {
        String Name;
        bool Stays;
    };
    const std::vector<Planted> planted = {
        {"ht~" + ended + "-0001.tmp", false},
        {".ht~" + ended + "-0002.htmtmp.qmsave-" + ended + "-4.tmp", false},
        {".htmtmp.idx.qmsave-" + ended + "-5.tmp", false},
        {"ht~" + running + "-0003.tmp", true},
        {".ht~" + running + "-0003.htmtmp.qmsave-" + running + "-6.tmp", true},
        {"ht~" + ended + "-03.tmp", true},
        {"report-" + ended + "-0004.tmp", true},
    };
    const String copy = TempFolder() + "ht~" + ended + "-0001.htmtmp";
    for (bool withCopy : {true, false}) {
        SCOPED_TRACE(withCopy ? "with a copy" : "without copies");
        for (const Planted& file : planted)
            TestSupport::PlantFile(TempFolder() + file.Name);
        if (withCopy) {
            TestSupport::PlantFile(copy, "unsaved");
            TestSupport::PlantFile(IndexName(), copy + "=index.html\t" + Site + "index.html\r\n");
            TestHooks::AnswerMessageBox(IDYES);
        }
        Crash();

        Form->Show();

        EXPECT_EQ(Form->PageInUse(0), withCopy);
        if (withCopy) {
            EXPECT_EQ(Form->Memos[0]->Text(), "unsaved");
        }
        EXPECT_EQ(TempFiles("*.htmtmp"), std::vector<String>());
        for (const Planted& file : planted)
            EXPECT_EQ(FileExists(TempFolder() + file.Name), file.Stays) << file.Name;
    }
}

// A copy is written with the line ends its page saves with, so a recovered page is saved as its
// file had them; a file with mixed line ends is told of on opening, not again on recovery.
TEST_F(AutosaveTest, ARecoveredPageIsSavedWithTheLineEndsOfItsFile) {
    struct Case {
        const char* Situation;
        String File;
        String Saved; // after "x" typed at the start
        bool Mixed;
    };
    const Case cases[] = {
        {"CR", "a\rb\r", "xa\rb\r", false},
        {"mostly LF", "a\r\nb\nc\n", "xa\nb\nc\n", true},
    };
    ASSERT_TRUE(ForceDirectories(Site));
    String file = Site + "page.htm";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        TestHooks::Reset();
        WriteFileAtomic(file, c.File);
        Form = MakeMainWindow();
        if (c.Mixed)
            TestHooks::AnswerMessageBox(IDOK);
        ASSERT_EQ(Form->Documents->OpenDocument(file, false, true, false), 0);
        Form->Memos[0]->SetSelStart(0);
        TestHooks::TypeText(*Form->Memos[0], "x");
        RunAutosave();
        Crash();

        TestHooks::AnswerMessageBox(IDYES);
        Form->Show();
        ASSERT_EQ(Form->FileNames[0], file);
        EXPECT_TRUE(Form->Documents->SaveDocument(0, false, false));
        EXPECT_EQ(ReadFileBytes(file), c.Saved);
        EXPECT_EQ(TestHooks::Prompts().size(), c.Mixed ? 2u : 1u);
    }
}
