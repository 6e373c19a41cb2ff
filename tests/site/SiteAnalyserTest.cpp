// The site analyser on a small site in a temporary folder: what each pass puts in which list,
// the BODY background, the trace of local links, the report's exact lines, and the command in
// the window with its questions, its refusals while it runs and its closing.

#include "site/SiteAnalyser.h"
#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileListBox.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "site/SiteAnalysing.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace MainWindowSupport;

namespace {

const String Html = "<HTML>\r\n";
const String HtmlEnd = "</HTML>\r\n";

class SiteTest : public testing::Test {
protected:
    void SetUp() override {
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
        std::filesystem::create_directories(Site);
        for (const char* name : {"pic.gif", "my pic.gif", "bg.gif", "page.htm", "cut.gif"})
            WriteFileAtomic(Site + name, "x");
        WriteFileAtomic(Site + "anchors.htm", "<a name=\"part\">");
    }

    // Each value a pass gave, as "list:value".
    std::vector<String> Pass(const String& text, bool images) {
        std::vector<String> seen;
        TSiteFiles files(Site);
        bool done = AnalysePageText(
            text, images, files,
            [&](TAnalyserList list, const String& value) {
                seen.push_back(IntToStr(list) + ":" + value);
            },
            [] { return true; });
        EXPECT_TRUE(done);
        return seen;
    }

