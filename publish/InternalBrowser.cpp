// The browser inside the main window: its panel, its navigation bar in place of the tag buttons,
// its address history, the simulated screen sizes, the table views and the browser menu's
// settings.

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"

#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/Registry.h"
#include "platform/SHDocVw.h"
#include "services/ProgramSettings.h"
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

void THTMLEMainForm::BuildInternalBrowser() {
    Browser640 = AddItem(this, BrowserSize1, "Browser640", "&640x480");
    WebTV1 = AddItem(this, BrowserSize1, "WebTV1", "&WebTV");
    Normal1 = AddItem(this, BrowserSize1, "Normal1", "&Normal");
    Normal1->SetChecked(true);
    const int afterSizes = BrowserSize1->MenuIndex() + 1;
    ShowTables1 = InsertItem(this, View1, afterSizes, "ShowTables1", "View &Tables");
    Borders1 = AddItem(this, ShowTables1, "Borders1", "&Borders");
    Background1 = AddItem(this, ShowTables1, "Background1", "B&ackground");
    Normal3 = AddItem(this, ShowTables1, "Normal3", "&Normal");
    DisplayImages =
        InsertItem(this, View1, WorkOffline1->MenuIndex() + 1, "DisplayImages", "&Display Images");

    IntBrowserPanel->SetParent(TopPanel);
    const int ButtonWidth = 60;
    const int ButtonHeight = 25;
    struct NavigationButton {
        TQmToolbarButton* THTMLEMainForm::*Member;
        const char* Name;
        const char* Caption;
    };
    static const NavigationButton Buttons[] = {
        {&THTMLEMainForm::IntBrowserStopButton, "IntBrowserStopButton", "Stop"},
        {&THTMLEMainForm::IntBrowserBackButton, "IntBrowserBackButton", "Back"},
        {&THTMLEMainForm::IntBrowserFwdButton, "IntBrowserFwdButton", "Forward"},
        {&THTMLEMainForm::IntBrowserRefreshButton, "IntBrowserRefreshButton", "Refresh"},
    };
    int left = 4;
    for (const NavigationButton& place : Buttons) {
        auto* button = NewControl<TQmToolbarButton>(this, IntBrowserPanel, place.Name);
        button->SetBounds(left, 4, ButtonWidth, ButtonHeight);
        button->SetCaption(place.Caption);
        button->SetHint(place.Caption);
        button->SetShowHint(true);
        this->*place.Member = button;
        left += ButtonWidth;
    }
    IntBrowserStopButton->SetEnabled(false);
    IntBrowserCombo = NewControl<TComboBox>(this, IntBrowserPanel, "IntBrowserCombo");
    IntBrowserCombo->SetBounds(left + 8, 6, 400, 21);
    TitleLabel = NewControl<TLabel>(this, IntBrowserPanel, "TitleLabel");
    TitleLabel->SetBounds(4, 36, 600, 16);
    TitleLabel->SetCaption("");

    BrowserPanelLabel = NewControl<TLabel>(this, BrowserPanel, "BrowserPanelLabel");
    BrowserPanelLabel->SetBounds(4, 4, 300, 16);
    BrowserPanelLabel->SetCaption("");
    BrowserPanelLabel->SetColor(clBlack);
    BrowserPanelLabel->Font().SetColor(clWhite);
    IntBrowser = NewControl<TWebBrowser>(this, BrowserPanel, "IntBrowser");
    IntBrowser->SetVisible(false);

    IntBrowserOpen = NewControl<TQmToolbarButton>(this, IntBrowserPanel, "IntBrowserOpen");
    IntBrowserClose = NewControl<TQmToolbarButton>(this, IntBrowserPanel, "IntBrowserClose");
    for (TQmToolbarButton* holder : {IntBrowserOpen, IntBrowserClose}) {
        holder->SetVisible(false);
        LoadButtonGlyph(holder);
    }
    BrowserLockTimer->SetInterval(2000);
}

