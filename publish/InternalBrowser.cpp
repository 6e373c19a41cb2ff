// The browser inside the main window: its panel, its navigation bar in place of the tag buttons,
// its address history, the simulated screen sizes, the table views, the browser menu's settings,
// and the system browser's settings that the program overrides while it runs.

#include "publish/InternalBrowser.h"

#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/EditCommands.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/PrintCommands.h"
#include "editor/Templates.h"
#include "editor/TextTransforms.h"
#include "platform/Events.h"
#include "platform/Registry.h"
#include "platform/SHDocVw.h"
#include "publish/MultiPublishing.h"
#include "publish/PublishCommands.h"
#include "services/ProgramSettings.h"
#include "site/GlobalFindReplace.h"
#include "site/TagChecking.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

namespace {

const String InternetSettingsKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const String ScreenSizeTexts[][2] = {{"800", "Screen size: 800 x 600"},
                                     {"1024", "Screen size: 1024 x 768"},
                                     {"640", "Screen size: 640 x 480"},
                                     {"540", "Screen size: 540 x 245 (WebTV)"}};
const char CarriageReturn = 13;

bool GlobalUserOffline() {
    bool offline = false;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(InternetSettingsKey))
        ReadSetting(reg, "GlobalUserOffline", offline);
    return offline;
}

String ScreenSizeText(int width) {
    for (const auto& [number, text] : ScreenSizeTexts)
        if (number == IntToStr(width))
            return text;
    return "";
}

} // namespace

// The browser's button follows Close All on the toolbar. The lock's timer runs only while a
// preview holds the lock.
void TInternalBrowser::Build() {
    BuildMenuItems();
    IntBrowserButton = Form.InsertToolbarButton(Form.StdToolbar, Form.Documents->CloseAllButton,
                                                "IntBrowserButton", "Internal Browser");
    BuildBrowserPanel();
    BuildNavigationBar();
    BrowserLockTimer = NewComponent<TTimer>(&Form, "BrowserLockTimer");
    BrowserLockTimer->SetEnabled(false);
    BrowserLockTimer->SetInterval(2000);
}

// The View menu opens with the browser's item, followed by the external browsers' items; the
// sizes, table views, Work Offline and Display Images come before Show/Hide Marks (the file pane,
// built after the browser, puts Include Multimedia before Work Offline). Show Browser Full Size
// follows Permanent Save on Viewing, hidden until the settings are read.
void TInternalBrowser::BuildMenuItems() {
    TMenuItem* view = Form.View1;
    InternalBrowser1 = InsertItem(&Form, view, 0, "InternalBrowser1", "Internal &Browser");
    BrowserSize1 = InsertItem(&Form, view, Form.ShowHideMarks1->MenuIndex(), "BrowserSize1",
                              "&Set Browser Size");
    Browser1024 = AddItem(&Form, BrowserSize1, "Browser1024", "&1024x768");
    Browser800 = AddItem(&Form, BrowserSize1, "Browser800", "&800x600");
    Browser640 = AddItem(&Form, BrowserSize1, "Browser640", "&640x480");
    WebTV1 = AddItem(&Form, BrowserSize1, "WebTV1", "&WebTV");
    Normal1 = AddItem(&Form, BrowserSize1, "Normal1", "&Normal");
    Normal1->SetChecked(true);
    ShowTables1 =
        InsertItem(&Form, view, BrowserSize1->MenuIndex() + 1, "ShowTables1", "View &Tables");
    Borders1 = AddItem(&Form, ShowTables1, "Borders1", "&Borders");
    Background1 = AddItem(&Form, ShowTables1, "Background1", "B&ackground");
    Normal3 = AddItem(&Form, ShowTables1, "Normal3", "&Normal");
    WorkOffline1 =
        InsertItem(&Form, view, ShowTables1->MenuIndex() + 1, "WorkOffline1", "Work &Offline");
    DisplayImages =
        InsertItem(&Form, view, WorkOffline1->MenuIndex() + 1, "DisplayImages", "&Display Images");
    ShowBrowserFullSize1 =
        InsertItem(&Form, Form.Preferences1, Form.PermanentSaveonViewing1->MenuIndex() + 1,
                   "ShowBrowserFullSize1", "Show &Browser Full Size");
    ShowBrowserFullSize1->SetVisible(false);
}

