#include "publish/Ferrydock95Main.h"
#include "publish/HTMLISPSelect.h"
#include "publish/TableView.h"

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/ComCtrls.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/SHDocVw.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace MainWindowSupport;

namespace {

const String PublishKey = "\\Software\\Olvane\\Quiltmarker\\Publish";
const String SavedText = "<html>\r\n<!-- note -->\r\n<p>{{filename}}</p>\r\n</html>\r\n";

TEST(TableViewTest, TableTagsGetBordersAndCyclingBackgrounds) {
    struct Case {
        const char* Name;
        String Text;
        bool Borders, Backgrounds;
        String Expected;
    };
    const Case cases[] = {
        {"no border: one after the tag name, whatever its case", "<table width=5>", true, false,
         "<table BORDER=1 width=5>"},
        {"border 0", "<TABLE BORDER=0>", true, false, "<TABLE BORDER=1>"},
        {"quoted 0 loses its quotes", "<TABLE BORDER=\"0\" X>", true, false, "<TABLE BORDER=1 X>"},
        {"blanks around = go", "<TABLE border = 0>", true, false, "<TABLE border=1>"},
        {"a border of 5 stays", "<TABLE BORDER=5>", true, false, "<TABLE BORDER=5>"},
        {"an empty value keeps the tag closed", "<TABLE BORDER=>", true, false, "<TABLE BORDER=1>"},
        {"a BGCOLOR stays and takes no colour", "<TABLE BGCOLOR=red><TABLE>", false, true,
         "<TABLE BGCOLOR=red><TABLE BGCOLOR=\"#&FF80FF\">"},
        {"both: the colour comes first", "<TABLE>", true, true,
         "<TABLE BGCOLOR=\"#&FF80FF\" BORDER=1>"},
        {"a tag without its > ends the rewrite", "a<TABLE>b<TABLE BORDER=0", true, false,
         "a<TABLE BORDER=1>b<TABLE BORDER=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(TableViewText(c.Text, c.Borders, c.Backgrounds), c.Expected);
    }
    const String seven = "<TABLE><TABLE><TABLE><TABLE><TABLE><TABLE><TABLE>";
    const String cycled = "<TABLE BGCOLOR=\"#&FF80FF\"><TABLE BGCOLOR=\"#&80FFFF\">"
                          "<TABLE BGCOLOR=\"#&FFFF80\"><TABLE BGCOLOR=\"#&8000FF\">"
                          "<TABLE BGCOLOR=\"#&80FF00\"><TABLE BGCOLOR=\"#&FF0080\">"
                          "<TABLE BGCOLOR=\"#&FF80FF\">";
    EXPECT_EQ(TableViewText(seven, false, true), cycled);
    EXPECT_EQ(TableViewText(seven, false, true), cycled) << "every text starts at the first";
}

class BrowserPreviewTest : public testing::Test {
public:
    void SetUp() override {
        TestHooks::UseFakeBrowser("Shown");
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("My Site"));
        ForceDirectories(Site);
        GlobalForm = new TGlobalForm(nullptr);
        Ferrydock95Form = new TFerrydock95Form(nullptr);
        Ferrydock95Form->RemoveCommentsCheck->SetChecked(true);
        Store(PublishKey, {{"PublishTo", String("/srv/upload/")}});
        Form = MakeMainWindow();
        Form->PrePublish = false;
        Form->PermSave = false;
    }

    void TearDown() override {
        Form.reset();
        delete Ferrydock95Form;
        Ferrydock95Form = nullptr;
        delete GlobalForm;
        GlobalForm = nullptr;
    }

    // A saved page, open and active; modified when its editor holds other text.
    String SavedPage(const String& name, bool modified = false) {
        WriteFileAtomic(Site + name, SavedText);
        UsePage(*Form, 0, Site + name, modified ? String("<p>new</p>") : SavedText, modified);
        Form->UpdateDocumentCommands();
        return Site + name;
    }

    void OpenPreview() {
        Form->IntBrowserButton->Click();
        Application->ProcessMessages();
    }
    // The lock's time passes, then the button closes the preview.
    void ClosePreview() {
        TestHooks::FireTimer(*Form->BrowserLockTimer);
        Form->IntBrowserButton->Click();
    }

    String StoredPublishFolder() const {
        TRegistry reg;
        reg.OpenKeyReadOnly(PublishKey);
        return reg.ReadString("PublishTo");
    }

    bool Showing() const { return Form->IntBrowser->Visible() && Form->BrowserPanel->Visible(); }

    String Site;
    std::unique_ptr<THTMLEMainForm> Form;
};

TEST_F(BrowserPreviewTest, PrePublishingShowsThePublishedPageAndPutsTheFileBackByteForByte) {
    const String page = SavedPage("Index.html");
    const double savedTime = FileModifiedTime(page);
    Form->PrePublish = true;
    const String backups = IncludeTrailingPathDelimiter(TestSupport::Sandbox("backups"));
    Ferrydock95Form->CopyTo1->SetText(backups);

    OpenPreview();

    ASSERT_TRUE(Showing());
    EXPECT_EQ(TestHooks::BrowserNavigations(), std::vector<String>{page});
    EXPECT_EQ(ReadFileBytes(page), "<HTML>\r\n\r\n<P>Index.html</P>\r\n</HTML>\r\n")
        << "published over the page itself, keeping its name's case";
    EXPECT_EQ(ReadFileBytes(Site + "~~Index.html"), SavedText);
    EXPECT_FALSE(FileExists(Site + "index.html"));
    EXPECT_TRUE(TestHooks::Prompts().empty()) << "a preview copy asks and tells nothing";
    EXPECT_FALSE(FileExists(backups + "Index.html")) << "nor is it copied anywhere";
    EXPECT_EQ(StoredPublishFolder(), "/srv/upload/");
    EXPECT_FALSE(Ferrydock95Form->BrowserPreview);
    EXPECT_FALSE(Ferrydock95Form->NoPublishedMessage);
    EXPECT_FALSE(Form->File1->Enabled());
    EXPECT_FALSE(Form->TagButtons->ButtonsPage->Visible());
    EXPECT_EQ(Form->IntBrowserButton->Hint(), "Close Internal Browser");
    EXPECT_EQ(Form->StatusBar1->Panels().Items(1)->Width(), 500);
    EXPECT_EQ(Form->StatusBar1->Panels().Items(2)->Width(), 0);

    // Switching pre-publishing off meanwhile does not keep the published text.
    Form->Prepublishfiles1->Click();
    ClosePreview();

    EXPECT_FALSE(Showing());
    EXPECT_EQ(ReadFileBytes(page), SavedText);
    EXPECT_EQ(FileModifiedTime(page), savedTime);
    EXPECT_FALSE(FileExists(Site + "~~Index.html"));
    EXPECT_TRUE(Form->File1->Enabled());
    EXPECT_TRUE(Form->TagButtons->ButtonsPage->Visible());
    EXPECT_EQ(Form->IntBrowserButton->Hint(), "Internal Browser");
    EXPECT_EQ(Form->StatusBar1->Panels().Items(1)->Width(), 300);
    EXPECT_EQ(Form->StatusBar1->Panels().Items(4)->Width(), 50);
}

TEST_F(BrowserPreviewTest, AModifiedPageIsShownAsSavedAndStaysModified) {
    const String page = SavedPage("page.htm", true);

    OpenPreview();
    EXPECT_EQ(TestHooks::BrowserNavigations(), std::vector<String>{page});
    EXPECT_EQ(ReadFileBytes(Site + "~$page.htm"), SavedText);
    ClosePreview();

    EXPECT_FALSE(FileExists(Site + "~$page.htm"));
    EXPECT_EQ(ReadFileBytes(page), SavedText);
    EXPECT_TRUE(Form->Memos[0]->Modified());
    EXPECT_EQ(Form->Memos[0]->Text(), "<p>new</p>");
}

TEST_F(BrowserPreviewTest, PrePublishingAModifiedPageShowsItsEditsAndLeavesTheFileAsItWas) {
    const String page = SavedPage("page.htm", true);
    Form->PrePublish = true;

    OpenPreview();
    EXPECT_EQ(ReadFileBytes(page), "<P>new</P>\r\n");
    ClosePreview();

    EXPECT_EQ(ReadFileBytes(page), SavedText);
    EXPECT_TRUE(Form->Memos[0]->Modified());
    EXPECT_FALSE(FileExists(Site + "~$page.htm"));
    EXPECT_FALSE(FileExists(Site + "~~page.htm"));
}

TEST_F(BrowserPreviewTest, TableBordersAreShownInThePagesFileUntilThePreviewCloses) {
    const String page = Site + "tables.htm";
    WriteFileAtomic(page, "<table><tr><td>a</td></tr></table>");
    UsePage(*Form, 0, page, ReadFileBytes(page));
    Form->Borders1->Click();

    OpenPreview();
    EXPECT_EQ(ReadFileBytes(page), "<table BORDER=1><tr><td>a</td></tr></table>");
    ClosePreview();

    EXPECT_EQ(ReadFileBytes(page), "<table><tr><td>a</td></tr></table>");
    Form->ShowTables1->Click();
    EXPECT_TRUE(Form->Borders1->Checked());
    EXPECT_FALSE(Form->Normal3->Checked());
}

TEST_F(BrowserPreviewTest, WithoutItsCopyThePagesFileIsNotRewritten) {
    const String page = SavedPage("page.htm");
    ForceDirectories(Site + "~~page.htm"); // the copy cannot be written there
    Form->PrePublish = true;
    Form->Borders1->Click();

    OpenPreview();

    EXPECT_TRUE(Showing());
    EXPECT_EQ(ReadFileBytes(page), SavedText);
    ClosePreview();
    EXPECT_EQ(ReadFileBytes(page), SavedText);
}

TEST_F(BrowserPreviewTest, CancellingTheDestinationShowsNothingAndLeavesThePublisherAsItWas) {
    const String page = SavedPage("page.htm");
    Form->PrePublish = true;
    Ferrydock95Form->DestinationKey = "/srv/upload/";
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TISPSelectForm&>(form);
        EXPECT_EQ(dialog.ISPCombo->ItemIndex(), 0) << "the first entry is selected";
        dialog.Button1Click(nullptr);
    });

    Form->TagButtons->IntBrowserButtonMouseDown(Form->IntBrowserButton, mbLeft, TShiftState{ssCtrl},
                                                0, 0);
    Form->IntBrowserButton->Click();

    EXPECT_FALSE(Showing());
    EXPECT_TRUE(Form->IntBrowserButton->Enabled());
    EXPECT_EQ(ReadFileBytes(page), SavedText);
    EXPECT_FALSE(FileExists(Site + "~~page.htm"));
    EXPECT_EQ(StoredPublishFolder(), "/srv/upload/");
    EXPECT_FALSE(Ferrydock95Form->BrowserPreview);
    EXPECT_FALSE(Ferrydock95Form->NoPublishedMessage);
    EXPECT_EQ(Ferrydock95Form->DestinationKey, "/srv/upload/");
}

