// Files opened from the file pane: pages, images shown in the browser, other files offered as text.

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileListBox.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/SHDocVw.h"
#include "platform/TestHooks.h"
#include "publish/InternalBrowser.h"
#include "site/FilePane.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace MainWindowSupport;

namespace {

const String NotTextQuestion = "May not be able to display this file. Treat it as a text file?";

String Gif(int width, int height) {
    return "GIF89a" + String{char(width), 0, char(height), 0, char(0xF7), 0, 0} + String(24, '\0') +
           ";";
}

class FileOpeningTest : public testing::Test {
protected:
    void SetUp() override {
        TestHooks::UseFakeBrowser();
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("my site"));
        std::filesystem::create_directories(Site);
        GlobalForm = new TGlobalForm(nullptr);
    }
    void TearDown() override {
        Form.reset();
        delete GlobalForm;
        GlobalForm = nullptr;
    }

    String Make(const String& name, const String& bytes = "<p>x</p>") {
        WriteFileAtomic(Site + name, bytes);
        return Site + name;
    }

    void MakeWindowSelecting(std::initializer_list<String> names) {
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
        Form->FilePane->FileListBox1->SetMask("*.*");
        SelectListedFiles(*Form, names);
    }

    std::vector<String> OpenPages() const {
        std::vector<String> names;
        for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
            if (Form->PageInUse(page))
                names.push_back(ExtractFileName(Form->FileNames[page]));
        return names;
    }

    String ShownPageFile() const { return TempFolder() + "htmltmp.htm"; }

    String Site;
    std::unique_ptr<THTMLEMainForm> Form;
};

TEST_F(FileOpeningTest, GeneratedPagesForAnImageAndForABackground) {
    const String gif = Make("Pic.gif", Gif(32, 16));
    EXPECT_EQ(TFilePane::ImagePageText(gif, true),
              "<HTML>\r\n<HEAD>\r\n<TITLE>" + gif + "</TITLE>\r\n</HEAD>\r\n\n" +
                  "<BODY><TABLE><TR><TD ALIGN=CENTER><IMG SRC=\"file://" + gif +
                  "\" WIDTH=32 HEIGHT=16></TD></TR><TR><TD ALIGN=CENTER>Pic.gif<BR><I>Click "
                  "Internal Browser button<BR>to return to Editor</I></TD></TR></TABLE></BODY>"
                  "</HTML>");
    const String odd = Make("50% #1.dat", "data");
    EXPECT_NE(TFilePane::ImagePageText(odd, false)
                  .find("<IMG SRC=\"file://" + Site + "50%25 %231.dat\"></TD>"),
              String::npos)
        << "no size, and the characters that would cut the address are escaped";

    EXPECT_EQ(TFilePane::BackgroundPageText(gif),
              "<HTML>\r\n<HEAD>\r\n<TITLE>" + gif + "</TITLE>\r\n</HEAD>\r\n\n" +
                  "<BODY BACKGROUND=\"file://" + gif + "\">\r\n<P>\r\n<CENTER><H1>" + gif +
                  "</H1></CENTER><BR>\r\n<BR>\r\nBlack text<BR>\r\n"
                  "<FONT COLOR=white>White text</FONT><BR>\r\n"
                  "<FONT COLOR=yellow>Yellow text</FONT><BR>\r\n"
                  "<FONT COLOR=blue>Blue text</FONT><BR>\r\n"
                  "<FONT COLOR=green>Green text</FONT><BR>\r\n<BR>\r\n"
                  "<FONT SIZE=1>Font size 1</FONT><BR>\r\n<FONT SIZE=2>Font size 2</FONT><BR>\r\n"
                  "<FONT SIZE=3>Font size 3</FONT><BR>\r\n<FONT SIZE=4>Font size 4</FONT><BR>\r\n"
                  "<FONT SIZE=5>Font size 5</FONT><BR>\r\n<FONT SIZE=6>Font size 6</FONT><BR>\r\n"
                  "<FONT SIZE=7>Font size 7</FONT><BR>\r\n<BR>\r\n<B>Bold text</B><BR>\r\n"
                  "<I>Italic text</I>\r\n</BODY>\r\n</HTML>");
}