// The browser's panel takes the pages' place, its navigation bar the tag buttons'.
void TInternalBrowser::BuildBrowserPanel() {
    BrowserPanel = NewControl<TPanel>(&Form, &Form, "BrowserPanel");
    IntBrowserPanel = NewControl<TPanel>(&Form, Form.TopPanel, "IntBrowserPanel");
    for (TPanel* panel : {BrowserPanel, IntBrowserPanel}) {
        panel->SetAlign(alClient);
        panel->SetCaption("");
        panel->SetVisible(false);
    }
    BrowserPanelLabel = NewControl<TLabel>(&Form, BrowserPanel, "BrowserPanelLabel");
    BrowserPanelLabel->SetBounds(4, 4, 300, 16);
    BrowserPanelLabel->SetCaption("");
    BrowserPanelLabel->SetColor(clBlack);
    BrowserPanelLabel->Font().SetColor(clWhite);
    IntBrowser = NewControl<TWebBrowser>(&Form, BrowserPanel, "IntBrowser");
    IntBrowser->SetVisible(false);
}

void TInternalBrowser::BuildNavigationBar() {
    const int ButtonWidth = 60;
    const int ButtonHeight = 25;
    struct NavigationButton {
        TQmToolbarButton* TInternalBrowser::*Member;
        const char* Name;
        const char* Caption;
    };
    static const NavigationButton Buttons[] = {
        {&TInternalBrowser::IntBrowserStopButton, "IntBrowserStopButton", "Stop"},
        {&TInternalBrowser::IntBrowserBackButton, "IntBrowserBackButton", "Back"},
        {&TInternalBrowser::IntBrowserFwdButton, "IntBrowserFwdButton", "Forward"},
        {&TInternalBrowser::IntBrowserRefreshButton, "IntBrowserRefreshButton", "Refresh"},
    };
    int left = 4;
    for (const NavigationButton& place : Buttons) {
        auto* button = NewControl<TQmToolbarButton>(&Form, IntBrowserPanel, place.Name);
        button->SetBounds(left, 4, ButtonWidth, ButtonHeight);
        button->SetCaption(place.Caption);
        button->SetHint(place.Caption);
        button->SetShowHint(true);
        this->*place.Member = button;
        left += ButtonWidth;
    }
    IntBrowserStopButton->SetEnabled(false);
    IntBrowserCombo = NewControl<TComboBox>(&Form, IntBrowserPanel, "IntBrowserCombo");
    IntBrowserCombo->SetBounds(left + 8, 6, 400, 21);
    TitleLabel = NewControl<TLabel>(&Form, IntBrowserPanel, "TitleLabel");
    TitleLabel->SetBounds(4, 36, 600, 16);
    TitleLabel->SetCaption("");

    IntBrowserOpen = NewControl<TQmToolbarButton>(&Form, IntBrowserPanel, "IntBrowserOpen");
    IntBrowserClose = NewControl<TQmToolbarButton>(&Form, IntBrowserPanel, "IntBrowserClose");
    for (TQmToolbarButton* holder : {IntBrowserOpen, IntBrowserClose}) {
        holder->SetVisible(false);
        Form.LoadButtonGlyph(holder);
    }
}

// A press on the browser's button keeps its shift state for the preview, as the tag buttons keep
// theirs for the insertion.
void TInternalBrowser::Bind() {
    IntBrowserButton->OnClick = Handler(this, &TInternalBrowser::IntBrowserButtonClick);
    IntBrowserButton->OnMouseDown =
        Handler(Form.TagButtons, &TTagButtons::IntBrowserButtonMouseDown);
    InternalBrowser1->OnClick = Handler(this, &TInternalBrowser::IntBrowserButtonClick);
    IntBrowserBackButton->OnClick = Handler(this, &TInternalBrowser::IntBrowserBackButtonClick);
    IntBrowserFwdButton->OnClick = Handler(this, &TInternalBrowser::IntBrowserFwdButtonClick);
    IntBrowserStopButton->OnClick = Handler(this, &TInternalBrowser::IntBrowserStopButtonClick);
    IntBrowserRefreshButton->OnClick =
        Handler(this, &TInternalBrowser::IntBrowserRefreshButtonClick);
    IntBrowserCombo->OnClick = Handler(this, &TInternalBrowser::IntBrowserComboClick);
    IntBrowserCombo->OnKeyPress = Handler(this, &TInternalBrowser::IntBrowserComboKeyPress);
    IntBrowser->OnNavigateComplete2 = Handler(this, &TInternalBrowser::IntBrowserNavigateComplete);
    IntBrowser->OnStatusTextChange = Handler(this, &TInternalBrowser::IntBrowserStatusTextChange);
    IntBrowser->OnTitleChange = Handler(this, &TInternalBrowser::IntBrowserTitleChange);
    IntBrowser->OnDownloadBegin = Handler(this, &TInternalBrowser::IntBrowserDownloadBegin);
    IntBrowser->OnDownloadComplete = Handler(this, &TInternalBrowser::IntBrowserDownloadComplete);
    BrowserPanel->OnResize = Handler(this, &TInternalBrowser::BrowserPanelResize);
    BrowserLockTimer->OnTimer = Handler(this, &TInternalBrowser::BrowserLockTimerTimer);
    Browser1024->OnClick = Handler(this, &TInternalBrowser::Browser1024Click);
    Browser800->OnClick = Handler(this, &TInternalBrowser::Browser800Click);
    Browser640->OnClick = Handler(this, &TInternalBrowser::Browser640Click);
    WebTV1->OnClick = Handler(this, &TInternalBrowser::WebTV1Click);
    Normal1->OnClick = Handler(this, &TInternalBrowser::Normal1Click);
    Borders1->OnClick = Handler(this, &TInternalBrowser::Borders1Click);
    Background1->OnClick = Handler(this, &TInternalBrowser::Background1Click);
    Normal3->OnClick = Handler(this, &TInternalBrowser::Normal3Click);
    ShowTables1->OnClick = Handler(this, &TInternalBrowser::ShowTables1Click);
    ShowBrowserFullSize1->OnClick = Handler(this, &TInternalBrowser::ShowBrowserFullSize1Click);
    WorkOffline1->OnClick = Handler(this, &TInternalBrowser::WorkOffline1Click);
}

