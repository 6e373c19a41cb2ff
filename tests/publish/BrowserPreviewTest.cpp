#include "publish/Ferrydock95Main.h"
#include "publish/HTMLISPSelect.h"
#include "publish/InternalBrowser.h"
#include "publish/TableView.h"

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "editor/PrintCommands.h"
#include "platform/ComCtrls.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/SHDocVw.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "site/TagChecking.h"
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
        Browser = Form->InternalBrowser;
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
        Browser->IntBrowserButton->Click();
        Application->ProcessMessages();
    }
    // The lock's time passes, then the button closes the preview.
    void ClosePreview() {
        TestHooks::FireTimer(*Browser->BrowserLockTimer);
        Browser->IntBrowserButton->Click();
    }

    String StoredPublishFolder() const {
        TRegistry reg;
        reg.OpenKeyReadOnly(PublishKey);
        return reg.ReadString("PublishTo");
    }

    bool Showing() const {
        return Browser->IntBrowser->Visible() && Browser->BrowserPanel->Visible();
    }

    String Site;
    std::unique_ptr<THTMLEMainForm> Form;
    TInternalBrowser* Browser = nullptr;
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
    EXPECT_EQ(Browser->IntBrowserButton->Hint(), "Close Internal Browser");
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
    EXPECT_EQ(Browser->IntBrowserButton->Hint(), "Internal Browser");
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
    Browser->Borders1->Click();

    OpenPreview();
    EXPECT_EQ(ReadFileBytes(page), "<table BORDER=1><tr><td>a</td></tr></table>");
    ClosePreview();

    EXPECT_EQ(ReadFileBytes(page), "<table><tr><td>a</td></tr></table>");
    Browser->ShowTables1->Click();
    EXPECT_TRUE(Browser->Borders1->Checked());
    EXPECT_FALSE(Browser->Normal3->Checked());
}

TEST_F(BrowserPreviewTest, WithoutItsCopyThePagesFileIsNotRewritten) {
    const String page = SavedPage("page.htm");
    ForceDirectories(Site + "~~page.htm"); // the copy cannot be written there
    Form->PrePublish = true;
    Browser->Borders1->Click();

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

    Form->TagButtons->IntBrowserButtonMouseDown(Browser->IntBrowserButton, mbLeft,
                                                TShiftState{ssCtrl}, 0, 0);
    Browser->IntBrowserButton->Click();

    EXPECT_FALSE(Showing());
    EXPECT_TRUE(Browser->IntBrowserButton->Enabled());
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

    Form->TagButtons->IntBrowserButtonMouseDown(Browser->IntBrowserButton, mbLeft,
                                                TShiftState{ssCtrl}, 0, 0);
    OpenPreview();

    EXPECT_EQ(ReadFileBytes(Site + "page.htm"), "two\r\n");
    ClosePreview();
    EXPECT_EQ(ReadFileBytes(Site + "page.htm"), "{{host}}");
}

TEST_F(BrowserPreviewTest, TheLockIgnoresClicksButNotTheWindowsClosing) {
    const String page = SavedPage("page.htm");
    Form->PrePublish = true;
    OpenPreview();

    Browser->IntBrowserButton->Click();
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
    Browser->IntBrowserButton->Click();
    EXPECT_FALSE(Showing());
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              "File needs to be saved before viewing.\r\nSave it now?");
}