TEST_F(BrowserPreviewTest, TheChosenDestinationPicksTheReplaceCodesVariant) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Olvane\\Quiltmarker\\Replace Codes", true));
    reg.WriteString("host", "[[first.host]]one\\n[[second.host]]two");
    ASSERT_TRUE(reg.OpenKey(ISPFoldersKey, true));
    reg.WriteString("1", "First.Host");
    reg.WriteString("2", "Second.Host");
    WriteFileAtomic(Site + "page.htm", "{{host}}");
    UsePage(*Form, 0, Site + "page.htm", "{{host}}");
    Form->PrePublish = true;
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TISPSelectForm&>(form);
        dialog.ISPCombo->SetItemIndex(dialog.ISPCombo->Items().IndexOf("second.host"));
        dialog.OKButtonClick(nullptr);
    });

    Form->TagButtons->IntBrowserButtonMouseDown(Form->IntBrowserButton, mbLeft, TShiftState{ssCtrl},
                                                0, 0);
    OpenPreview();

    EXPECT_EQ(ReadFileBytes(Site + "page.htm"), "two\r\n");
    ClosePreview();
    EXPECT_EQ(ReadFileBytes(Site + "page.htm"), "{{host}}");
}

TEST_F(BrowserPreviewTest, TheLockIgnoresClicksButNotTheWindowsClosing) {
    const String page = SavedPage("page.htm");
    Form->PrePublish = true;
    OpenPreview();

    Form->IntBrowserButton->Click();
    EXPECT_TRUE(Showing()) << "a click within the lock does nothing";

    bool canClose = false;
    Form->FormCloseQuery(Form.get(), canClose);
    EXPECT_TRUE(canClose);
    EXPECT_FALSE(Showing());
    EXPECT_EQ(ReadFileBytes(page), SavedText);
}