// ---- The settings and the commands' state ----

void TInternalBrowser::ReadSettings() {
    LimitBrowserSizes();
    ReadFullSizeSetting();
    OverrideBrowserSettings();
}

void TInternalBrowser::LimitBrowserSizes() {
    if (Screen->Width() < 1024)
        Browser1024->SetEnabled(false);
    if (Screen->Width() < 800)
        Browser800->SetEnabled(false);
}

void TInternalBrowser::ReadFullSizeSetting() {
    ShowBrowserFullSize1->SetVisible(true);
    BrowserFullSize = true;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(ProductKey))
        ReadSetting(reg, "BrowserFullSize", BrowserFullSize);
    ShowBrowserFullSize1->SetChecked(BrowserFullSize);
}

// While the program runs, the system browser shows images and works offline; what the user had
// is kept to be put back at the close.
void TInternalBrowser::OverrideBrowserSettings() {
    SavedInlineImages = "yes";
    SavedGlobalUserOffline = false;
    TRegistry user;
    if (user.OpenKey(BrowserMainKey, true)) {
        if (ReadSetting(user, "Display Inline Images", SavedInlineImages))
            user.WriteString("Display Inline Images", "yes");
        if (ReadSetting(user, "GlobalUserOffline", SavedGlobalUserOffline))
            user.WriteBool("GlobalUserOffline", true);
    }
    WorkOffline1->SetChecked(true);
}

// A setting that is not there was never overridden and stays away.
void TInternalBrowser::WriteSettings() {
    TRegistry reg;
    if (!reg.OpenKey(BrowserMainKey, true))
        return;
    if (reg.ValueExists("Display Inline Images"))
        reg.WriteString("Display Inline Images", SavedInlineImages);
    if (reg.ValueExists("GlobalUserOffline"))
        reg.WriteBool("GlobalUserOffline", SavedGlobalUserOffline);
}

// Saving or closing a page while the browser shows it would be undone by the preview's closing,
// which puts the page's file back.
void TInternalBrowser::UpdateCommands() {
    const bool enabled = Form.DocumentCommandsEnabled();
    InternalBrowser1->SetEnabled(enabled);
    IntBrowserButton->SetEnabled(enabled);
    if (Showing())
        DisableCommandsWhileBrowsing();
}

void TInternalBrowser::DisableCommandsWhileBrowsing() {
    for (TQmToolbarButton* button :
         {Form.Documents->FileNewButton, Form.TagButtons->BasicButton,
          Form.Documents->FileOpenButton, Form.Documents->FileSaveButton,
          Form.PrintCommands->PrintButton, Form.Documents->CloseButton,
          Form.Documents->CloseAllButton, Form.PublishCommands->PublishButton,
          Form.EditCommands->CutButton, Form.EditCommands->CopyButton,
          Form.EditCommands->PasteButton, Form.ElementNavigation->BookmarkButton,
          Form.ElementNavigation->GotoButton, Form.FindReplace->FindButton,
          Form.FindReplace->ReplaceButton, Form.GlobalFindReplace->GlobalReplaceButton,
          Form.ElementNavigation->ExtendButton, Form.TextTransforms->IndentButton,
          Form.TextTransforms->UnindentButton})
        button->SetEnabled(false);
    for (TMenuItem* item : {Form.MultiPublishing->MultiPublish1,
                            Form.MultiPublishing->MultiPublish2, Form.MultiPublishing->MultiCopy1,
                            Form.TagChecking->Validatecurrentfile1, Form.PrintCommands->Print1,
                            Form.PrintCommands->PrintPreview1, Form.ElementNavigation->SelectTag1})
        item->SetEnabled(false);
}