void THTMLEMainForm::BindInternalBrowser() {
    IntBrowserButton->OnClick = Handler(this, &THTMLEMainForm::IntBrowserButtonClick);
    InternalBrowser1->OnClick = Handler(this, &THTMLEMainForm::IntBrowserButtonClick);
    IntBrowserBackButton->OnClick = Handler(this, &THTMLEMainForm::IntBrowserBackButtonClick);
    IntBrowserFwdButton->OnClick = Handler(this, &THTMLEMainForm::IntBrowserFwdButtonClick);
    IntBrowserStopButton->OnClick = Handler(this, &THTMLEMainForm::IntBrowserStopButtonClick);
    IntBrowserRefreshButton->OnClick = Handler(this, &THTMLEMainForm::IntBrowserRefreshButtonClick);
    IntBrowserCombo->OnClick = Handler(this, &THTMLEMainForm::IntBrowserComboClick);
    IntBrowserCombo->OnKeyPress = Handler(this, &THTMLEMainForm::IntBrowserComboKeyPress);
    IntBrowser->OnNavigateComplete2 = Handler(this, &THTMLEMainForm::IntBrowserNavigateComplete);
    IntBrowser->OnStatusTextChange = Handler(this, &THTMLEMainForm::IntBrowserStatusTextChange);
    IntBrowser->OnTitleChange = Handler(this, &THTMLEMainForm::IntBrowserTitleChange);
    IntBrowser->OnDownloadBegin = Handler(this, &THTMLEMainForm::IntBrowserDownloadBegin);
    IntBrowser->OnDownloadComplete = Handler(this, &THTMLEMainForm::IntBrowserDownloadComplete);
    BrowserPanel->OnResize = Handler(this, &THTMLEMainForm::BrowserPanelResize);
    BrowserLockTimer->OnTimer = Handler(this, &THTMLEMainForm::BrowserLockTimerTimer);
    Browser1024->OnClick = Handler(this, &THTMLEMainForm::Browser1024Click);
    Browser800->OnClick = Handler(this, &THTMLEMainForm::Browser800Click);
    Browser640->OnClick = Handler(this, &THTMLEMainForm::Browser640Click);
    WebTV1->OnClick = Handler(this, &THTMLEMainForm::WebTV1Click);
    Normal1->OnClick = Handler(this, &THTMLEMainForm::Normal1Click);
    Borders1->OnClick = Handler(this, &THTMLEMainForm::Borders1Click);
    Background1->OnClick = Handler(this, &THTMLEMainForm::Background1Click);
    Normal3->OnClick = Handler(this, &THTMLEMainForm::Normal3Click);
    ShowTables1->OnClick = Handler(this, &THTMLEMainForm::ShowTables1Click);
    ShowBrowserFullSize1->OnClick = Handler(this, &THTMLEMainForm::ShowBrowserFullSize1Click);
    WorkOffline1->OnClick = Handler(this, &THTMLEMainForm::WorkOffline1Click);
    // The View menu is the browser's menu too: its own refresh runs first.
    TNotifyEvent viewOpens = View1->OnClick;
    View1->OnClick = [this, viewOpens](TObject* Sender) {
        if (viewOpens)
            viewOpens(Sender);
        Browser1Click(Sender);
    };
}

// ---- The navigation bar and the browser's events ----

void THTMLEMainForm::IntBrowserBackButtonClick(TObject* /*Sender*/) {
    MoveThroughBrowserHistory(HelpContexts::IntBrowserBackButtonClick, &TWebBrowser::GoBack);
}

void THTMLEMainForm::IntBrowserFwdButtonClick(TObject* /*Sender*/) {
    MoveThroughBrowserHistory(HelpContexts::IntBrowserFwdButtonClick, &TWebBrowser::GoForward);
}

// The browser raises when there is no page to go to; the user hears that instead.
void THTMLEMainForm::MoveThroughBrowserHistory(THelpContext help, void (TWebBrowser::*move)()) {
    if (HandleHelpPointer(help))
        return;
    try {
        (IntBrowser->*move)();
    } catch (const EOleException&) {
        MessageBeep(0xFFFFFFFF);
    }
}

void THTMLEMainForm::IntBrowserStopButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::IntBrowserStopButtonClick))
        return;
    IntBrowser->Stop();
}

void THTMLEMainForm::IntBrowserRefreshButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::IntBrowserRefreshButtonClick))
        return;
    IntBrowser->Refresh();
}

void THTMLEMainForm::IntBrowserComboClick(TObject* /*Sender*/) {
    const String address = IntBrowserCombo->Text();
    IntBrowser->Navigate(address);
    AddURLToHistory(address);
}

void THTMLEMainForm::IntBrowserComboKeyPress(TObject* /*Sender*/, char& Key) {
    if (Key != CarriageReturn || IntBrowserCombo->Text().empty())
        return;
    const String address = IntBrowserCombo->Text();
    IntBrowser->Navigate(address);
    AddURLToHistory(address);
}

void THTMLEMainForm::IntBrowserNavigateComplete(TObject* /*Sender*/, const String& URL) {
    AddURLToHistory(URL);
}

void THTMLEMainForm::IntBrowserStatusTextChange(TObject* /*Sender*/, const String& Text) {
    StatusBar1->Panels().Items(FolderPanel)->SetText(Text);
}

void THTMLEMainForm::IntBrowserTitleChange(TObject* /*Sender*/, const String& Text) {
    TitleLabel->SetCaption(Text);
}

