// The Scripts menu as the user runs it: each wizard's dialog answered, the exact text it leaves in
// the page and where the caret ends, run twice on a page, on a page without HEAD, and on a page
// whose marker comments were edited by hand.

#include "generators/ScriptCommands.h"
#include "editor/HTMLLocationForm.h"
#include "generators/HTMLDropLink.h"
#include "generators/HTMLMouseOverForm.h"
#include "generators/HTMLNewButtonScript.h"
#include "generators/ScriptBlocks.h"
#include "platform/ComCtrls.h"
#include "platform/DateTime.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Grids.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/WinHelp.h"
#include "site/FilePane.h"
#include "tags/ElementDialogSupport.h"
#include "tags/TagButtons.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"
#include "widgets/ToolEdit.h"

#include <cstdio>

using namespace ElementDialogSupport;

namespace {

const String Page = "<HTML><HEAD><TITLE>t</TITLE></HEAD>\r\n<BODY>\r\nhere|\r\n</BODY></HTML>";
const int Bar = static_cast<int>(Page.find('|'));

// A GIF header of the given size: all the size reader looks at.
String GifBytes(int width, int height) {
    String bytes = "GIF89a";
    for (int value : {width, height}) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>(value >> 8);
    }
    return bytes + String(20, '\0');
}

template <typename TDialog> void AnswerForm(std::function<void(TDialog&)> answer) {
    TestHooks::AnswerModal([answer](TForm& form) { answer(dynamic_cast<TDialog&>(form)); });
}

// The file with its folders.
void Plant(const String& path, const String& bytes) {
    ForceDirectories(ExtractFilePath(path));
    TestSupport::PlantFile(path, bytes);
}

class ScriptCommandsTest : public ElementDialogTest {
protected:
    TScriptCommands& Scripts() { return *Main->ScriptCommands; }
    // The text after the caret starts with the bar that marked it.
    String AfterCaret() const { return PageText().substr(static_cast<size_t>(Caret())); }
    // Answers the plain message that must show next and checks its text.
    void ExpectMessage(const String& text) {
        TestHooks::AnswerMessageBox(IDOK);
        ExpectedMessages.push_back(text);
    }
    void TearDown() override {
        std::vector<String> shown;
        for (const auto& prompt : TestHooks::Prompts())
            if (prompt.Kind == "MessageBox")
                shown.push_back(prompt.Text);
        EXPECT_EQ(shown, ExpectedMessages);
        ElementDialogTest::TearDown();
    }
    std::vector<String> ExpectedMessages;
};

// ---- Drop-down links menu ----

void AddLink(TDropLinkForm& form, const String& text, const String& url) {
    form.LinkTextEdit->SetText(text);
    form.LinkURLEdit->SetText(url);
    form.AddButton->Click();
}

String MenuBlock(int n) {
    const String m = "LinkList" + IntToStr(n);
    return "<!-- **DropDown Menu Start** -->\r\n<CENTER>\r\n<FORM NAME=\"FormList" + IntToStr(n) +
           "\">\r\n<SELECT NAME=\"" + m +
           "\">\r\n<OPTION Value=\"a.htm\">A\r\n</SELECT>\r\n\r\n"
           "<INPUT TYPE=\"Button\" VALUE=\"Go\" onClick=\"b=this.form." +
           m + ".selectedIndex;go_DropList(this.form." + m +
           ".options[b].value,'')\">\r\n</FORM></CENTER>\r\n<!-- **DropDown Menu End** -->\r\n";
}

void AnswerOneLinkMenu(int expectedNumber) {
    AnswerForm<TDropLinkForm>([expectedNumber](TDropLinkForm& form) {
        EXPECT_EQ(form.LinkNameEdit->Text(), "LinkList" + IntToStr(expectedNumber));
        AddLink(form, "A", "a.htm");
        form.OKButton->Click();
    });
}