    String Site;
};

TEST_F(SiteTest, ImagePassSortsEachSourceIntoItsList) {
    const String page = "<img src=\"pic.gif\"><IMG SRC=gone.gif>\r\n"
                        "<!-- <img src=\"cut.gif\"> -->\r\n"
                        "<img src=\"http://x.org/a.gif\"><img src=\"my%20pic.gif\">\r\n"
                        "<img src=\"Pic.gif\"><img src=\"pic.gif?v=2\"><img src=\"unclosed.gif";
    EXPECT_EQ(Pass(page, true),
              (std::vector<String>{"0:pic.gif", "1:gone.gif", "2:cut.gif", "3:http://x.org/a.gif",
                                   "0:my pic.gif",
                                   // Linux names differ by case: another case is missing.
                                   "1:Pic.gif", "0:pic.gif?v=2", "1:unclosed.gif... ..."}));
}

TEST_F(SiteTest, LinkPassSortsEachTargetIntoItsList) {
    const String page =
        "<A NAME=\"top\"><a href=\"page.htm\"><a href=\"#top\"><a href=\"#nowhere\">"
        "<a href=\"anchors.htm#part\"><a href=\"anchors.htm#other\">"
        "<a href=\"mailto:x\"><a href=\"//cdn/x\"><a href=\"PAGE.htm\">"
        "<a href=\"page.htm?q=1\"><!-- <a href=\"old.htm\"> --><a href=\"gone.htm\">";
    EXPECT_EQ(Pass(page, false),
              (std::vector<String>{"4:page.htm", "4:#top", "5:#nowhere", "4:anchors.htm#part",
                                   "5:anchors.htm#other", "7:mailto:x", "7://cdn/x", "5:PAGE.htm",
                                   "4:page.htm?q=1", "6:old.htm", "5:gone.htm"}));
}

// Only the BODY tag's own BACKGROUND counts, quoted or not, whole.
TEST_F(SiteTest, BackgroundComesFromTheBodyTagOnly) {
    const struct {
        const char* Page;
        std::vector<String> Seen;
    } cases[] = {
        {"<body background=\"bg.gif\">", {"0:bg.gif [BACKGROUND]"}},
        {"<BODY BACKGROUND=bg.gif TEXT=red>", {"0:bg.gif [BACKGROUND]"}},
        {"<body background='none.gif'>", {"1:none.gif [BACKGROUND]"}},
        {"<body><td background=\"bg.gif\">", {}},
        {"<td background=\"bg.gif\">", {}},
        {"<body background=\"bg.gif", {"0:bg.gif [BACKGROUND]"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pass(c.Page, true), c.Seen) << c.Page;
}

// Only the first 50 comments are recorded: an image in the 51st counts as used.
TEST_F(SiteTest, FiftyFirstCommentIsNotRecorded) {
    String page;
    for (int i = 0; i < 50; ++i)
        page += "<!-- c -->";
    page += "<!-- <img src=\"pic.gif\"> -->";
    EXPECT_EQ(Pass(page, true), (std::vector<String>{"0:pic.gif"}));
}

TEST(SiteAnalyserText, EscapesAreDecoded) {
    EXPECT_EQ(DecodeEscapes("a%20b%2Fc%zz%4"), "a b/c%zz%4");
    EXPECT_TRUE(LooksLikeHtml("<html><body></Html>"));
    EXPECT_FALSE(LooksLikeHtml("<html>\x01\x02"));
}

// Pages that link to each other are reached once; the missing page reached by following is
// reported by its full path; no link leaves the folder.
TEST_F(SiteTest, TraceFollowsLocalLinksWithoutLoopingOrLeaving) {
    WriteFileAtomic(Site + "a.htm", "<a href=\"b.htm#x\">b</a> <a href=\"a.htm\">\r\n"
                                    "<a href=\"mailto:me@x\"> <a href=\"../up.htm\">\r\n"
                                    "<a href=\"/etc/passwd\">");
    WriteFileAtomic(Site + "b.htm", "<a href=\"a.htm\"><a href=\"c.htm\">\r\n"
                                    "<frame src=\"f%20x.htm\"><a href=\"PAGE.htm\">");
    WriteFileAtomic(Site + "f x.htm", "<a href=\"b.htm\">");
    TLinkTrace trace = TraceLocalLinks(Site, "a.htm", [] { return true; });
    EXPECT_FALSE(trace.Aborted);
    EXPECT_EQ(TraceReportLines(trace),
              (std::vector<String>{"  3 INTERNAL LINKS FOUND:", "     a.htm", "     b.htm",
                                   "     f x.htm", "======================================",
                                   "  THE FOLLOWING 2 FILES WERE NOT FOUND:",
                                   "     " + Site + "PAGE.htm", "     " + Site + "c.htm"}));

    // A page linking to itself and to one missing page.
    WriteFileAtomic(Site + "self.htm", "<a href=\"self.htm\"><a href=\"none.htm\">");
    EXPECT_EQ(
        TraceReportLines(TraceLocalLinks(Site, "self.htm", [] { return true; })),
        (std::vector<String>{"  1 INTERNAL LINK FOUND:", "     self.htm",
                             "======================================",
                             "  THE FOLLOWING FILE WAS NOT FOUND:", "     " + Site + "none.htm"}));
    EXPECT_TRUE(TraceLocalLinks(Site, "a.htm", [] { return false; }).Aborted);
}

std::vector<String> Texts(const TReportLines& lines) {
    std::vector<String> texts;
    for (const TReportLine& line : lines)
        texts.push_back(line.Text);
    return texts;
}

TEST(SiteAnalyserReport, CombinedReportLinesPerList) {
    TAnalyserListSet lists;
    lists[alImagesUsed] = {"a.gif"};
    lists[alImagesMissing] = {"b.gif"};
    lists[alImagesCommented] = {"c.gif"};
    lists[alImagesExternal] = {"http://x/d.gif"};
    lists[alLinksActive] = {"p.htm"};
    lists[alLinksMissing] = {"q.htm"};
    lists[alLinksCommented] = {"r.htm"};
    lists[alLinksExternal] = {"mailto:s"};
    TReportLines all;
    for (const TReportLines& part : CombinedReportParts(lists))
        all.insert(all.end(), part.begin(), part.end());
    EXPECT_EQ(Texts(all),
              (std::vector<String>{"",
                                   "The selected files use the following images:",
                                   "a.gif",
                                   "The following external links have not been checked:",
                                   "http://x/d.gif",
                                   "The following images CANNOT BE FOUND:",
                                   ">>>    b.gif     <<<",
                                   "The following images are commented out:",
                                   "c.gif",
                                   "---------------------------",
                                   "The selected files contain these active links:",
                                   "p.htm",
                                   "The following external links have not been checked:",
                                   "mailto:s",
                                   "The following links point to NON-EXISTENT pages:",
                                   ">>>     q.htm     <<<",
                                   "The following links are commented out:",
                                   "r.htm",
                                   "===========================",
                                   "=== ERRORS WERE REPORTED ===",
                                   "==========================="}));
    EXPECT_EQ(all[6].Colour, RGB(255, 0, 0));
    EXPECT_EQ(all[7].Style, (TFontStyles{fsBold}));
    EXPECT_EQ(all[8].Colour, RGB(128, 128, 128));
    EXPECT_EQ(all[19].SizeStep, 1);

    TAnalyserListSet empty;
    TReportLines none;
    for (const TReportLines& part : CombinedReportParts(empty))
        none.insert(none.end(), part.begin(), part.end());
    EXPECT_EQ(Texts(none),
              (std::vector<String>{"", "The selected files use the following images:", "    NONE",
                                   "---------------------------",
                                   "The selected files contain these active links:", "     NONE",
                                   "===========================", "=== No errors were reported ===",
                                   "==========================="}));
    EXPECT_EQ(none[7].Colour, RGB(0, 0, 255));
}

TEST(SiteAnalyserReport, SeparateSectionLines) {
    TAnalyserListSet lists;
    lists[alImagesMissing] = {"b.gif"};
    lists[alImagesExternal] = {"http://x/d.gif"};
    lists[alLinksActive] = {"p.htm"};
    lists[alLinksMissing] = {"q.htm"};
    EXPECT_EQ(
        Texts(ImageSectionLines("/s/a.htm", lists)),
        (std::vector<String>{"/s/a.htm", "uses the following images:", "     NONE",
                             "The following images CANNOT BE FOUND:", ">>>    b.gif     <<<"}));
    EXPECT_EQ(Texts(LinkSectionLines("/s/a.htm", lists)),
              (std::vector<String>{
                  "", "/s/a.htm", "contains the following active links:", "p.htm",
                  "The following external links have not been checked:", "     NONE",
                  "The following links point to NON-EXISTENT pages:", ">>>    q.htm     <<<"}));
    EXPECT_EQ(PathLine("/s/a.htm"),
              (TReportLine{"/s/a.htm", {fsBold, fsItalic}, 2, RGB(0, 128, 0)}));
    EXPECT_EQ(Texts(NotAnalysedLines({"x.bin"})),
              (std::vector<String>{"The following files were not analysed:", "x.bin",
                                   "==========================="}));
}

// ---- The command in the window ----

class AnalyserWindowTest : public SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        WriteFileAtomic(Site + "one.htm", Html + "<img src=\"pic.gif\"><a href=\"two.htm\">" +
                                              "<a href=\"gone.htm\">\r\n" + HtmlEnd);
        WriteFileAtomic(Site + "two.htm", Html + "<img src=\"pic.gif\"><img src=\"no.gif\">" +
                                              "<a href=\"one.htm\">\r\n" + HtmlEnd);
        WriteFileAtomic(Site + "x.bin", String("\0\x01\x02<img src=\"pic.gif\">", 22));
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
        Form->FilePane->FileListBox1->SetMask("*.*");
        Form->FilePane->FileListBox1->SetMultiSelect(true);
    }

    void Select(std::initializer_list<const char*> names) {
        for (const char* name : names)
            Form->FilePane->FileListBox1->SetSelected(
                Form->FilePane->FileListBox1->Items().IndexOf(name), true);
    }

    std::vector<String> ReportLines() {
        std::vector<String> lines;
        TStrings& report = Form->ReportPane->ReportForm->Lines();
        for (int i = 0; i < report.Count(); ++i)
            lines.push_back(report[i]);
        return lines;
    }

    std::unique_ptr<THTMLEMainForm> Form;
};

TEST_F(AnalyserWindowTest, NothingSelectedIsAnError) {
    TestHooks::AnswerMessageBox(IDOK);
    Form->SiteAnalyser->Analyse1->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              "You must first select a file (or files) in the file list.");
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Analyse Files");
    EXPECT_FALSE(Form->ReportPane->ReportForm->Visible());
}