void THTMLEMainForm::IntBrowserDownloadBegin(TObject* /*Sender*/) {
    IntBrowserStopButton->SetEnabled(true);
}

void THTMLEMainForm::IntBrowserDownloadComplete(TObject* /*Sender*/) {
    IntBrowserButton->SetEnabled(true);
    IntBrowserStopButton->SetEnabled(false);
}

void THTMLEMainForm::AddURLToHistory(const String& URL) {
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

void THTMLEMainForm::ShowInternalBrowser() {
    if (IntBrowser->Visible())
        return;
    DisableCommandsWhileBrowsing();
    ButtonsPage->SetVisible(false);
    IntBrowserPanel->SetVisible(true);
    BrowserPanel->SetVisible(true);
    IntBrowser->SetVisible(true);
    SizeBrowserToScreen();
    IntBrowserButton->SetEnabled(true);
    IntBrowserButton->SetGlyph(&IntBrowserClose->Glyph());
    IntBrowserButton->SetHint("Close Internal Browser");
    InternalBrowser1->SetChecked(true);
}

void THTMLEMainForm::DisableCommandsWhileBrowsing() {
    for (TQmToolbarButton* button :
         {FileNewButton, FileOpenButton, FileSaveButton, PrintButton, CloseButton, CloseAllButton,
          PublishButton, CutButton, CopyButton, PasteButton, ElementNavigation->BookmarkButton,
          ElementNavigation->GotoButton, FindReplace->FindButton, FindReplace->ReplaceButton,
          GlobalReplaceButton, ElementNavigation->ExtendButton, IndentButton, UnindentButton})
        button->SetEnabled(false);
    for (TMenuItem* item : {MultiPublish1, MultiPublish2, MultiCopy1, Validatecurrentfile1, Print1,
                            PrintPreview1, ElementNavigation->SelectTag1})
        item->SetEnabled(false);
}

void THTMLEMainForm::SizeBrowserToScreen() {
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

void THTMLEMainForm::BrowserPanelResize(TObject* /*Sender*/) {
    SizeBrowserToScreen();
}

void THTMLEMainForm::BrowserLockTimerTimer(TObject* /*Sender*/) {
    BrowserLockTimer->SetEnabled(false);
    BrowserLocked = false;
}

void THTMLEMainForm::ChooseBrowserScreenWidth(TMenuItem* item, int width) {
    if (HandleHelpPointer(HelpContexts::Browser1024Click))
        return;
    BrowserScreenWidth = width;
    for (TMenuItem* size : {Browser1024, Browser800, Browser640, WebTV1, Normal1})
        size->SetChecked(size == item);
    SizeBrowserToScreen();
}

void THTMLEMainForm::Browser1024Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Browser1024, 1024);
}

void THTMLEMainForm::Browser800Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Browser800, 800);
}

void THTMLEMainForm::Browser640Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Browser640, 640);
}

void THTMLEMainForm::WebTV1Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(WebTV1, 540);
}

void THTMLEMainForm::Normal1Click(TObject* /*Sender*/) {
    ChooseBrowserScreenWidth(Normal1, 0);
}

// ---- Table views and the browser menu ----

void THTMLEMainForm::Borders1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Borders1Click))
        return;
    ShowTableBorders = !ShowTableBorders;
}

void THTMLEMainForm::Background1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Background1Click))
        return;
    ShowTableBackgrounds = !ShowTableBackgrounds;
}

void THTMLEMainForm::Normal3Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Normal3Click))
        return;
    ShowTableBorders = false;
    ShowTableBackgrounds = false;
}

void THTMLEMainForm::ShowTables1Click(TObject* /*Sender*/) {
    Borders1->SetChecked(ShowTableBorders);
    Background1->SetChecked(ShowTableBackgrounds);
    Normal3->SetChecked(!ShowTableBorders && !ShowTableBackgrounds);
}

void THTMLEMainForm::ShowBrowserFullSize1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ShowBrowserFullSize1Click))
        return;
    BrowserFullSize = !BrowserFullSize;
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    reg.WriteBool("BrowserFullSize", BrowserFullSize);
    ShowBrowserFullSize1->SetChecked(BrowserFullSize);
}

void THTMLEMainForm::WorkOffline1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::WorkOffline1Click))
        return;
    const bool offline = !GlobalUserOffline();
    TRegistry reg;
    reg.OpenKey(InternetSettingsKey, true);
    reg.WriteBool("GlobalUserOffline", offline);
    WorkOffline1->SetChecked(offline);
}

void THTMLEMainForm::Browser1Click(TObject* /*Sender*/) {
    WorkOffline1->SetChecked(GlobalUserOffline());
    String inlineImages;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(BrowserMainKey))
        ReadSetting(reg, "Display Inline Images", inlineImages);
    DisplayImages->SetChecked(inlineImages == "yes");
}
