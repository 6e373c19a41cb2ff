// The download-time estimate: what a page weighs with the images it names, and the estimate's
// window at the seven speeds, for the file pane's file and for the active page.

#include "site/DownloadTime.h"
#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/ExtCtrls.h"
#include "platform/FileListBox.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "site/DownloadEstimate.h"
#include "site/FilePane.h"
#include "site/HTMLDownload.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace MainWindowSupport;

namespace {

const std::array<const char*, 7> SpeedLabels = {"14.4K modem", "28.8K modem", "33.6K modem",
                                                "56.6K modem", "ISDN (64K)",  "ISDN (128K)",
                                                "T1 (1.554M)"};

// What the estimate's window showed.
struct TShown {
    String FileName, Size, Total, Exclude;
    bool ExcludeVisible = false;
    std::vector<String> Labels, Seconds, Minutes;
    std::vector<TColor> MinutesColours;
};

class DownloadTimeTest : public testing::Test {
protected:
    void SetUp() override {
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
        std::filesystem::create_directories(Site + "img");
    }

    String Make(const String& name, const String& bytes) {
        WriteFileAtomic(Site + name, bytes);
        return Site + name;
    }
    String Make(const String& name, size_t size) { return Make(name, String(size, 'x')); }

    // A page of exactly size bytes that begins with the markup.
    String Page(const String& name, const String& markup, size_t size) {
        EXPECT_LE(markup.size(), size);
        return Make(name, markup + String(size - markup.size(), ' '));
    }

    void MakeWindow() {
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
        Form->FilePane->FileListBox1->SetMask("*.*");
    }

    void SelectFile(const String& name) {
        Form->FilePane->FileListBox1->Update();
        for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
            if (Form->FilePane->FileListBox1->Items()[i] == name)
                Form->FilePane->FileListBox1->SetItemIndex(i);
    }

    void AnswerEstimate() {
        TestHooks::AnswerModal([this](TForm& form) {
            auto& estimate = dynamic_cast<THTMLDownloadForm&>(form);
            Shown.FileName = estimate.FileNamePanel->Caption();
            Shown.Size = estimate.SizeEdit->Caption();
            Shown.Total = estimate.TotSizeLabel->Caption();
            Shown.Exclude = estimate.ExcludeLabel->Caption();
            Shown.ExcludeVisible = estimate.ExcludeLabel->Visible();
            for (TLabel* label : estimate.SpeedLabels)
                Shown.Labels.push_back(label->Caption());
            for (TPanel* panel : estimate.SecondsPanels())
                Shown.Seconds.push_back(panel->Caption());
            for (TPanel* panel : estimate.MinutesPanels()) {
                Shown.Minutes.push_back(panel->Caption());
                Shown.MinutesColours.push_back(panel->Color());
            }
            estimate.OKButton->Click();
        });
    }