// Two pages and a binary file together: the same image once, the declined file named at the end.
TEST_F(AnalyserWindowTest, CombinedReportOfSeveralFiles) {
    Select({"one.htm", "two.htm", "x.bin"});
    TestHooks::AnswerMessageBox(IDNO); // no separate reports
    TestHooks::AnswerMessageBox(IDNO); // x.bin is not analysed
    Form->SiteAnalyser->AnalyseButton->Click();
    EXPECT_EQ(TestHooks::Prompts().back().Text,
              "'x.bin' does not appear to be an HTML file. Do you still want to analyse it?");
    EXPECT_EQ(ReportLines(),
              (std::vector<String>{Site + "one.htm",
                                   Site + "two.htm",
                                   Site + "x.bin",
                                   "",
                                   "The selected files use the following images:",
                                   "pic.gif",
                                   "The following images CANNOT BE FOUND:",
                                   ">>>    no.gif     <<<",
                                   "---------------------------",
                                   "The selected files contain these active links:",
                                   "one.htm",
                                   "two.htm",
                                   "The following links point to NON-EXISTENT pages:",
                                   ">>>     gone.htm     <<<",
                                   "===========================",
                                   "=== ERRORS WERE REPORTED ===",
                                   "===========================",
                                   "The following files were not analysed:",
                                   "x.bin",
                                   "==========================="}));
    EXPECT_EQ(
        Form->ReportPane->ReportForm->ColorAt(Form->ReportPane->ReportForm->Text().find(">>>")),
        RGB(255, 0, 0));
    EXPECT_EQ(Form->ReportPane->ImagesLabel->Caption(), "Images: 1");
    EXPECT_EQ(Form->ReportPane->LinksLabel->Caption(), "Links: 2");
    EXPECT_FALSE(Form->ReportPane->AbortButton->Visible());
    EXPECT_TRUE(Form->SiteAnalyser->Analyse1->Enabled());
    EXPECT_EQ(GetCurrentDir() + "/", Site);
}

