// The help viewer: topics and keywords found through a help set's index, an index page for what
// has no page, the viewer's windows, and the requests that tests record instead.

#include "platform/WinHelp.h"
#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

namespace {

uintptr_t KeywordData(const char* keyword) {
    return reinterpret_cast<uintptr_t>(keyword);
}

// A help set of two pages; topic 300 names a page that is not there.
class WinHelpTest : public testing::Test {
protected:
    void SetUp() override {
        Folder = TestSupport::Sandbox("help") + PathDelim;
        ForceDirectories(Folder);
        HelpFile = Folder + "Test.hlp";
        WriteFileAtomic(HelpFile, "[Options]\r\n"
                                  "Title=Test Help\r\n"
                                  "HelpOnHelp=using.html\r\n"
                                  "[Contents]\r\n"
                                  "Using help=using.html\r\n"
                                  "Missing page=gone.html\r\n"
                                  "Files & <folders>=files.html\r\n"
                                  "[Topics]\r\n"
                                  "200=files.html#close\r\n"
                                  "300=gone.html\r\n"
                                  "30000=using.html#popup\r\n"
                                  "[Keywords]\r\n"
                                  "Help Pointer=using.html#pointer\r\n");
        WriteFileAtomic(Folder + "using.html", "<html><body>Using help</body></html>");
        WriteFileAtomic(Folder + "files.html", "<html><body>Files</body></html>");
    }
    void TearDown() override { RunHelpViewer(HelpFile, HELP_QUIT, 0); }

    String Folder;
    String HelpFile;
};

} // namespace

TEST_F(WinHelpTest, RequestsLeadToTheirPagesOrToTheIndexPage) {
    struct Case {
        UINT Command;
        uintptr_t Data;
        String Page;  // relative to the help folder; "" for the index page
        String Asked; // the index page's line on what was asked for
    };
    const Case cases[] = {
        {HELP_CONTEXT, 200, "files.html#close", ""},
        {HELP_CONTEXTPOPUP, 30000, "using.html#popup", ""},
        {HELP_KEY, KeywordData("help pointer"), "using.html#pointer", ""},
        {HELP_PARTIALKEY, KeywordData("HELP POINTER"), "using.html#pointer", ""},
        {HELP_HELPONHELP, 0, "using.html", ""},
        {HELP_CONTEXT, 10240, "", "<p>There is no page yet for help topic 10240.</p>"},
        {HELP_CONTEXT, 300, "", "<p>There is no page yet for help topic 300.</p>"},
        {HELP_KEY, KeywordData("<BODY>"), "",
         "<p>There is no page yet for the keyword &quot;&lt;BODY&gt;&quot;.</p>"},
        {HELP_FINDER, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(IntToStr(static_cast<int>(c.Command)) + " " + c.Page + c.Asked);
        THelpTopic topic;
        ASSERT_TRUE(FindHelpTopic(HelpFile, c.Command, c.Data, topic));
        EXPECT_EQ(topic.Title, "Test Help");
        if (!c.Page.empty()) {
            EXPECT_EQ(topic.Page, Folder + c.Page);
            EXPECT_EQ(topic.Html, "");
            continue;
        }
        EXPECT_EQ(topic.Page, "");
        EXPECT_NE(topic.Html.find("<h1>Test Help</h1>"), String::npos);
        EXPECT_EQ(topic.Html.find("There is no page") != String::npos, !c.Asked.empty());
        if (!c.Asked.empty()) {
            EXPECT_NE(topic.Html.find(c.Asked), String::npos);
        }
        // The index lists the pages that are there, in the index's order, and no others.
        size_t using_ = topic.Html.find(">Using help</a>");
        size_t files = topic.Html.find(">Files &amp; &lt;folders&gt;</a>");
        EXPECT_NE(using_, String::npos);
        EXPECT_NE(files, String::npos);
        EXPECT_LT(using_, files);
        EXPECT_EQ(topic.Html.find("Missing page"), String::npos);
        EXPECT_NE(topic.Html.find("href=\"file://" + Folder + "using.html\""), String::npos);
    }
}

// A help set may name a contents page of its own; one that is not there falls to the index page.
TEST_F(WinHelpTest, TheContentsShowTheHelpSetsOwnContentsPage) {
    struct Case {
        const char* Contents;
        String Page;
    };
    const Case cases[] = {{"files.html", Folder + "files.html"}, {"gone.html", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Contents);
        TIniFile(HelpFile).WriteString("Options", "Contents", c.Contents);
        for (UINT command : {HELP_FINDER, HELP_CONTENTS}) {
            THelpTopic topic;
            ASSERT_TRUE(FindHelpTopic(HelpFile, command, 0, topic));
            EXPECT_EQ(topic.Page, c.Page);
            EXPECT_EQ(topic.Html.empty(), !c.Page.empty());
        }
    }
}

TEST_F(WinHelpTest, NoTopicForAMissingHelpFileOrACommandWithoutOne) {
    THelpTopic topic;
    EXPECT_FALSE(FindHelpTopic(Folder + "none.hlp", HELP_CONTEXT, 200, topic));
    EXPECT_FALSE(FindHelpTopic(HelpFile, HELP_QUIT, 0, topic));
}

TEST_F(WinHelpTest, TheViewerShowsTopicsAndPopupsAndQuits) {
    EXPECT_TRUE(RunHelpViewer(HelpFile, HELP_CONTEXT, 200));
    EXPECT_EQ(HelpWindowSource(false), Folder + "files.html#close");
    EXPECT_EQ(HelpWindowSource(true), "");

    EXPECT_TRUE(RunHelpViewer(HelpFile, HELP_CONTEXTPOPUP, 30000));
    EXPECT_EQ(HelpWindowSource(true), Folder + "using.html#popup");
    EXPECT_EQ(HelpWindowSource(false), Folder + "files.html#close");

    EXPECT_TRUE(RunHelpViewer(HelpFile, HELP_FINDER, 0));
    EXPECT_EQ(HelpWindowSource(false), "(index)");

    EXPECT_TRUE(RunHelpViewer(HelpFile, HELP_QUIT, 0));
    EXPECT_EQ(HelpWindowSource(false), "");
    EXPECT_EQ(HelpWindowSource(true), "");
}

TEST_F(WinHelpTest, BackReturnsThroughThePagesShownAndEscapeCloses) {
    EXPECT_FALSE(TestHooks::ClickHelpWindowBack());
    ASSERT_TRUE(RunHelpViewer(HelpFile, HELP_FINDER, 0));
    EXPECT_FALSE(TestHooks::ClickHelpWindowBack()) << "nothing to go back to yet";
    ASSERT_TRUE(RunHelpViewer(HelpFile, HELP_CONTEXT, 200));
    ASSERT_TRUE(RunHelpViewer(HelpFile, HELP_HELPONHELP, 0));
    ASSERT_TRUE(RunHelpViewer(HelpFile, HELP_KEY, KeywordData("help pointer")));

    EXPECT_TRUE(TestHooks::ClickHelpWindowBack());
    EXPECT_EQ(HelpWindowSource(false), Folder + "using.html");
    EXPECT_TRUE(TestHooks::PressKeyInHelpWindow(VK_LEFT, TShiftState{ssAlt}));
    EXPECT_EQ(HelpWindowSource(false), Folder + "files.html#close");
    EXPECT_TRUE(TestHooks::ClickHelpWindowBack());
    EXPECT_EQ(HelpWindowSource(false), "(index)");
    EXPECT_FALSE(TestHooks::ClickHelpWindowBack()) << "the first page has none before it";

    EXPECT_TRUE(TestHooks::PressKeyInHelpWindow(VK_ESCAPE));
    EXPECT_EQ(HelpWindowSource(false), "");
    EXPECT_FALSE(TestHooks::PressKeyInHelpWindow(VK_ESCAPE));
}

TEST_F(WinHelpTest, TheViewerReportsAHelpFileItCannotFind) {
    String missing = Folder + "none.hlp";
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(RunHelpViewer(missing, HELP_CONTEXT, 200));
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Cannot find the help file " + missing + ".");
    EXPECT_EQ(TestHooks::Prompts()[0].Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(HelpWindowSource(false), "");
}

// In tests the request is recorded, keyword included, and no window opens.
TEST_F(WinHelpTest, TestsRecordRequestsWithTheirKeyword) {
    EXPECT_EQ(WinHelp(nullptr, HelpFile, HELP_KEY, KeywordData("TABLE")), 1);
    EXPECT_EQ(WinHelp(nullptr, HelpFile, HELP_CONTEXT, 200), 1);
    const auto& requests = TestHooks::HelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].HelpFile, HelpFile);
    EXPECT_EQ(requests[0].Command, static_cast<UINT>(HELP_KEY));
    EXPECT_EQ(requests[0].Keyword, "TABLE");
    EXPECT_EQ(requests[1].Data, 200u);
    EXPECT_EQ(requests[1].Keyword, "");
    EXPECT_EQ(HelpWindowSource(false), "");
}