TEST_F(ScriptCommandsTest, TwoMenusShareOneHeadPartAndAreNumbered) {
    const String lowerHead = "<head></head>\r\n|";
    OpenPage(lowerHead, 15, 0);
    TestHooks::SetClipboardText("kept");
    AnswerOneLinkMenu(1);
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<head>" + DropLinksHeadPart() + "</head>\r\n" + MenuBlock(1) + "|");
    EXPECT_EQ(AfterCaret(), "|");
    EXPECT_EQ(DropLinkForm, nullptr);

    AnswerOneLinkMenu(2);
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_EQ(PageText(),
              "<head>" + DropLinksHeadPart() + "</head>\r\n" + MenuBlock(1) + MenuBlock(2) + "|");
    EXPECT_EQ(AfterCaret(), "|");
    EXPECT_EQ(TestHooks::ClipboardText(), "kept");
}

TEST_F(ScriptCommandsTest, AMenuOnAPageWithoutHeadWarnsAndPutsTheFunctionFirst) {
    OpenPage("ab|", 2, 0);
    AnswerOneLinkMenu(1);
    ExpectMessage("WARNING: Cannot find closing </HEAD> tag!");
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_EQ(PageText(), DropLinksHeadPart() + "ab" + MenuBlock(1) + "|");
    EXPECT_EQ(AfterCaret(), "|");
}

TEST_F(ScriptCommandsTest, AMenuReplacesTheSelectionWhenTheFunctionIsThere) {
    const String page = "<HEAD>" + DropLinksHeadPart() + "</HEAD>old|";
    OpenPage(page, static_cast<int>(page.find("old")), 3);
    AnswerOneLinkMenu(1);
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<HEAD>" + DropLinksHeadPart() + "</HEAD>" + MenuBlock(1) + "|");
}

TEST_F(ScriptCommandsTest, AnImageOpensTheMenuAndAButtonTextIsNoFile) {
    Plant(Folder + "pics/b.gif", GifBytes(30, 0));
    const String page = "<HEAD>" + DropLinksHeadPart() + "</HEAD>";
    OpenPage(page, static_cast<int>(page.size()), 0);
    Answer<TDropLinkForm>([this](TDropLinkForm& form) {
        TestHooks::TDialogAnswer chosen;
        chosen.Accepted = true;
        chosen.FileName = Folder + "pics/b.gif";
        TestHooks::AnswerDialog(chosen);
        form.ButtonGroup->SetItemIndex(2);
        EXPECT_EQ(form.ClickTextEdit->Text(), Folder + "pics/b.gif");
        EXPECT_EQ(form.TextLabel->Caption(), "Image name");
        form.OKButton->Click();
    });
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_NE(PageText().find("options[b].value,'')\"><IMG SRC=\"./pics/b.gif\" ALT=\"\" "
                              "WIDTH=30 BORDER=0 ALIGN=ABSMIDDLE></A>\r\n\r\n</FORM>"),
              String::npos);

    Answer<TDropLinkForm>([](TDropLinkForm& form) {
        form.ClickTextEdit->SetText("missing.gif");
        form.OKButton->Click();
    });
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_NE(PageText().find("VALUE=\"missing.gif\""), String::npos);
}

TEST_F(ScriptCommandsTest, DamagedDropLinkMarkersChangeNothing) {
    String page = "<HEAD>" + DropLinksHeadPart() + "</HEAD>|";
    page.replace(page.find("**DropLinks Script**"), 20, "DropLinks");
    OpenPage(page, static_cast<int>(page.size()) - 1, 0);
    ExpectMessage(DamagedScriptMessage);
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_EQ(PageText(), page);
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(ScriptCommandsTest, TheLinkDialogRefusesAnExistingOrEmptyMenuName) {
    OpenPage("<SELECT NAME=\"LinkList1\">", 0, 0);
    Answer<TDropLinkForm>([](TDropLinkForm& form) {
        form.OKButton->Click();
        EXPECT_EQ(form.ModalResult(), mrNone);
        form.LinkNameEdit->SetText("");
        form.OKButton->Click();
        EXPECT_EQ(form.ModalResult(), mrNone);
        form.CancelButton->Click();
    });
    ExpectMessage("A menu named LinkList1 already exists.\r\nPlease enter a new name or delete the "
                  "existing menu.");
    ExpectMessage("Please enter a menu name.");
    Scripts().DropLinkButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<SELECT NAME=\"LinkList1\">");
}