TEST_F(AnalyserWindowTest, OneFileWithoutTracingGetsItsOwnSection) {
    Select({"two.htm"});
    TestHooks::AnswerMessageBox(IDNO); // no trace
    Form->SiteAnalyser->Analyse1->Click();
    EXPECT_EQ(
        ReportLines(),
        (std::vector<String>{Site + "two.htm", "uses the following images:", "pic.gif",
                             "The following images CANNOT BE FOUND:", ">>>    no.gif     <<<", "",
                             Site + "two.htm", "contains the following active links:", "one.htm",
                             "The following external links have not been checked:", "     NONE",
                             "===========================", "=== ERRORS WERE REPORTED ===",
                             "===========================", ""}));
    EXPECT_EQ(Form->ReportPane->ProgressBar->Max(), 9);
}

TEST_F(AnalyserWindowTest, TraceReportsReachedPagesAndSelectsThem) {
    Select({"one.htm"});
    TestHooks::AnswerMessageBox(IDYES); // trace
    TestHooks::AnswerMessageBox(IDYES); // select the links
    Form->SiteAnalyser->Analyse1->Click();
    EXPECT_EQ(
        ReportLines(),
        (std::vector<String>{"  2 INTERNAL LINKS FOUND:", "     one.htm", "     two.htm",
                             "======================================",
                             "  THE FOLLOWING FILE WAS NOT FOUND:", "     " + Site + "gone.htm"}));
    std::vector<String> selected;
    for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
        if (Form->FilePane->FileListBox1->Selected(i))
            selected.push_back(Form->FilePane->FileListBox1->Items()[i]);
    EXPECT_EQ(selected, (std::vector<String>{"one.htm", "two.htm"}));
    EXPECT_FALSE(Form->ReportPane->AbortButton->Visible());
}