TEST_F(BrowserPreviewTest, AnUntitledModifiedPageIsSavedFirstOrNotShown) {
    UsePage(*Form, 0, "[untitled1]", "<p>x</p>", true);
    TestHooks::AnswerMessageBox(IDNO);
    Form->IntBrowserButton->Click();
    EXPECT_FALSE(Showing());
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              "File needs to be saved before viewing.\r\nSave it now?");
}

TEST_F(BrowserPreviewTest, SimulatedScreenWidthsSizeTheBrowserInItsPanel) {
    struct Case {
        TMenuItem* THTMLEMainForm::*Item;
        int Screen;
        TRect Expected; // left, top, right, bottom in the 1000 x 700 panel
        String Label;
    };
    const Case cases[] = {
        {&THTMLEMainForm::Browser800, 1280, {240, 194, 760, 506}, "Screen size: 800 x 600"},
        {&THTMLEMainForm::WebTV1, 1024, {242, 195, 758, 504}, "Screen size: 540 x 245 (WebTV)"},
        {&THTMLEMainForm::Normal1, 1280, {0, 50, 1000, 650}, ""},
        {&THTMLEMainForm::Browser1024, 800, {0, 50, 1000, 650}, ""},
        {&THTMLEMainForm::Browser640, 1920, {500, 350, 500, 350}, "Screen size: 640 x 480"},
    };
    SavedPage("page.htm");
    OpenPreview();
    Form->BrowserPanel->SetAlign(alNone);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        TestHooks::SetScreenSize(c.Screen, 768);
        Form->BrowserPanelLabel->SetCaption("");
        Form->BrowserPanel->SetBounds(0, 0, 1000, 700);
        (Form.get()->*c.Item)->Click();
        const TWebBrowser& browser = *Form->IntBrowser;
        EXPECT_EQ(TRect(browser.Left(), browser.Top(), browser.Left() + browser.Width(),
                        browser.Top() + browser.Height()),
                  c.Expected);
        EXPECT_EQ(Form->BrowserPanelLabel->Caption(), c.Label);
        EXPECT_TRUE((Form.get()->*c.Item)->Checked());
    }
    Form->ImagePreviewShown = true;
    Form->SizeBrowserToScreen();
    EXPECT_EQ(Form->IntBrowser->Width(), 1000);
    EXPECT_EQ(Form->IntBrowser->Height(), 700);
}