TEST_F(ScriptCommandsTest, TheLinkListKeepsItsEmptyLastRow) {
    OpenPage("", 0, 0);
    Answer<TDropLinkForm>([](TDropLinkForm& form) {
        using TLinks = std::vector<std::pair<String, String>>;
        AddLink(form, "A", "a");
        AddLink(form, "B", "b");
        AddLink(form, "C", "c");
        EXPECT_EQ(form.Grid->Row(), 2);
        form.UpButton->Click();
        EXPECT_EQ(form.Links(), (TLinks{{"A", "a"}, {"C", "c"}, {"B", "b"}}));
        EXPECT_EQ(form.Grid->Row(), 1);
        form.Grid->SetRow(0);
        form.UpButton->Click(); // the first row stays
        form.DownButton->Click();
        EXPECT_EQ(form.Links(), (TLinks{{"C", "c"}, {"A", "a"}, {"B", "b"}}));
        form.Grid->SetRow(2);
        form.DownButton->Click(); // the last entry stays above the empty row
        form.Grid->SetRow(3);
        form.DeleteButton->Click(); // the empty row stays
        form.UpButton->Click();
        EXPECT_EQ(form.Links(), (TLinks{{"C", "c"}, {"A", "a"}, {"B", "b"}}));
        form.Grid->SetRow(1);
        form.GridDblClick(form.Grid);
        EXPECT_EQ(form.LinkTextEdit->Text(), "A");
        EXPECT_EQ(form.LinkURLEdit->Text(), "a");
        EXPECT_EQ(form.Links(), (TLinks{{"C", "c"}, {"B", "b"}}));
        EXPECT_EQ(form.Grid->RowCount(), 3);
        EXPECT_EQ(form.Grid->Cells(0, 2), "");
        form.CancelButton->Click();
    });
    Scripts().DropLinkButtonClick(nullptr);
}

TEST_F(ScriptCommandsTest, TheLinkDialogsSwitchesEnableTheirControls) {
    OpenPage("", 0, 0);
    Answer<TDropLinkForm>([](TDropLinkForm& form) {
        EXPECT_FALSE(form.WindowNameEdit->Enabled());
        form.NewWindowCheck->SetChecked(true);
        EXPECT_TRUE(form.WindowNameEdit->Enabled());
        form.BorderCheck->SetChecked(true);
        EXPECT_TRUE(form.BorderSizeEdit->Enabled());
        EXPECT_TRUE(form.ColourPanel->Enabled());
        form.ButtonGroup->SetItemIndex(3);
        EXPECT_FALSE(form.ClickTextEdit->Visible());
        form.ButtonGroup->SetItemIndex(1);
        EXPECT_EQ(form.TextLabel->Caption(), "Text");
        EXPECT_TRUE(form.ClickTextEdit->Visible());
        form.CancelButton->Click();
    });
    Scripts().DropLinkButtonClick(nullptr);
}

// ---- Time-limited image ----

void AnswerTimeLimited(const String& image) {
    AnswerForm<TNewButtonScriptForm>([image](TNewButtonScriptForm& form) {
        form.DateEdit->SetDateValue(EncodeDate(2026, 3, 7));
        form.PeriodEdit->SetText("14");
        form.ImageEdit->SetText(image);
        form.AltTextEdit->SetText("New!");
        form.AdditionalTextEdit->SetText("<B>new</B>");
        form.OKButton->Click();
    });
}

