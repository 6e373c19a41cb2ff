#include "platform/Processes.h"
#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/SingleInstance.h"
#include "platform/TestHooks.h"
#include "platform/WinHelp.h"

#include <gtest/gtest.h>

TEST(ProcessesTest, SplitsCommandLinesKeepingQuotedBlanks) {
    struct Case {
        String Line;
        std::vector<String> Arguments;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"   ", {}},
        {"gimp page.htm", {"gimp", "page.htm"}},
        {"  gimp \t page.htm  ", {"gimp", "page.htm"}},
        {"\"/opt/My Tools/edit\" \"/home/a b/page.htm\" -x",
         {"/opt/My Tools/edit", "/home/a b/page.htm", "-x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"prog \"\"", {"prog", ""}},
        {"C:\\tools\\x.exe \"unclosed arg", {"C:\\tools\\x.exe", "unclosed arg"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.Line), c.Arguments) << c.Line;
}

TEST(ProcessesTest, StartsAreRecordedWithEveryArgumentWhole) {
    TestHooks::Reset();
    EXPECT_TRUE(StartProgram("/usr/bin/firefox", {"/home/a b/page one.htm"}));
    EXPECT_TRUE(OpenWithDesktop("mailto:someone@example.org?subject=Hi"));
    const auto& launches = TestHooks::Launches();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].Program, "/usr/bin/firefox");
    EXPECT_EQ(launches[0].Arguments, std::vector<String>{"/home/a b/page one.htm"});
    EXPECT_EQ(launches[1].Program, "xdg-open");
    EXPECT_EQ(launches[1].Arguments, std::vector<String>{"mailto:someone@example.org?subject=Hi"});
    TestHooks::Reset();
    EXPECT_TRUE(TestHooks::Launches().empty());
}

// The help program is the viewer of WinHelp.h; anything else is started as a program.
TEST(ProcessesTest, WinExecOpensTheHelpViewerOrStartsTheProgram) {
    TestHooks::Reset();
    const String dir = TestSupport::CurrentSandbox + PathDelim + "help files";
    ForceDirectories(dir);
    const String helpFile = dir + PathDelim + "ref.hlp";
    WriteFileAtomic(helpFile, "[Options]\r\nTitle=Reference\r\n");

    EXPECT_GT(WinExec("WinHelp " + helpFile, SW_SHOWNORMAL), 31u);
    EXPECT_GT(WinExec("WINHELP.EXE ", SW_SHOWNORMAL), 31u);
    EXPECT_EQ(WinExec("WinHelp " + dir + PathDelim + "missing.hlp", SW_SHOWNORMAL), 2u);
    EXPECT_EQ(WinExec("   ", SW_SHOWNORMAL), 2u);
    const auto& requests = TestHooks::HelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].HelpFile, helpFile);
    EXPECT_EQ(requests[0].Command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(requests[1].HelpFile, "");

    EXPECT_GT(WinExec("gimp \"/home/a b/x.png\" -n", SW_SHOWNORMAL), 31u);
    ASSERT_EQ(TestHooks::Launches().size(), 1u);
    EXPECT_EQ(TestHooks::Launches()[0].Program, "gimp");
    EXPECT_EQ(TestHooks::Launches()[0].Arguments, (std::vector<String>{"/home/a b/x.png", "-n"}));
}