// Closing the window while the analysis runs stops it first: the pane closes, the lists are
// left alone, and the window closes once the analysis has ended.
TEST_F(AnalyserWindowTest, ClosingTheWindowStopsTheAnalysis) {
    Select({"one.htm", "two.htm"});
    TestHooks::AnswerMessageBox(IDYES); // separate reports
    bool closeAsked = false;
    bool closedAfter = false;
    Form->OnCloseQuery = [&](TObject* sender, bool& canClose) {
        closeAsked = true;
        EXPECT_TRUE(Form->SiteAnalyser->AnalysisRunning());
        EXPECT_FALSE(Form->SiteAnalyser->Analyse1->Enabled());
        EXPECT_FALSE(Form->ReportPane->PrintReportButton->Enabled());
        Form->FormCloseQuery(sender, canClose);
        EXPECT_FALSE(canClose);
        // The second asking comes once the analysis has ended; the test keeps its window.
        Form->OnCloseQuery = [&](TObject*, bool& again) {
            closedAfter = !Form->SiteAnalyser->AnalysisRunning();
            again = false;
        };
    };
    PostMessage(Form->Handle(), WM_CLOSE, 0, 0);
    Form->SiteAnalyser->Analyse1->Click();
    EXPECT_TRUE(closeAsked);
    EXPECT_TRUE(closedAfter);
    EXPECT_FALSE(Form->SiteAnalyser->AnalysisRunning());
    EXPECT_FALSE(Form->ReportPane->ReportForm->Visible());
    EXPECT_FALSE(Form->SiteAnalyser->CloseAfterAnalysis);
}

// At most 500 files are analysed: with 501 selected the user is told, and the first 500 in list
// order make the report; exactly 500 are analysed without a word.
TEST_F(AnalyserWindowTest, NoMoreThanFiveHundredFilesAreAnalysed) {
    for (int i = 0; i <= 500; ++i)
        WriteFileAtomic(Site + Format("f%03d.htm", i), Html + HtmlEnd);
    TFileListBox& list = *Form->FilePane->FileListBox1;
    list.SetMask("f*.htm");
    ASSERT_EQ(list.Items().Count(), 501);
    const String limit =
        "Cannot analyse more than 500 files at one time.\r\nOnly the first 500 will be analysed.";
    for (int selected : {500, 501}) {
        SCOPED_TRACE(selected);
        TestHooks::Reset();
        for (int i = 0; i < list.Items().Count(); ++i)
            list.SetSelected(i, i < selected);
        if (selected > 500)
            TestHooks::AnswerMessageBox(IDOK);
        TestHooks::AnswerMessageBox(IDNO); // one combined report
        Form->SiteAnalyser->Analyse1->Click();
        const std::vector<TestHooks::TPrompt>& prompts = TestHooks::Prompts();
        ASSERT_EQ(prompts.size(), selected > 500 ? 2u : 1u);
        if (selected > 500) {
            EXPECT_EQ(prompts[0].Text, limit);
            EXPECT_EQ(prompts[0].Caption, "Quiltmarker");
            EXPECT_EQ(prompts[0].Flags, static_cast<UINT>(MB_OK));
        }
        EXPECT_EQ(prompts.back().Text, "Do you want a separate report for each file?");
        const std::vector<String> lines = ReportLines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), Site + "f499.htm"), 1);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), Site + "f500.htm"), 0);
        EXPECT_EQ(lines.front(), Site + "f000.htm");
        EXPECT_EQ(Form->ReportPane->ProgressBar->Max(), 7 * 500);
    }
}

} // namespace