TEST_F(ScriptCommandsTest, TheTimeLimitedImageWritesItsFunctionOnce) {
    Plant(Folder + "img/new.gif", GifBytes(40, 12));
    OpenPage(Page, Bar, 0);
    AnswerTimeLimited(Folder + "img/new.gif");
    Scripts().Newimage1Click(nullptr);
    const String body = "<SCRIPT LANGUAGE= \"JavaScript\" TYPE=\"text/javascript\"><!--\r\n"
                        "ntm(7,3,2026,14,\"./img/new.gif\",40,12,\"New!\",\"<B>new</B>\");"
                        "//--></SCRIPT>\r\n";
    String expected = Page;
    expected.insert(static_cast<size_t>(Bar), body);
    expected.insert(Page.find("</HEAD>"), TimeLimitedHeadPart());
    EXPECT_EQ(PageText(), expected);
    EXPECT_EQ(AfterCaret().substr(0, 1), "|");

    AnswerTimeLimited("");
    Scripts().Newimage1Click(nullptr);
    const String second = "<SCRIPT LANGUAGE= \"JavaScript\" TYPE=\"text/javascript\"><!--\r\n"
                          "ntm(7,3,2026,14,\"\",0,0,\"New!\",\"<B>new</B>\");//--></SCRIPT>\r\n";
    expected.insert(expected.find('|'), second);
    EXPECT_EQ(PageText(), expected);
    EXPECT_EQ(AfterCaret().substr(0, 1), "|");
    EXPECT_EQ(NewButtonScriptForm, nullptr);
}

TEST_F(ScriptCommandsTest, TheTimeLimitedImageRefusesAPageWithoutItsExactHeadTag) {
    for (const String& page : {String("<head></head>|"), String("no head|")}) {
        OpenPage(page, 5, 0);
        AnswerTimeLimited("");
        ExpectMessage("Cannot find </HEAD> tag.");
        Scripts().Newimage1Click(nullptr);
        EXPECT_EQ(PageText(), page);
        EXPECT_FALSE(Editor()->Modified());
    }
}

TEST_F(ScriptCommandsTest, DamagedTimeLimitedMarkersChangeNothing) {
    String page = "<HEAD>" + TimeLimitedHeadPart() + "</HEAD>|";
    page.erase(page.find("<!-- **End of time-limited"), 10);
    OpenPage(page, 0, 0);
    AnswerTimeLimited("");
    ExpectMessage(DamagedScriptMessage);
    Scripts().Newimage1Click(nullptr);
    EXPECT_EQ(PageText(), page);
}

TEST_F(ScriptCommandsTest, TheTimeLimitedDialogStartsToday) {
    SetClockForTests([] { return EncodeDate(2026, 12, 11) + EncodeTime(10, 0, 0, 0); });
    OpenPage(Page, 0, 0);
    Answer<TNewButtonScriptForm>([](TNewButtonScriptForm& form) {
        int year = 0, month = 0, day = 0;
        DecodeDate(form.DateEdit->GetDateValue(), year, month, day);
        EXPECT_EQ(year * 10000 + month * 100 + day, 20261211);
        EXPECT_EQ(form.PeriodEdit->Text(), "30");
        form.CancelButton->Click();
    });
    Scripts().Newimage1Click(nullptr);
    SetClockForTests({});
    EXPECT_EQ(PageText(), Page);
}

// ---- Last-modified date and help ----

TEST_F(ScriptCommandsTest, TheLastModifiedBlockTakesTheTypedText) {
    OpenPage("ab", 1, 0);
    Answer<TLocationForm>([](TLocationForm& form) {
        EXPECT_EQ(form.LocEdit->Text(), "Page last modified on");
        EXPECT_EQ(form.LocLabel->Caption(), "Text to appear before date:");
        form.LocEdit->SetText("Changed");
        form.OKButton->Click();
    });
    Scripts().LastModifiedDate1Click(nullptr);
    const String block = PageText().substr(1, PageText().size() - 2);
    EXPECT_EQ(block, LastModifiedBlock("Changed"));
    EXPECT_NE(block.find("document.write(\"Changed \" + DayName"), String::npos);
    EXPECT_TRUE(block.starts_with("<!-- **Script - Date Last Modified** -->\r\n"));
    EXPECT_TRUE(block.ends_with("</SCRIPT>\r\n<!-- **End of Date Modified Script** -->\r\n"));

    TestHooks::AnswerModalResult(mrCancel);
    const String before = PageText();
    Scripts().LastModifiedDate1Click(nullptr);
    EXPECT_EQ(PageText(), before);
}

