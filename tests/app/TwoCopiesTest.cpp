// The program itself, started as a user starts it: a running copy and a later one.

#include "ProgramRun.h"
#include "TestSupport.h"
#include "app/HandOver.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <thread>
#include <unistd.h>

namespace {

// The running copy's windows once one of them satisfies ready, or none when it never does.
std::vector<TRunningCopyWindow>
WaitForWindows(TProgramRun& program,
               const std::function<bool(const std::vector<TRunningCopyWindow>&)>& ready) {
    for (int i = 0; i < 600 && program.Running(); ++i) {
        std::vector<TRunningCopyWindow> windows = RunningCopyWindows();
        if (ready(windows))
            return windows;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

// The main window is shown and the message loop runs: the window in front is a shown
// "Quiltmarker" and the application carries its full title.
bool MainWindowInFront(const std::vector<TRunningCopyWindow>& windows) {
    return windows.size() > 1 && IsWindowVisible(windows.front()) &&
           windows.front().Title == "Quiltmarker" &&
           Pos("Quiltmarker v.", windows.back().Title) == 1;
}

// The copy that ends while the other runs on; none when neither does within the bound.
TProgramRun* FirstToEnd(TProgramRun& one, TProgramRun& other) {
    for (int i = 0; i < 600; ++i) {
        for (TProgramRun* program : {&one, &other})
            if (!program->Running())
                return program;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

const char* const RecentFilesKey = "Software\\Olvane\\Quiltmarker\\LatestFiles";

// Every page the main window opens goes into its recent files, which it writes at its close.
std::set<String> RecentFiles() {
    TStringList lines;
    TRegIniFile(RecentFilesKey).ReadSectionValues("MRU Items", &lines);
    std::set<String> files;
    for (int i = 0; i < lines.Count(); ++i)
        files.insert(lines[i].substr(lines[i].find('=') + 1));
    return files;
}

} // namespace

class TwoCopiesTest : public testing::Test {
protected:
    void SetUp() override {
        Temp.emplace();
        // The splash, hidden, can never be taken for the main window.
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Olvane\\Quiltmarker", true));
        reg.WriteString("SplashScreen", "0");
    }
    void TearDown() override { Temp.reset(); }

    std::optional<TestSupport::ShortTempFolder> Temp;
};

TEST_F(TwoCopiesTest, SecondCopyBringsTheFirstForwardHandsItsFileOverAndEnds) {
    String page = TestSupport::Sandbox("my site/page.html");
    ASSERT_TRUE(ForceDirectories(ExtractFilePath(page)));
    WriteFileAtomic(page, "<html>\r\n</html>\r\n");

    TProgramRun first({});
    ASSERT_TRUE(first.Started());
    std::vector<TRunningCopyWindow> windows = WaitForWindows(first, MainWindowInFront);
    ASSERT_FALSE(windows.empty()) << "the first copy never showed its main window";
    TRunningCopyWindow main = windows.front();
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(RunningCopyWindows().front()));

    TProgramRun second({page});
    EXPECT_EQ(0, second.ExitCode());

    EXPECT_EQ(page + "\r\n", ReadFileBytes(HandOverFileName()));
    windows = RunningCopyWindows();
    ASSERT_FALSE(windows.empty()) << "the first copy no longer answers";
    EXPECT_EQ(main.Handle, windows.front().Handle);
    EXPECT_FALSE(IsIconic(windows.front()));
    EXPECT_TRUE(IsWindowVisible(windows.front()));
    EXPECT_TRUE(first.Running());

    // Only the first copy counted a run.
    TIniFile sessions(ProgramFolder() + "sessions.ini");
    EXPECT_EQ(1, sessions.ReadInteger("Sessions", "Total", 0));

    SendMessage(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, first.ExitCode());
}

// The page engine's libraries are many and slow to load: a run that previews no page never loads
// them, neither through the program's own links nor at its start.
TEST_F(TwoCopiesTest, AnEmptyWindowLeavesThePageEngineUnloaded) {
    TProgramRun program({});
    ASSERT_TRUE(program.Started());
    ASSERT_FALSE(WaitForWindows(program, MainWindowInFront).empty());
    std::ifstream mapsFile("/proc/" + IntToStr(program.Pid()) + "/maps");
    const String maps{std::istreambuf_iterator<char>(mapsFile), {}};
    ASSERT_NE(Pos("libQt6Widgets", maps), 0) << "the program's libraries are listed";
    EXPECT_EQ(Pos("WebEngine", maps), 0);
    EXPECT_EQ(Pos("quiltmarker-browser", maps), 0);
}

TEST_F(TwoCopiesTest, LockIsFreeOnceTheRunningCopyIsKilled) {
    TProgramRun first({});
    ASSERT_TRUE(first.Started());
    ASSERT_FALSE(WaitForWindows(first, MainWindowInFront).empty());
    HANDLE held = CreateMutex(nullptr, false, "QuiltmarkerMutex");
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    CloseHandle(held);

    first.Kill();

    HANDLE taken = CreateMutex(nullptr, false, "QuiltmarkerMutex");
    EXPECT_EQ(ERROR_SUCCESS, GetLastError());
    CloseHandle(taken);
}

// Neither copy can know which of them takes the lock: each round, the one that ends must have
// handed its page over, and the one that runs must have opened both.
TEST_F(TwoCopiesTest, CopiesStartedAtOnceOpenEveryPageInTheCopyThatRuns) {
    const String pageA = TestSupport::Sandbox("site/a.html");
    const String pageB = TestSupport::Sandbox("site/b.html");
    ASSERT_TRUE(ForceDirectories(ExtractFilePath(pageA)));
    for (const String& page : {pageA, pageB})
        WriteFileAtomic(page, "<html>\r\n</html>\r\n");
    const int rounds = 6;

    for (int round = 0; round < rounds; ++round) {
        const std::vector<String> pages = {pageA, round % 2 ? pageB : pageA};
        SCOPED_TRACE("round " + IntToStr(round) + ": " + pages[0] + " and " + pages[1]);
        TRegistry().DeleteKey(RecentFilesKey);
        DeleteFile(HandOverFileName());

        TProgramRun one({pages[0]});
        TProgramRun other({pages[1]});
        ASSERT_TRUE(one.Started() && other.Started());
        TProgramRun* second = FirstToEnd(one, other);
        ASSERT_NE(nullptr, second) << "neither copy ended";
        TProgramRun& running = second == &one ? other : one;
        EXPECT_EQ(0, second->ExitCode());
        EXPECT_EQ(pages[second == &one ? 0 : 1] + "\r\n", ReadFileBytes(HandOverFileName()));

        std::vector<TRunningCopyWindow> windows = WaitForWindows(running, MainWindowInFront);
        ASSERT_FALSE(windows.empty()) << "the running copy never showed its main window";
        SendMessage(windows.front(), WM_CLOSE, 0, 0);
        ASSERT_EQ(0, running.ExitCode());
        EXPECT_EQ(std::set<String>(pages.begin(), pages.end()), RecentFiles());
    }
    TIniFile sessions(ProgramFolder() + "sessions.ini");
    EXPECT_EQ(rounds, sessions.ReadInteger("Sessions", "Total", 0));
}
