#include "app/HandOver.h"

#include "TestSupport.h"
#include "platform/CommonDialogs.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/SingleInstance.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

using TestHooks::TFakeWindow;

namespace {

TFakeWindow Window(uintptr_t handle, const String& title, bool iconic = false,
                   uintptr_t popup = 0) {
    return TFakeWindow{TRunningCopyWindow{handle, title, iconic, true}, popup};
}

const char* const AlreadyRunning =
    "Quiltmarker is already running.\nYou cannot open two copies at once.";

String NotHandedOver(const String& page, const String& why) {
    return "Quiltmarker is already running, but this page could not be handed over to it:\n" +
           page + "\n" + why;
}

} // namespace

// A second copy talks to a stand-in of the running copy that records what is done to its windows;
// the running copy's lock is really held, by the test.
class HandOverTest : public testing::Test {
protected:
    void SetUp() override {
        OldTitle = Application->Title();
        Lock = CreateMutex(nullptr, false, RunningCopyLock);
        ASSERT_EQ(ERROR_SUCCESS, GetLastError());
    }
    void TearDown() override {
        TestHooks::EndFakeRunningCopy();
        Application->SetTitle(OldTitle);
        EndRunningCopy();
    }

    void EndRunningCopy() {
        CloseHandle(Lock);
        Lock = nullptr;
    }

    static std::vector<String> Calls() { return TestHooks::RunningCopyCalls(); }
    static std::vector<String> PromptTexts() {
        std::vector<String> texts;
        for (const TestHooks::TPrompt& prompt : TestHooks::Prompts())
            texts.push_back(prompt.Text);
        return texts;
    }

    String OldTitle;
    HANDLE Lock = nullptr;
};

TEST_F(HandOverTest, FirstTitleThatBeginsWithTheNameAndIsNoApplicationWindowIsChosen) {
    const String longTitle = "Quiltmarker" + String(88, ' ') + "Quiltmarker v.3.0d";
    struct TCase {
        const char* Name;
        std::vector<TFakeWindow> Windows;
        uintptr_t Chosen; // 0: none
    };
    const TCase cases[] = {
        {"main window", {Window(1, "Quiltmarker")}, 1},
        {"application window passed over",
         {Window(5, "Quiltmarker v.3.0d"), Window(1, "Quiltmarker")},
         1},
        {"comparison is case-sensitive",
         {Window(7, "quiltmarker notes"), Window(1, "Quiltmarker")},
         1},
        {"name must come first", {Window(8, "My Quiltmarker"), Window(1, "Quiltmarker")}, 1},
        {"first match wins",
         {Window(9, "Quiltmarker notes - Another Program"), Window(1, "Quiltmarker")},
         9},
        {"title read to 99 characters", {Window(6, longTitle), Window(1, "Quiltmarker")}, 6},
        {"no match", {Window(8, "My Quiltmarker"), Window(5, "Quiltmarker v")}, 0},
        {"no running copy", {}, 0},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TestHooks::Reset();
        DeleteFile(HandOverFileName());
        TestHooks::FakeRunningCopy(test.Windows);
        if (!test.Chosen)
            TestHooks::AnswerMessageBox(IDOK);

        EXPECT_TRUE(HandOverToRunningCopy("/home/u/page.html"));

        if (!test.Chosen) {
            EXPECT_TRUE(Calls().empty());
            EXPECT_FALSE(FileExists(HandOverFileName()));
            ASSERT_EQ(1u, TestHooks::Prompts().size());
            EXPECT_EQ(NotHandedOver("/home/u/page.html", "Its main window was not found."),
                      TestHooks::Prompts()[0].Text);
            continue;
        }
        EXPECT_TRUE(TestHooks::Prompts().empty());
        ASSERT_FALSE(Calls().empty());
        EXPECT_EQ("SendMessage(" + IntToStr(static_cast<int64_t>(test.Chosen)) + ", 0x4F4, 0)",
                  Calls().back());
    }
    EXPECT_EQ(" Quiltmarker", Application->Title());
}