TEST_F(ScriptCommandsTest, TheScriptsButtonCarriesTheMenu) {
    TQmToolbarButton* button = Main->TagButtons->ScriptsMenuButton;
    EXPECT_EQ(button->Caption(), "Scripts");
    EXPECT_EQ(button->Hint(), "Menu of JavaScripts");
    ASSERT_EQ(button->DropdownMenu(), Scripts().ScriptsMenu);
    std::vector<String> captions;
    for (int i = 0; i < Scripts().ScriptsMenu->Items()->Count(); ++i)
        captions.push_back(Scripts().ScriptsMenu->Items()->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<String>{"DropDown Links Menu", "Time-limited Image",
                                             "\"MouseOver\" Button", "\"Last Modified\" Date", "-",
                                             "&Help on Scripts"}));
    Scripts().Help2->Click();
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].Command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(TestHooks::HelpRequests()[0].Data, 12000u);
}

// ---- Image tags ----

TEST_F(ScriptCommandsTest, ImageTagsReferToTheImageFromThePage) {
    Plant(Folder + "pics/b.gif", GifBytes(30, 0));
    Plant(Folder + "c.bmp", "BM");
    OpenPage("", 0, 0);
    EXPECT_EQ(Scripts().MakeImageTag(Folder + "pics/b.gif", "alt", true),
              "<IMG SRC=\"./pics/b.gif\" ALT=\"alt\" WIDTH=30 BORDER=0>");
    EXPECT_EQ(Scripts().MakeImageTag(Folder + "c.bmp", "", false),
              " SRC=\"c.bmp\" ALT=\"\" BORDER=0>");
    OpenPage("", 0, 0, "sub/page.htm");
    EXPECT_EQ(Scripts().PathRelativeToPage(Folder + "c.bmp", ""), "../c.bmp");
    MainWindowSupport::UsePage(*Main, 0, "[untitled1]", "");
    EXPECT_EQ(Scripts().MakeImageTag(Folder + "pics/b.gif", "", true),
              "<IMG SRC=\"b.gif\" ALT=\"\" WIDTH=30 BORDER=0>");
}

// ---- Mouse-over buttons ----

class MouseOverTest : public ScriptCommandsTest {
protected:
    void SetUp() override {
        ScriptCommandsTest::SetUp();
        Main->ProgramFolder = Folder + "program/";
        for (int set = 1; set <= 3; ++set)
            for (const char* kind : {"up", "dn", "on"})
                Plant(Main->ProgramFolder + Preset(set, kind), GifBytes(60 + set, 20));
    }
    static String Preset(int set, const String& kind) {
        return "psbtn" + IntToStr(set) + kind + ".gif";
    }
    static void AnswerButton(int imageSet, int changeOn, const String& linkText = "") {
        Answer<TMouseOverForm>([=](TMouseOverForm& form) {
            form.ImageGroup->SetItemIndex(imageSet);
            form.ChangeGroup->SetItemIndex(changeOn);
            form.AltTextEdit->SetText("Home");
            form.LinkTextEdit->SetText(linkText);
            form.OKButton->Click();
        });
    }
    void ExpectQuestion() {
        TestHooks::AnswerMessageBox(IDYES);
        ExpectedMessages.push_back(Question);
    }
    const String Question = "You will need to have the preset images in the same folder\r\nas "
                            "the HTML file. If you decide not to copy the files you will\r\nnot "
                            "be able to install the JavaScript. Do you want to copy the\r\npreset "
                            "image files?";
};