TEST_F(BrowserPreviewTest, SimulatedScreenWidthsSizeTheBrowserInItsPanel) {
    struct Case {
        TMenuItem* TInternalBrowser::*Item;
        int Screen;
        TRect Expected; // left, top, right, bottom in the 1000 x 700 panel
        String Label;
    };
    const Case cases[] = {
        {&TInternalBrowser::Browser800, 1280, {240, 194, 760, 506}, "Screen size: 800 x 600"},
        {&TInternalBrowser::WebTV1, 1024, {242, 195, 758, 504}, "Screen size: 540 x 245 (WebTV)"},
        {&TInternalBrowser::Normal1, 1280, {0, 50, 1000, 650}, ""},
        {&TInternalBrowser::Browser1024, 800, {0, 50, 1000, 650}, ""},
        {&TInternalBrowser::Browser640, 1920, {500, 350, 500, 350}, "Screen size: 640 x 480"},
    };
    SavedPage("page.htm");
    OpenPreview();
    Browser->BrowserPanel->SetAlign(alNone);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        TestHooks::SetScreenSize(c.Screen, 768);
        Browser->BrowserPanelLabel->SetCaption("");
        Browser->BrowserPanel->SetBounds(0, 0, 1000, 700);
        (Browser->*c.Item)->Click();
        const TWebBrowser& browser = *Browser->IntBrowser;
        EXPECT_EQ((TRect{browser.Left(), browser.Top(), browser.Left() + browser.Width(),
                         browser.Top() + browser.Height()}),
                  c.Expected);
        EXPECT_EQ(Browser->BrowserPanelLabel->Caption(), c.Label);
        EXPECT_TRUE((Browser->*c.Item)->Checked());
    }
    Browser->ImagePreviewShown = true;
    Browser->SizeBrowserToScreen();
    EXPECT_EQ(Browser->IntBrowser->Width(), 1000);
    EXPECT_EQ(Browser->IntBrowser->Height(), 700);
}

TEST_F(BrowserPreviewTest, TheAddressHistoryKeepsEachAddressOnceNewestFirst) {
    Browser->AddURLToHistory("/srv/a.htm");
    Browser->AddURLToHistory("/srv/b.htm");
    Browser->AddURLToHistory("/SRV/A.HTM");
    const TStrings& items = Browser->IntBrowserCombo->Items();
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items[0], "/SRV/A.HTM");
    EXPECT_EQ(items[1], "/srv/b.htm");
    EXPECT_EQ(Browser->IntBrowserCombo->Text(), "/SRV/A.HTM");
}

TEST_F(BrowserPreviewTest, TheNavigationBarDrivesTheBrowserAndBackWithoutHistoryBeeps) {
    SavedPage("page.htm");
    OpenPreview();
    Browser->IntBrowserBackButton->Click();
    EXPECT_EQ(TestHooks::Beeps().size(), 1u);

    Browser->IntBrowserCombo->SetText("/srv/other.htm");
    char enter = 13;
    Browser->IntBrowserComboKeyPress(Browser->IntBrowserCombo, enter);
    Application->ProcessMessages();
    EXPECT_EQ(TestHooks::BrowserNavigations().back(), "/srv/other.htm");
    EXPECT_EQ(Browser->TitleLabel->Caption(), "Shown");
    Browser->IntBrowserBackButton->Click();
    Application->ProcessMessages();
    EXPECT_EQ(Browser->IntBrowserCombo->Text(), Site + "page.htm");
    EXPECT_EQ(TestHooks::Beeps().size(), 1u);
}

TEST_F(BrowserPreviewTest, WorkOfflineTogglesTheSystemSetting) {
    const String key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    Browser->WorkOffline1->Click();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(key));
    EXPECT_TRUE(reg.ReadBool("GlobalUserOffline"));
    EXPECT_TRUE(Browser->WorkOffline1->Checked());
    Browser->WorkOffline1->Click();
    EXPECT_FALSE(reg.ReadBool("GlobalUserOffline"));
    Form->View1->Click();
    EXPECT_FALSE(Browser->WorkOffline1->Checked());

    // Changed outside the program, the setting shows as the View menu drops down.
    TRegistry outside;
    ASSERT_TRUE(outside.OpenKey(key, false));
    outside.WriteBool("GlobalUserOffline", true);
    Form->View1->Click();
    EXPECT_TRUE(Browser->WorkOffline1->Checked());
}

// Saving or closing the page shown would be undone as the preview puts the page's file back.
TEST_F(BrowserPreviewTest, TheFileMenuKeepsThePagesCommandsOffWhileThePreviewShows) {
    SavedPage("page.htm");
    OpenPreview();
    // The page's preview turns the whole menu off; the menu's own refresh keeps the page's
    // commands off too, for the previews that leave it on.
    Form->File1->OnClick(Form->File1);
    for (TMenuItem* item :
         {Form->Documents->Save1, Form->Documents->SaveAs1, Form->Documents->Close1,
          Form->Documents->CloseAll1, Form->PrintCommands->Print1})
        EXPECT_FALSE(item->Enabled()) << item->Name();
    ClosePreview();
    Form->File1->OnClick(Form->File1);
    EXPECT_TRUE(Form->Documents->Save1->Enabled());
}