TEST_F(HandOverTest, RunningCopyIsBroughtForwardBeforeTheCommandLineIsHandedOver) {
    struct TCase {
        const char* Name;
        TFakeWindow Main;
        std::vector<String> Calls;
    };
    const TCase cases[] = {
        {"shown",
         Window(1, "Quiltmarker"),
         {"SetForegroundWindow(1)", "ShowWindow(1, SW_SHOW)", "SetForegroundWindow(1)",
          "SendMessage(1, 0x4F4, 0)"}},
        {"minimised under a dialog",
         Window(1, "Quiltmarker", true, 4),
         {"ShowWindow(1, SW_SHOWDEFAULT)", "SetForegroundWindow(1)", "BringWindowToTop(4)",
          "ShowWindow(1, SW_SHOW)", "SetForegroundWindow(1)", "SendMessage(1, 0x4F4, 0)"}},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TestHooks::FakeRunningCopy({test.Main, Window(4, "Link"), Window(0, "Quiltmarker v.3.0d")});

        HandOverToRunningCopy("/home/u/page.html");

        EXPECT_EQ(test.Calls, Calls());
    }
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

TEST_F(HandOverTest, HandOverFileHoldsTheCommandLineAsOneLine) {
    struct TCase {
        const char* CommandLine;
        bool AlreadyRunningMessage;
    };
    for (TCase test : {TCase{"/home/u/my site/page.html", false}, TCase{"", true}}) {
        SCOPED_TRACE(test.CommandLine);
        TestHooks::Reset();
        // An older file, longer and of two lines, is replaced whole.
        WriteFileAtomic(HandOverFileName(), "/an/older/and/longer/name.html\r\nsecond\r\n");
        TestHooks::FakeRunningCopy({Window(1, "Quiltmarker")});
        if (test.AlreadyRunningMessage)
            TestHooks::AnswerMessageBox(IDOK);

        {
            TestSupport::ScopedUmask openToAll(0);
            HandOverToRunningCopy(test.CommandLine);
        }

        EXPECT_EQ(TempFolder() + "lqmlink.txt", HandOverFileName());
        EXPECT_EQ(0600u, TestSupport::ModeOf(HandOverFileName()));
        EXPECT_EQ(String(test.CommandLine) + "\r\n", ReadFileBytes(HandOverFileName()));
        EXPECT_EQ("SendMessage(1, 0x4F4, 0)", Calls().back());
        if (test.AlreadyRunningMessage) {
            ASSERT_EQ(1u, TestHooks::Prompts().size());
            EXPECT_EQ(AlreadyRunning, TestHooks::Prompts()[0].Text);
            EXPECT_EQ(0u, TestHooks::Prompts()[0].Icon());
        } else {
            EXPECT_TRUE(TestHooks::Prompts().empty());
        }
    }
}

TEST_F(HandOverTest, AlreadyRunningMessageComesEvenWhenNoCopyAnswers) {
    TestHooks::FakeRunningCopy({});
    TestHooks::AnswerMessageBox(IDOK);

    HandOverToRunningCopy("");

    ASSERT_EQ(1u, TestHooks::Prompts().size());
    EXPECT_EQ(AlreadyRunning, TestHooks::Prompts()[0].Text);
    EXPECT_FALSE(FileExists(HandOverFileName()));
}

TEST_F(HandOverTest, RunningCopyThatIsNotReadyYetIsWaitedForAndTakesThePage) {
    TestHooks::FakeRunningCopy({Window(1, "Quiltmarker")}, 3);

    EXPECT_TRUE(HandOverToRunningCopy("/home/u/page.html"));

    EXPECT_EQ("/home/u/page.html\r\n", ReadFileBytes(HandOverFileName()));
    ASSERT_FALSE(Calls().empty());
    EXPECT_EQ("SendMessage(1, 0x4F4, 0)", Calls().back());
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

// While the running copy holds its lock, a page it did not take is named to the user; once that
// copy has ended, this one is to start in its place and open the page itself, telling nothing.
TEST_F(HandOverTest, PageNotTakenIsNamedWhileTheRunningCopyRunsAndLeftToThisCopyOnceItEnded) {
    const DWORD oldWait = TestHooks::SetRunningCopyWait(100);
    TFakeWindow silent = Window(1, "Quiltmarker");
    silent.Answers = false;
    const String notAnswering = "It does not answer. Try again once it does.";
    struct TCase {
        const char* Name;
        std::vector<TFakeWindow> Windows;
        int NotReadyAnswers;
        String Why;
    };
    const TCase cases[] = {
        {"never ready", {Window(1, "Quiltmarker")}, -1, notAnswering},
        {"no main window", {Window(5, "Quiltmarker v.3.0d")}, 0, "Its main window was not found."},
        {"hand-over unanswered", {silent}, 0, notAnswering},
    };
    for (bool runs : {true, false}) {
        if (!runs)
            EndRunningCopy();
        for (const TCase& test : cases) {
            SCOPED_TRACE(String(test.Name) + (runs ? ", running" : ", ended"));
            TestHooks::Reset();
            TestHooks::FakeRunningCopy(test.Windows, test.NotReadyAnswers);
            if (runs)
                TestHooks::AnswerMessageBox(IDOK);

            EXPECT_EQ(runs, HandOverToRunningCopy("/home/u/page.html"));

            std::vector<String> told;
            if (runs)
                told.push_back(NotHandedOver("/home/u/page.html", test.Why));
            EXPECT_EQ(told, PromptTexts());
        }
    }
    TestHooks::SetRunningCopyWait(oldWait);
}

TEST_F(HandOverTest, NoMessageIsSentWhenTheHandOverFileCannotBeWritten) {
    // A folder in the file's place cannot be replaced by a file.
    ASSERT_TRUE(ForceDirectories(HandOverFileName() + PathDelim + "inside"));
    TestHooks::FakeRunningCopy({Window(1, "Quiltmarker")});
    TestHooks::AnswerMessageBox(IDOK);

    HandOverToRunningCopy("/home/u/page.html");

    for (const String& call : Calls())
        EXPECT_EQ(String::npos, call.find("SendMessage")) << call;
    ASSERT_EQ(1u, TestHooks::Prompts().size());
    EXPECT_EQ(UINT(MB_ICONERROR), TestHooks::Prompts()[0].Icon());
    EXPECT_EQ(1, Pos(NotHandedOver("/home/u/page.html", "Cannot "), TestHooks::Prompts()[0].Text))
        << TestHooks::Prompts()[0].Text;
    EXPECT_TRUE(DirectoryExists(HandOverFileName()));
}

TEST(ListenForHandOverTest, HandOverMessageOpensTheFirstLineOfTheFileAndOtherMessagesPassOn) {
    TForm* main = new TForm(Application);
    std::vector<UINT> passedOn;
    main->SetWindowProc([&](TMessage& message) { passedOn.push_back(message.Msg); });
    std::vector<String> opened;
    ListenForHandOver(*main, [&](const String& commandLine) { opened.push_back(commandLine); });

    WriteFileAtomic(HandOverFileName(), "/home/u/my site/page.html\r\n");
    EXPECT_EQ(1, SendMessage(main->Handle(), HandOverMessage, 0, 0));
    WriteFileAtomic(HandOverFileName(), "\r\n");
    SendMessage(main->Handle(), WM_USER + 244, 0, 0);
    SendMessage(main->Handle(), WM_USER + 245, 0, 0);
    // The second copy has its answer before anything opens.
    EXPECT_TRUE(opened.empty());
    Application->ProcessMessages();

    EXPECT_EQ((std::vector<String>{"/home/u/my site/page.html", ""}), opened);
    EXPECT_EQ(std::vector<UINT>{WM_USER + 245}, passedOn);
    main->Free();
}

TEST(ListenForHandOverTest, FilesHandedOverWhileAModalWindowIsOpenWaitUntilItHasClosed) {
    TForm* main = new TForm(Application);
    std::vector<String> opened;
    ListenForHandOver(*main, [&](const String& commandLine) { opened.push_back(commandLine); });
    auto handOverTwo = [&] {
        for (const char* page : {"/home/u/one.html", "/home/u/two.html"}) {
            WriteFileAtomic(HandOverFileName(), String(page) + "\r\n");
            SendMessage(main->Handle(), HandOverMessage, 0, 0);
        }
        EXPECT_TRUE(opened.empty());
    };
    struct TCase {
        const char* What;
        std::function<void()> ShowModalWindow;
    };
    const TCase cases[] = {
        {"a form shown modally",
         [&] {
             TForm dialog(nullptr);
             TestHooks::AnswerModal([&](TForm& form) {
                 handOverTwo();
                 form.SetModalResult(mrOk);
             });
             dialog.ShowModal();
         }},
        {"a common dialog",
         [&] {
             TFontDialog dialog(nullptr);
             TestHooks::TDialogAnswer answer;
             answer.Fill = [&](TComponent*) { handOverTwo(); };
             answer.Accepted = true;
             TestHooks::AnswerDialog(answer);
             dialog.Execute();
         }},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.What);
        opened.clear();
        test.ShowModalWindow();
        // The command that showed the window has not ended yet.
        EXPECT_TRUE(opened.empty());
        Application->ProcessMessages();
        EXPECT_EQ((std::vector<String>{"/home/u/one.html", "/home/u/two.html"}), opened);
    }
    main->Free();
}