TEST_F(MouseOverTest, TwoButtonsShareOneScriptNumberedPerPage) {
    Main->ColouredTags = true;
    OpenPage(Page, Bar, 0);
    AnswerButton(0, 1);
    ExpectQuestion();
    Scripts().MouseOverButton1Click(nullptr);
    for (const char* kind : {"up", "dn", "on"})
        EXPECT_TRUE(FileExists(Folder + Preset(1, kind))) << kind;
    const String script = MouseOverScript({"psbtn1up.gif", "psbtn1dn.gif", "psbtn1on.gif"});
    const String body1 = "<A HREF=\"#abut1\" onClick = \"butn_down('abut1',1)\"><IMG "
                         "SRC=\"psbtn1up.gif\" ALT=\"Home\" WIDTH=61 HEIGHT=20 BORDER=0 "
                         "NAME=\"abut1\" ALIGN=MIDDLE></A>";
    String expected = Page;
    expected.insert(static_cast<size_t>(Bar), body1);
    expected.insert(Page.find("</HEAD>"), script);
    EXPECT_EQ(PageText(), expected);
    EXPECT_EQ(AfterCaret().substr(0, 1), "|");
    EXPECT_EQ(MouseOverForm, nullptr);

    // The images are there now: nothing is asked.
    AnswerButton(0, 0, "Go");
    Scripts().MouseOverButton1Click(nullptr);
    const String text = PageText();
    EXPECT_EQ(CountOccurrences(text, "<!-- **MouseOver Button Script** -->"), 1);
    EXPECT_NE(text.find("abut2up=new Image();abut2up.src=\"psbtn1up.gif\";\r\n"
                        "//2 **End of Up buttons**"),
              String::npos);
    const String start2 = "<A HREF=\"#abut2\" onMouseover = \"butn_down('abut2',0)\" "
                          "onMouseout = \"butn_up('abut2')\">";
    EXPECT_NE(text.find(body1 + start2 +
                        "<IMG SRC=\"psbtn1up.gif\" ALT=\"Home\" WIDTH=61 "
                        "HEIGHT=20 BORDER=0 NAME=\"abut2\" ALIGN=MIDDLE>&nbsp;" +
                        start2 + "Go</A>\r\n|"),
              String::npos);
    EXPECT_EQ(AfterCaret().substr(0, 1), "|");
}

TEST_F(MouseOverTest, ACustomButtonOnAPageWithoutHeadPutsTheScriptFirst) {
    Plant(Folder + "img/u.gif", GifBytes(5, 6));
    OpenPage("ab|", 2, 0);
    Answer<TMouseOverForm>([this](TMouseOverForm& form) {
        EXPECT_FALSE(form.NormalImageEdit->Enabled());
        EXPECT_FALSE(form.TextIsLinkCheck->Enabled());
        form.LinkTextEdit->SetText("x");
        EXPECT_TRUE(form.TextIsLinkCheck->Enabled());
        form.LinkTextEdit->SetText("");
        form.ImageGroup->SetItemIndex(3);
        EXPECT_TRUE(form.NormalImageEdit->Enabled());
        EXPECT_TRUE(form.OnBrowseButton->Enabled());
        form.NormalImageEdit->SetText(Folder + "img/u.gif");
        form.OverImageEdit->SetText(Folder + "img/d.gif");
        form.URLEdit->SetText("next.htm");
        form.OKButton->Click();
    });
    Scripts().MouseOverButton1Click(nullptr);
    EXPECT_EQ(PageText(),
              MouseOverScript({"./img/u.gif", "./img/d.gif", "./img/d.gif"}) + "ab" +
                  "<A HREF=\"next.htm\" onMouseover = \"butn_down('abut1',0)\" onMouseout = "
                  "\"butn_up('abut1')\" onClick = \"butn_down('abut1',1)\"><IMG "
                  "SRC=\"./img/u.gif\" ALT=\"\" WIDTH=5 HEIGHT=6 BORDER=0 NAME=\"abut1\" "
                  "ALIGN=MIDDLE></A>|");
    EXPECT_EQ(AfterCaret(), "|");
    EXPECT_FALSE(FileExists(Folder + Preset(1, "up")));
}