TEST_F(FileOpeningTest, TextFilesOpenAsPagesAndImagesAmongThemAreSkipped) {
    Make("a.htm");
    Make("b.gif", Gif(1, 1));
    Make("c.gif", Gif(1, 1));
    MakeWindowSelecting({"a.htm", "b.gif"});
    Form->FilePane->FileListBox1DblClick(Form->FilePane->FileListBox1);
    EXPECT_EQ(OpenPages(), std::vector<String>{"a.htm"});
    EXPECT_FALSE(Form->InternalBrowser->IntBrowser->Visible());

    MakeWindowSelecting({"b.gif", "c.gif"});
    Form->FilePane->Open2->Click();
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_FALSE(Form->InternalBrowser->IntBrowser->Visible());
    EXPECT_TRUE(TestHooks::BrowserNavigations().empty());
}

TEST_F(FileOpeningTest, OnlyTheFirstTwentySelectedFilesAreHandled) {
    std::vector<String> names;
    for (int i = 0; i < 25; ++i)
        names.push_back(Make("p" + String(1, char('a' + i)) + ".htm"));
    Form = MakeMainWindow();
    Form->FilePane->DirectoryListBox1->SetDirectory(Site);
    Form->FilePane->FileListBox1->SetMask("*.*");
    for (int i = 0; i < 25; ++i)
        Form->FilePane->FileListBox1->SetSelected(i, true);
    Form->FilePane->FileListBox1DblClick(Form->FilePane->FileListBox1);
    const std::vector<String> open = OpenPages();
    ASSERT_EQ(open.size(), 20u);
    EXPECT_EQ(open.back(), "pt.htm");
    EXPECT_TRUE(TestHooks::Prompts().empty()) << "no page was missing";
}

TEST_F(FileOpeningTest, WithEveryPageInUseTheFirstRefusalEndsTheCommand) {
    Make("a.htm");
    Make("b.htm");
    MakeWindowSelecting({"a.htm", "b.htm"});
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
        UsePage(*Form, page, Site + "open" + IntToStr(page) + ".htm", "x");
    TestHooks::AnswerMessageBox(IDOK);

    Form->FilePane->Open2->Click();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u) << "b.htm is not tried";
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Sorry, can't open more than 20 files at a time.");
    EXPECT_FALSE(Form->AbortRequested);
}

TEST_F(FileOpeningTest, ALoneImageIsShownOnItsPageFillingTheBrowser) {
    const String gif = Make("Pic.gif", Gif(32, 16));
    MakeWindowSelecting({"Pic.gif"});
    Form->FilePane->FileListBox1DblClick(Form->FilePane->FileListBox1);
    Application->ProcessMessages();

    EXPECT_TRUE(Form->InternalBrowser->IntBrowser->Visible());
    EXPECT_TRUE(Form->InternalBrowser->ImagePreviewShown);
    EXPECT_EQ(TestHooks::BrowserNavigations(), std::vector<String>{ShownPageFile()});
    EXPECT_EQ(ReadFileBytes(ShownPageFile()), TFilePane::ImagePageText(gif, true));
    EXPECT_EQ(Form->InternalBrowser->IntBrowserCombo->Items()[1], gif)
        << "the image, then the page shown";
    EXPECT_EQ(Form->InternalBrowser->IntBrowser->Width(),
              Form->InternalBrowser->BrowserPanel->Width());

    // The browser button closes it again at once: no lock, no page to restore.
    Form->InternalBrowser->IntBrowserButton->Click();
    EXPECT_FALSE(Form->InternalBrowser->IntBrowser->Visible());
}