// The View menu is the browser's menu too.
void TInternalBrowser::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.View1)
        Browser1Click(&menu);
    if (&menu == Form.File1 && Showing()) {
        for (TMenuItem* item :
             {Form.Documents->Save1, Form.Documents->SaveAs1, Form.Documents->Close1,
              Form.Documents->CloseAll1, Form.Templates->SaveAsTemplate, Form.PrintCommands->Print1,
              Form.PrintCommands->PrintExtra, Form.PrintCommands->PrintPreview1,
              Form.PrintCommands->PrintPreviewExtra})
            item->SetEnabled(false);
        Form.PrintCommands->PrintButton->SetEnabled(false);
    }
}

bool TInternalBrowser::CanClose() {
    if (Showing())
        ClosePreview();
    return true;
}

bool TInternalBrowser::Showing() const {
    return IntBrowserPanel->Visible();
}

void TInternalBrowser::WindowShowing() {
    IntBrowserButton->SetVisible(true);
    InternalBrowser1->SetVisible(true);
}

// ---- The navigation bar and the browser's events ----

void TInternalBrowser::IntBrowserBackButtonClick(TObject* /*Sender*/) {
    MoveThroughBrowserHistory(HelpContexts::IntBrowserBackButtonClick, &TWebBrowser::GoBack);
}

void TInternalBrowser::IntBrowserFwdButtonClick(TObject* /*Sender*/) {
    MoveThroughBrowserHistory(HelpContexts::IntBrowserFwdButtonClick, &TWebBrowser::GoForward);
}

// The browser raises when there is no page to go to; the user hears that instead.
void TInternalBrowser::MoveThroughBrowserHistory(THelpContext help, void (TWebBrowser::*move)()) {
    if (Form.HandleHelpPointer(help))
        return;
    try {
        (IntBrowser->*move)();
    } catch (const EOleException&) {
        MessageBeep(0xFFFFFFFF);
    }
}

void TInternalBrowser::IntBrowserStopButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::IntBrowserStopButtonClick))
        return;
    IntBrowser->Stop();
}

void TInternalBrowser::IntBrowserRefreshButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::IntBrowserRefreshButtonClick))
        return;
    IntBrowser->Refresh();
}

void TInternalBrowser::IntBrowserComboClick(TObject* /*Sender*/) {
    const String address = IntBrowserCombo->Text();
    IntBrowser->Navigate(address);
    AddURLToHistory(address);
}

void TInternalBrowser::IntBrowserComboKeyPress(TObject* /*Sender*/, char& Key) {
    if (Key != CarriageReturn || IntBrowserCombo->Text().empty())
        return;
    const String address = IntBrowserCombo->Text();
    IntBrowser->Navigate(address);
    AddURLToHistory(address);
}

void TInternalBrowser::IntBrowserNavigateComplete(TObject* /*Sender*/, const String& URL) {
    AddURLToHistory(URL);
}

void TInternalBrowser::IntBrowserStatusTextChange(TObject* /*Sender*/, const String& Text) {
    Form.StatusBar1->Panels().Items(Form.FolderPanel)->SetText(Text);
}

void TInternalBrowser::IntBrowserTitleChange(TObject* /*Sender*/, const String& Text) {
    TitleLabel->SetCaption(Text);
}

void TInternalBrowser::IntBrowserDownloadBegin(TObject* /*Sender*/) {
    IntBrowserStopButton->SetEnabled(true);
}

void TInternalBrowser::IntBrowserDownloadComplete(TObject* /*Sender*/) {
    IntBrowserButton->SetEnabled(true);
    IntBrowserStopButton->SetEnabled(false);
}

void TInternalBrowser::AddURLToHistory(const String& URL) {
    TStrings& items = IntBrowserCombo->Items();
    const String wanted = UpperCase(URL);
    for (int i = items.Count() - 1; i >= 0; --i)
        if (UpperCase(items[i]) == wanted)
            items.Delete(i);
    items.Insert(0, URL);
    IntBrowserCombo->SetText(URL);
    IntBrowserCombo->SetItemIndex(0);
}