TEST_F(BrowserPreviewTest, TheAddressHistoryKeepsEachAddressOnceNewestFirst) {
    Form->AddURLToHistory("/srv/a.htm");
    Form->AddURLToHistory("/srv/b.htm");
    Form->AddURLToHistory("/SRV/A.HTM");
    const TStrings& items = Form->IntBrowserCombo->Items();
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items[0], "/SRV/A.HTM");
    EXPECT_EQ(items[1], "/srv/b.htm");
    EXPECT_EQ(Form->IntBrowserCombo->Text(), "/SRV/A.HTM");
}

TEST_F(BrowserPreviewTest, TheNavigationBarDrivesTheBrowserAndBackWithoutHistoryBeeps) {
    SavedPage("page.htm");
    OpenPreview();
    Form->IntBrowserBackButton->Click();
    EXPECT_EQ(TestHooks::Beeps().size(), 1u);

    Form->IntBrowserCombo->SetText("/srv/other.htm");
    char enter = 13;
    Form->IntBrowserComboKeyPress(Form->IntBrowserCombo, enter);
    Application->ProcessMessages();
    EXPECT_EQ(TestHooks::BrowserNavigations().back(), "/srv/other.htm");
    EXPECT_EQ(Form->TitleLabel->Caption(), "Shown");
    Form->IntBrowserBackButton->Click();
    Application->ProcessMessages();
    EXPECT_EQ(Form->IntBrowserCombo->Text(), Site + "page.htm");
    EXPECT_EQ(TestHooks::Beeps().size(), 1u);
}

TEST_F(BrowserPreviewTest, WorkOfflineTogglesTheSystemSetting) {
    const String key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    Form->WorkOffline1->Click();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(key));
    EXPECT_TRUE(reg.ReadBool("GlobalUserOffline"));
    EXPECT_TRUE(Form->WorkOffline1->Checked());
    Form->WorkOffline1->Click();
    EXPECT_FALSE(reg.ReadBool("GlobalUserOffline"));
    Form->View1->Click();
    EXPECT_FALSE(Form->WorkOffline1->Checked());
}

} // namespace