TEST_F(MouseOverTest, AnUntitledPageTakesTheFilePanesFolder) {
    const String pane = Folder + "pane";
    ForceDirectories(pane);
    Main->FilePane->DirectoryListBox1->SetDirectory(pane);
    MainWindowSupport::UsePage(*Main, 0, "[untitled1]", "");
    AnswerButton(1, 1);
    ExpectQuestion();
    Scripts().MouseOverButton1Click(nullptr);
    EXPECT_TRUE(FileExists(pane + "/" + Preset(2, "on")));
    EXPECT_NE(PageText().find("abut1up.src=\"psbtn2up.gif\""), String::npos);
    EXPECT_NE(PageText().find("<IMG SRC=\"psbtn2up.gif\""), String::npos);
}

TEST_F(MouseOverTest, MarkersEditedByHandChangeNothingAndCopyNothing) {
    String page = "<HEAD>" + MouseOverScript({"a", "b", "c"}) + "</HEAD>|";
    page.replace(page.find("//1 **End"), 3, "//");
    OpenPage(page, static_cast<int>(page.size()) - 1, 0);
    AnswerButton(0, 2);
    ExpectedMessages.push_back("Cannot insert the new code. Can't find position in script");
    TestHooks::AnswerMessageBox(IDOK);
    Scripts().MouseOverButton1Click(nullptr);
    EXPECT_EQ(PageText(), page);
    EXPECT_FALSE(FileExists(Folder + Preset(1, "up")));
}

TEST_F(MouseOverTest, DecliningTheCopyLeavesThePageAlone) {
    OpenPage(Page, Bar, 0);
    AnswerButton(1, 2);
    TestHooks::AnswerMessageBox(IDNO);
    ExpectedMessages.push_back(Question);
    Scripts().MouseOverButton1Click(nullptr);
    EXPECT_EQ(PageText(), Page);
    EXPECT_FALSE(FileExists(Folder + Preset(2, "up")));
}

TEST_F(MouseOverTest, APresetImageThatCannotBeCopiedIsToldAndThePageKept) {
    struct TCase {
        String Missing;
        String Message;
    } cases[] = {
        {"up", "Error copying first image file - aborting JavaScript insertion"},
        {"dn", "Error copying second image file - aborting JavaScript insertion"},
        {"on", "Error copying third file - aborting JavaScript insertion"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Missing);
        const String folder = Folder + c.Missing + "/";
        // The shell tells what failed, then the wizard that it gives up.
        const String shellMessage = "Cannot copy \"" + Main->ProgramFolder + Preset(3, c.Missing) +
                                    "\": No such file or directory.";
        ForceDirectories(folder);
        std::remove((Main->ProgramFolder + Preset(3, c.Missing)).c_str());
        ExpectQuestion();
        ExpectMessage(shellMessage);
        ExpectMessage(c.Message);
        EXPECT_FALSE(Scripts().CopyPresetButtonImages(folder, 2));
        // The command, on a page in a folder of its own.
        OpenPage(Page, Bar, 0, c.Missing + "-page/page.htm");
        ForceDirectories(Folder + c.Missing + "-page");
        AnswerButton(2, 2);
        ExpectQuestion();
        ExpectMessage(shellMessage);
        ExpectMessage(c.Message);
        Scripts().MouseOverButton1Click(nullptr);
        EXPECT_EQ(PageText(), Page);
        Plant(Main->ProgramFolder + Preset(3, c.Missing), GifBytes(1, 1));
    }
}

TEST_F(MouseOverTest, PresentImagesAreNotAskedForAndOnlyAMissingClickedImageIsCopied) {
    Plant(Folder + Preset(1, "up"), "mine");
    Plant(Folder + Preset(1, "dn"), "mine too");
    EXPECT_TRUE(Scripts().CopyPresetButtonImages(Folder, 0));
    EXPECT_TRUE(FileExists(Folder + Preset(1, "on")));
    EXPECT_EQ(ReadFileBytes(Folder + Preset(1, "up")), "mine");

    // One of the two missing is enough to ask.
    const String other = Folder + "other/";
    Plant(other + Preset(1, "up"), "mine");
    TestHooks::AnswerMessageBox(IDNO);
    ExpectedMessages.push_back(Question);
    EXPECT_FALSE(Scripts().CopyPresetButtonImages(other, 0));
    EXPECT_FALSE(FileExists(other + Preset(1, "dn")));
}

} // namespace