// ---- Showing the browser and its size ----

void TInternalBrowser::ShowInternalBrowser() {
    if (IntBrowser->Visible())
        return;
    DisableCommandsWhileBrowsing();
    Form.TagButtons->ButtonsPage->SetVisible(false);
    IntBrowserPanel->SetVisible(true);
    BrowserPanel->SetVisible(true);
    IntBrowser->SetVisible(true);
    SizeBrowserToScreen();
    IntBrowserButton->SetEnabled(true);
    IntBrowserButton->SetGlyph(&IntBrowserClose->Glyph());
    IntBrowserButton->SetHint("Close Internal Browser");
    InternalBrowser1->SetChecked(true);
}

void TInternalBrowser::SizeBrowserToScreen() {
    if (!IntBrowser->Visible())
        return;
    const int panelWidth = BrowserPanel->Width();
    const int panelHeight = BrowserPanel->Height();
    if (ImagePreviewShown) {
        IntBrowser->SetBounds(0, 0, panelWidth, panelHeight);
        return;
    }
    const int screenWidth = Screen->Width();
    int excess = 0;
    if (BrowserScreenWidth != 0 && BrowserScreenWidth <= screenWidth) {
        excess = screenWidth - BrowserScreenWidth;
        BrowserPanelLabel->SetCaption(ScreenSizeText(BrowserScreenWidth));
    }
    // A panel narrower than the simulated screen's margins leaves the browser no room at all.
    const int width = std::max(0, panelWidth - excess);
    const int height = std::max(0, std::min(panelHeight, width * 6 / 10));
    IntBrowser->SetBounds((panelWidth - width) / 2, (panelHeight - height) / 2, width, height);
}

void TInternalBrowser::BrowserPanelResize(TObject* /*Sender*/) {
    SizeBrowserToScreen();
}

void TInternalBrowser::BrowserLockTimerTimer(TObject* /*Sender*/) {
    BrowserLockTimer->SetEnabled(false);
    BrowserLocked = false;
}

void TInternalBrowser::ChooseBrowserScreenWidth(TMenuItem* item, int width) {
    if (Form.HandleHelpPointer(HelpContexts::Browser1024Click))
        return;
    BrowserScreenWidth = width;
    for (TMenuItem* size : {Browser1024, Browser800, Browser640, WebTV1, Normal1})
        size->SetChecked(size == item);
    SizeBrowserToScreen();
}

void TInternalBrowser::Browser1024Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Browser1024, 1024);
}

void TInternalBrowser::Browser800Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Browser800, 800);
}

void TInternalBrowser::Browser640Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Browser640, 640);
}

void TInternalBrowser::WebTV1Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(WebTV1, 540);
}

void TInternalBrowser::Normal1Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Normal1, 0);
}

// ---- Table views and the browser menu ----

void TInternalBrowser::Borders1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Borders1Click))
        return;
    ShowTableBorders = !ShowTableBorders;
}

void TInternalBrowser::Background1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Background1Click))
        return;
    ShowTableBackgrounds = !ShowTableBackgrounds;
}

void TInternalBrowser::Normal3Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Normal3Click))
        return;
    ShowTableBorders = false;
    ShowTableBackgrounds = false;
}

void TInternalBrowser::ShowTables1Click(TObject* /*Sender*/) {
    Borders1->SetChecked(ShowTableBorders);
    Background1->SetChecked(ShowTableBackgrounds);
    Normal3->SetChecked(!ShowTableBorders && !ShowTableBackgrounds);
}

void TInternalBrowser::ShowBrowserFullSize1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ShowBrowserFullSize1Click))
        return;
    BrowserFullSize = !BrowserFullSize;
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    reg.WriteBool("BrowserFullSize", BrowserFullSize);
    ShowBrowserFullSize1->SetChecked(BrowserFullSize);
}

void TInternalBrowser::WorkOffline1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::WorkOffline1Click))
        return;
    const bool offline = !GlobalUserOffline();
    TRegistry reg;
    reg.OpenKey(InternetSettingsKey, true);
    reg.WriteBool("GlobalUserOffline", offline);
    WorkOffline1->SetChecked(offline);
}

void TInternalBrowser::Browser1Click(TObject* /*Sender*/) {
    WorkOffline1->SetChecked(GlobalUserOffline());
    String inlineImages;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(BrowserMainKey))
        ReadSetting(reg, "Display Inline Images", inlineImages);
    DisplayImages->SetChecked(inlineImages == "yes");
}
