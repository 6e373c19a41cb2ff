#include "platform/Processes.h"
#include "platform/TestHooks.h"

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