// Every page and anchor the shipped help sets name is there, so no shipped topic falls to the
// index page.
TEST(ShippedHelp, EveryIndexedPageIsThere) {
    String helpFolder = String(QM_SOURCE_DATA) + PathDelim + "help" + PathDelim;
    TIniFile index(helpFolder + "Quiltmarker.hlp");
    TIniFile reference(helpFolder + "wdghtml40.hlp");
    int entries = 0;
    for (auto [helpSet, section] : {std::pair<TIniFile*, const char*>{&index, "Contents"},
                                    {&index, "Topics"},
                                    {&index, "Keywords"},
                                    {&reference, "Contents"},
                                    {&reference, "Keywords"}}) {
        TStringList names;
        helpSet->ReadSection(section, &names);
        for (int i = 0; i < names.Count(); ++i, ++entries) {
            String page = helpSet->ReadString(section, names[i], "");
            size_t hash = page.find('#');
            String file = helpFolder + page.substr(0, hash);
            ASSERT_TRUE(FileExists(file)) << section << " " << names[i] << "=" << page;
            if (hash != String::npos) {
                EXPECT_NE(ReadFileBytes(file).find("name=\"" + page.substr(hash + 1) + "\""),
                          String::npos)
                    << section << " " << names[i] << "=" << page;
            }
        }
    }
    EXPECT_GT(entries, 0);
    EXPECT_TRUE(FileExists(helpFolder + index.ReadString("Options", "HelpOnHelp", "")));
    EXPECT_TRUE(FileExists(helpFolder + reference.ReadString("Options", "Contents", "")));
}