TEST_F(FileOpeningTest, ViewAsBackgroundShowsTheSampleTextsPage) {
    const String gif = Make("Pic.gif", Gif(32, 16));
    MakeWindowSelecting({"Pic.gif"});
    Form->InternalBrowser->BrowserFullSize = true;
    Form->FilePane->ViewasBackground1->Click();
    EXPECT_EQ(ReadFileBytes(ShownPageFile()), TFilePane::BackgroundPageText(gif));
    EXPECT_FALSE(Form->LeftPanel->Visible());
    EXPECT_FALSE(Form->InternalBrowser->ImagePreviewShown);

    Form->File1->Click();
    EXPECT_TRUE(Form->FilePane->ViewasBackground2->Visible());
    Form->FilePane->ViewasBackground2->Click();
    EXPECT_EQ(TestHooks::BrowserNavigations().back(), ShownPageFile());
    EXPECT_EQ(ReadFileBytes(ShownPageFile()), TFilePane::BackgroundPageText(gif));
    EXPECT_FALSE(Form->Documents->FileSaveButton->Enabled())
        << "the browser keeps its commands off";
}

// The File menu offers View as Background for an image only, and for anything in help-pointer
// mode, where the item shows its help.
TEST_F(FileOpeningTest, TheFileMenuOffersTheBackgroundForAnImage) {
    Make("Pic.gif", Gif(32, 16));
    Make("page.htm");
    MakeWindowSelecting({"page.htm"});
    Form->File1->Click();
    EXPECT_FALSE(Form->FilePane->ViewasBackground2->Visible());
    Form->PointerHelp1Click(nullptr);
    Form->File1->Click();
    EXPECT_TRUE(Form->FilePane->ViewasBackground2->Visible());
    Screen->SetCursor(crDefault);
    TFileListBox& list = *Form->FilePane->FileListBox1;
    list.SetItemIndex(list.Items().IndexOf("Pic.gif"));
    Form->File1->Click();
    EXPECT_TRUE(Form->FilePane->ViewasBackground2->Visible());
}

TEST_F(FileOpeningTest, AnotherKindOfFileIsOfferedAsText) {
    Make("notes.dat", "plain");
    struct Case {
        int Answer;
        std::vector<String> Pages;
        bool Shown;
    };
    const Case cases[] = {{IDYES, {"notes.dat"}, false}, {IDCANCEL, {}, false}, {IDNO, {}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Answer);
        MakeWindowSelecting({"notes.dat"});
        TestHooks::AnswerMessageBox(c.Answer);
        Form->FilePane->FileListBox1DblClick(Form->FilePane->FileListBox1);
        EXPECT_EQ(OpenPages(), c.Pages);
        EXPECT_EQ(Form->InternalBrowser->IntBrowser->Visible(), c.Shown);
        ASSERT_FALSE(TestHooks::Prompts().empty());
        EXPECT_EQ(TestHooks::Prompts().back().Text, NotTextQuestion);
        EXPECT_EQ(TestHooks::Prompts().back().Flags, UINT(MB_YESNOCANCEL | MB_ICONSTOP));
    }
    EXPECT_EQ(ReadFileBytes(ShownPageFile()), TFilePane::ImagePageText(Site + "notes.dat", false));
}

TEST_F(FileOpeningTest, WithTheBrowserShownPagesAreShownThereButTextFilesOpen) {
    Make("page.htm");
    Make("read me.txt");
    Make("Pic.gif", Gif(2, 2));
    MakeWindowSelecting({"Pic.gif"});
    Form->FilePane->FileListBox1DblClick(Form->FilePane->FileListBox1);
    Form->FilePane->FileListBox1->SetSelected(
        Form->FilePane->FileListBox1->Items().IndexOf("Pic.gif"), false);
    for (const String name : {"page.htm", "read me.txt"})
        Form->FilePane->FileListBox1->SetSelected(
            Form->FilePane->FileListBox1->Items().IndexOf(name), true);

    Form->FilePane->FileListBox1DblClick(Form->FilePane->FileListBox1);
    Application->ProcessMessages();

    EXPECT_EQ(TestHooks::BrowserNavigations().back(), Site + "page.htm");
    EXPECT_EQ(OpenPages(), std::vector<String>{"read me.txt"});
    EXPECT_TRUE(Form->InternalBrowser->IntBrowser->Visible());
    EXPECT_FALSE(Form->Documents->CloseAllButton->Enabled())
        << "what the browser's closing would undo";
    EXPECT_FALSE(Form->Documents->FileSaveButton->Enabled());
    EXPECT_EQ(ReadFileBytes(Site + "page.htm"), "<p>x</p>") << "no copy, no rewrite";
}

} // namespace