// The framework document's button makes a page, so it is off while the preview shows, however the
// commands are refreshed meanwhile, and back once the preview closes.
TEST_F(BrowserPreviewTest, TheFrameworkDocumentButtonIsOffWhileThePreviewShows) {
    SavedPage("page.htm");
    TQmToolbarButton* button = Form->TagButtons->BasicButton;
    EXPECT_TRUE(button->Enabled());
    OpenPreview();
    EXPECT_FALSE(button->Enabled());
    Form->UpdateDocumentCommands();
    EXPECT_FALSE(button->Enabled());
    ClosePreview();
    EXPECT_TRUE(button->Enabled());
}

// Refreshing the pages' commands while the preview shows leaves those it turned off off, the
// tag checker's among them.
TEST_F(BrowserPreviewTest, ThePagesCommandsStayOffWhenRefreshedDuringThePreview) {
    SavedPage("page.htm");
    EXPECT_TRUE(Form->TagChecking->Validatecurrentfile1->Enabled());
    OpenPreview();
    Form->UpdateDocumentCommands();
    EXPECT_FALSE(Form->TagChecking->Validatecurrentfile1->Enabled());
    EXPECT_FALSE(Form->PrintCommands->Print1->Enabled());
}

// The browser's items, button and panels sit where the window always had them, among the
// commands of others.
TEST_F(BrowserPreviewTest, TheBrowsersCommandsKeepTheirPlacesInTheWindow) {
    std::vector<String> view;
    for (int i = 0; i < 9; ++i)
        view.push_back(Form->View1->Items(i)->Name());
    EXPECT_EQ(view,
              (std::vector<String>{"InternalBrowser1", "InternetExplorer1", "NetscapeNavigator31",
                                   "BrowserSize1", "ShowTables1", "IncludeMultimedia1",
                                   "WorkOffline1", "DisplayImages", "ShowHideMarks1"}));
    EXPECT_EQ(Browser->ShowBrowserFullSize1->MenuIndex(),
              Form->PermanentSaveonViewing1->MenuIndex() + 1);
    EXPECT_TRUE(Browser->ShowBrowserFullSize1->Visible()) << "once the settings are read";

    const TQmToolbarButton* button = Browser->IntBrowserButton;
    EXPECT_EQ(button->Parent(), Form->StdToolbar);
    EXPECT_EQ(button->Left(),
              Form->Documents->CloseAllButton->Left() + Form->Documents->CloseAllButton->Width());
    EXPECT_EQ(Form->HelpButton->Left(), button->Left() + button->Width());
    EXPECT_EQ(Browser->IntBrowserBackButton->Parent()->Parent(), Form->TopPanel);
    EXPECT_EQ(Browser->BrowserPanel->Parent(), Form.get());
}

// Help-pointer mode offers the command without a page, as it offers every page's command.
TEST_F(BrowserPreviewTest, TheBrowserCommandNeedsAPage) {
    auto offered = [&] {
        const bool item = Browser->InternalBrowser1->Enabled();
        EXPECT_EQ(Browser->IntBrowserButton->Enabled(), item);
        return item;
    };
    EXPECT_FALSE(offered());
    SavedPage("page.htm");
    EXPECT_TRUE(offered());
    Form->Documents->Close1Click(nullptr);
    EXPECT_FALSE(offered());
    Form->EnableDocumentCommands();
    EXPECT_TRUE(offered());
}

TEST_F(BrowserPreviewTest, EveryShowingOfTheWindowBringsTheCommandBack) {
    Form->FirstShowPending = false;
    Browser->InternalBrowser1->SetVisible(false);
    Browser->IntBrowserButton->SetVisible(false);
    Form->FormShow(Form.get());
    EXPECT_TRUE(Browser->InternalBrowser1->Visible());
    EXPECT_TRUE(Browser->IntBrowserButton->Visible());
}

} // namespace