    String Site;
    std::unique_ptr<THTMLEMainForm> Form;
    TShown Shown;
};

// Each row: the page's markup and size, the images on disk, and the bytes, images found and
// images missing that the page adds up to.
struct TMeasureCase {
    const char* Name;
    String Markup;
    std::vector<std::pair<String, size_t>> Images;
    int64_t Total;
    int Found;
    int Missing;
};

TEST_F(DownloadTimeTest, MeasuresThePageWithTheImagesItNames) {
    const TMeasureCase cases[] = {
        {"no images", "<P>text</P>", {}, 1000, 0, 0},
        {"quoted value with blanks",
         "<IMG SRC=\"my pic.gif\" ALT=x>",
         {{"my pic.gif", 300}},
         1300,
         1,
         0},
        {"unquoted value ends at >", "<img src=a.gif>", {{"a.gif", 200}}, 1200, 1, 0},
        {"unquoted value ends at a blank",
         "<IMG SRC=a.gif ALT=\"a\">",
         {{"a.gif", 200}},
         1200,
         1,
         0},
        {"unquoted value ends at a line break",
         "<IMG SRC=a.gif\r\nALT=x>",
         {{"a.gif", 200}},
         1200,
         1,
         0},
        {"blanks and = before the value", "<IMG SRC = \"a.gif\">", {{"a.gif", 200}}, 1200, 1, 0},
        {"same image twice",
         "<IMG SRC=\"a.gif\"><IMG SRC=\"a.gif\">",
         {{"a.gif", 200}},
         1400,
         2,
         0},
        {"body background",
         "<BODY BACKGROUND=\"bg.png\"><IMG SRC=\"a.gif\">",
         {{"bg.png", 50}, {"a.gif", 200}},
         1250,
         2,
         0},
        {"unquoted background",
         "<body bgcolor=red background=bg.png>",
         {{"bg.png", 50}},
         1050,
         1,
         0},
        {"%20 twice", "<IMG SRC=\"a%20b%20c.gif\">", {{"a b c.gif", 70}}, 1070, 1, 0},
        {"a file really named with %20",
         "<IMG SRC=\"a%20b.gif\">",
         {{"a%20b.gif", 80}},
         1080,
         1,
         0},
        {"in a subfolder", "<IMG SRC=\"img/a.gif\">", {{"img/a.gif", 90}}, 1090, 1, 0},
        {"missing image",
         "<IMG SRC=\"gone.gif\"><IMG SRC=\"a.gif\">",
         {{"a.gif", 200}},
         1200,
         1,
         1},
        {"URL", "<IMG SRC=\"http://example.com/a.gif\">", {{"a.gif", 200}}, 1000, 0, 1},
        {"empty value", "<IMG SRC=\"\">", {}, 1000, 0, 1},
        {"name in another case", "<IMG SRC=\"A.GIF\">", {{"a.gif", 200}}, 1000, 0, 1},
        {"tag without the attribute", "<IMG ALT=x>", {}, 1000, 0, 0},
    };
    for (const TMeasureCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove_all(Site);
        std::filesystem::create_directories(Site + "img");
        for (const auto& [name, size] : c.Images)
            Make(name, size);
        TDownloadSize size = MeasureDownload(Page("page.htm", c.Markup, 1000));
        EXPECT_EQ(size.Total, c.Total);
        EXPECT_EQ(size.Found, c.Found);
        EXPECT_EQ(size.Missing, c.Missing);
    }
}

// An absolute path is taken as it stands; the value at the very end of the page keeps its first
// character only, as the search for its end stops before the text's last one.
TEST_F(DownloadTimeTest, AbsolutePathsAndValuesCutByTheEndOfThePage) {
    const String image = Make("img/abs.gif", 123);
    EXPECT_EQ(MeasureDownload(Make("abs.htm", "<IMG SRC=\"" + image + "\">")).Total,
              int64_t(image.size() + 12 + 123));
    const String cut = Make("cut.htm", "<IMG SRC=\"a.gif");
    Make("a.gi", 5);
    TDownloadSize size = MeasureDownload(cut);
    EXPECT_EQ(size.Total, 15 + 5);
    EXPECT_EQ(size.Found, 1);
    size = MeasureDownload(Make("end.htm", "<IMG SRC="));
    EXPECT_EQ(size.Missing, 1);
}

TEST(FormatMinutesTest, RoundsToTheNearestQuarterMinute) {
    const std::pair<double, const char*> cases[] = {
        {0, "0 mins."},     {7, "0 mins."},       {7.9, "0 mins."},      {8, "\xBC mins."},
        {10, "\xBC mins."}, {22, "\xBC mins."},   {23, "\xBD mins."},    {29, "\xBD mins."},
        {30, "\xBD mins."}, {37.9, "\xBD mins."}, {38, "\xBE mins."},    {52, "\xBE mins."},
        {53, "1 mins."},    {67, "1 mins."},      {68, "1\xBC mins."},   {90, "1\xBD mins."},
        {120, "2 mins."},   {3600, "60 mins."},   {3610, "60\xBC mins."}};
    for (auto [seconds, text] : cases)
        EXPECT_EQ(FormatMinutes(seconds), text) << seconds;
}

// Each row: a page and its images' sizes on disk, and the window's texts at every speed, worked
// out by hand from bytes / bytes per second, "%.1f", and the minutes from the seconds shown.
struct TEstimateCase {
    const char* Name;
    size_t PageSize;
    std::vector<size_t> ImageSizes;
    int MissingImages;
    const char* Size;
    const char* Total;
    const char* Exclude; // "" when hidden
    std::array<const char*, 7> Seconds;
    std::array<const char*, 7> Minutes;
};

TEST_F(DownloadTimeTest, EstimateWindowForTheSelectedFile) {
    const TEstimateCase cases[] = {
        {"no images",
         14400,
         {},
         0,
         "14400 bytes",
         "Total size (no images)",
         "",
         {"10.0 secs.", "5.0 secs.", "4.3 secs.", "2.5 secs.", "2.2 secs.", "1.1 secs.",
          "0.1 secs."},
         {"\xBC mins.", "0 mins.", "0 mins.", "0 mins.", "0 mins.", "0 mins.", "0 mins."}},
        {"two images, one missing",
         2000,
         {30000, 40000},
         1,
         "72000 bytes",
         "Total size (incl. 2 images)",
         "(excludes 1 unknown image)",
         {"50.0 secs.", "25.0 secs.", "21.4 secs.", "12.7 secs.", "11.2 secs.", "5.6 secs.",
          "0.5 secs."},
         {"\xBE mins.", "\xBD mins.", "\xBC mins.", "\xBC mins.", "\xBC mins.", "0 mins.",
          "0 mins."}},
        {"one image, two missing",
         1000,
         {399000},
         2,
         "400000 bytes",
         "Total size (incl. 1 image)",
         "(excludes 2 unknown images)",
         {"277.8 secs.", "138.9 secs.", "119.0 secs.", "70.7 secs.", "62.5 secs.", "31.2 secs.",
          "2.6 secs."},
         {"4\xBD mins.", "2\xBC mins.", "2 mins.", "1\xBC mins.", "1 mins.", "\xBD mins.",
          "0 mins."}},
        {"7.96 seconds shown as 8.0",
         11458,
         {},
         0,
         "11458 bytes",
         "Total size (no images)",
         "",
         {"8.0 secs.", "4.0 secs.", "3.4 secs.", "2.0 secs.", "1.8 secs.", "0.9 secs.",
          "0.1 secs."},
         {"\xBC mins.", "0 mins.", "0 mins.", "0 mins.", "0 mins.", "0 mins.", "0 mins."}},
    };
    MakeWindow();
    for (const TEstimateCase& c : cases) {
        SCOPED_TRACE(c.Name);
        String markup;
        for (size_t i = 0; i < c.ImageSizes.size(); ++i) {
            const String name = "i" + IntToStr(int(i)) + ".png";
            Make(name, c.ImageSizes[i]);
            markup += "<IMG SRC=\"" + name + "\">";
        }
        for (int i = 0; i < c.MissingImages; ++i)
            markup += "<IMG SRC=\"missing" + IntToStr(i) + ".gif\">";
        Page("page.htm", markup, c.PageSize);
        SelectFile("page.htm");
        Shown = {};
        AnswerEstimate();
        Form->DownloadEstimate->CheckDownloadTime1->Click();
        ASSERT_EQ(TestHooks::QueuedAnswers(), 0);
        EXPECT_EQ(Shown.FileName, "page.htm");
        EXPECT_EQ(Shown.Size, c.Size);
        EXPECT_EQ(Shown.Total, c.Total);
        EXPECT_EQ(Shown.ExcludeVisible, *c.Exclude != '\0');
        if (*c.Exclude) {
            EXPECT_EQ(Shown.Exclude, c.Exclude);
        }
        EXPECT_EQ(Shown.Labels, std::vector<String>(SpeedLabels.begin(), SpeedLabels.end()));
        EXPECT_EQ(Shown.Seconds, std::vector<String>(c.Seconds.begin(), c.Seconds.end()));
        EXPECT_EQ(Shown.Minutes, std::vector<String>(c.Minutes.begin(), c.Minutes.end()));
        for (size_t i = 0; i < Shown.Minutes.size(); ++i)
            EXPECT_EQ(Shown.MinutesColours[i],
                      Shown.Minutes[i] == "0 mins." ? clBtnShadow : clWindow);
        for (size_t i = 0; i < c.ImageSizes.size(); ++i)
            DeleteFile(Site + "i" + IntToStr(int(i)) + ".png");
    }
    EXPECT_EQ(HTMLDownloadForm, nullptr);
}

// The active page counts with its unsaved changes, through a copy beside it that is gone
// afterwards; the page's own file is not touched.
TEST_F(DownloadTimeTest, ActivePageCountsUnsavedChanges) {
    Make("pic.gif", 600);
    const String saved = Make("page.htm", "old");
    MakeWindow();
    const String text = "<IMG SRC=\"pic.gif\">" + String(1421, 'y');
    UsePage(*Form, 0, saved, text, true);
    AnswerEstimate();
    Form->DownloadEstimate->CheckDownloadSpeed1->Click();
    EXPECT_EQ(Shown.FileName, "page.htm");
    EXPECT_EQ(Shown.Size, "2040 bytes");
    EXPECT_EQ(Shown.Total, "Total size (incl. 1 image)");
    EXPECT_EQ(ReadFileBytes(saved), "old");
    EXPECT_FALSE(FileExists(Site + "~~temp.html"));
}

// An untitled page has no folder: its copy goes into the current folder, where its images are
// looked for.
TEST_F(DownloadTimeTest, UntitledPageIsMeasuredInTheCurrentFolder) {
    Make("pic.gif", 600);
    MakeWindow();
    ASSERT_TRUE(SetCurrentDir(Site));
    UsePage(*Form, 0, "[untitled1]", "<IMG SRC=pic.gif>x", true);
    AnswerEstimate();
    Form->DownloadEstimate->CheckDownloadSpeed1->Click();
    EXPECT_EQ(Shown.FileName, "[untitled1]");
    EXPECT_EQ(Shown.Size, "618 bytes");
    EXPECT_FALSE(FileExists(Site + "~~temp.html"));
}

TEST_F(DownloadTimeTest, NothingToMeasureIsSaidPlainly) {
    MakeWindow();
    Form->FilePane->FileListBox1->SetItemIndex(-1);
    TestHooks::AnswerMessageBox(IDOK);
    Form->DownloadEstimate->CheckDownloadTime1->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Please select a file first");

    // A page whose copy cannot be written: the folder is gone.
    UsePage(*Form, 0, Site + "gone/page.htm", "<P>", true);
    TestHooks::AnswerMessageBox(IDOK);
    Form->DownloadEstimate->CheckDownloadSpeed1->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 2u);
    EXPECT_NE(TestHooks::Prompts()[1].Text.find(Site + "gone/~~temp.html"), String::npos);
    EXPECT_EQ(TestHooks::Prompts()[1].Kind, "MessageBox");
}

} // namespace
