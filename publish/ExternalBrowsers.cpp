// The saved page shown in another browser program. A browser window that is open already is
// driven by keystrokes (its open dialog, the page's path, Enter) rather than started a second
// time; otherwise the program is started with the page's file. The set-up commands store the
// programs' paths.

#include "publish/ExternalBrowsers.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/HTMLLocationForm.h"
#include "editor/HelpPointer.h"
#include "platform/Clipbrd.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "publish/SendKeys.h"
#include "services/ProgramSettings.h"
#include "site/ReportPane.h"
#include "widgets/QmToolbars.h"

struct TExternalBrowsers::TExternalBrowser {
    THelpContext ViewHelp;
    THelpContext SetupHelp;
    String TExternalBrowsers::*Path;
    const char* RegistryValue;
    const char* PathLabel;
    const char* SaveQuestion;
    bool AskOnlyWithPermSave;
    const char* UnknownPathMessage;
    // The text that a running window of the browser has in its title.
    String (*WindowTitle)(const TExternalBrowsers& browsers);
};

namespace {

const TExternalBrowsers::TExternalBrowser InternetExplorer{
    HelpContexts::IEButtonClick,
    HelpContexts::SetupIEClick,
    &TExternalBrowsers::IEPath,
    "IE3Path",
    "Internet Explorer Path",
    "File needs to be saved before viewing.\r\nSave it now?",
    true,
    "Internet Explorer location not known. Please\r\nchoose 'Preferences/Setup/Internet "
    "Explorer'\r\nfrom the main menu and then try again.",
    [](const TExternalBrowsers& browsers) { return browsers.IEWindowTitle; },
};

const TExternalBrowsers::TExternalBrowser NetscapeNavigator{
    HelpContexts::NavigatorButtonClick,
    HelpContexts::SetupNetscapeNavigatorClick,
    &TExternalBrowsers::NetscapePath,
    "NetscapePath",
    "Netscape Navigator Path",
    "File needs to be saved before veiwing.\r\nSave it now?",
    false,
    "Netscape Navigator location not known. Please\r\nchoose 'Preferences/Setup/Netscape "
    "Navigator'\r\nfrom the main menu and then try again.",
    [](const TExternalBrowsers&) { return String("Netscape"); },
};

constexpr int TitleLength = 500;
constexpr size_t MaxPastedLength = 4999;
constexpr DWORD SettleTime = 100;
const String PasteStart = "{p}";
const String PasteEnd = "{/p}";
// An opening brace in a pasted part, written as a key string writes it.
const String OpenBrace = "{{}";

// The part of a key string that pastes the text as it is. With each "{" written out, no "{" in the
// part is followed by "/", so no "{/p}" in the text can end the part early and have the rest of
// the text played as keys.
String PastedPart(const String& text) {
    String part = PasteStart;
    for (const char c : text)
        part += c == '{' ? OpenBrace : String(1, c);
    return part + PasteEnd;
}

// The text of a pasted part, its opening braces read back.
String TextOfPastedPart(const String& part) {
    String text;
    for (size_t i = 0; i < part.size(); ++i) {
        text += part[i];
        if (part.compare(i, OpenBrace.size(), OpenBrace) == 0)
            i += OpenBrace.size() - 1;
    }
    return text;
}

} // namespace

// The View menu opens with the browsers; the internal browser's item goes first, before these. In
// Set up they follow the publisher's item.
void TExternalBrowsers::Build() {
    InternetExplorer1 = InsertItem(&Form, Form.View1, 0, "InternetExplorer1", "&Internet Explorer");
    NetscapeNavigator31 =
        InsertItem(&Form, Form.View1, 1, "NetscapeNavigator31", "&Netscape Navigator");
    SetupIE1 = InsertItem(&Form, Form.Setup1, 1, "SetupIE1", "&Internet Explorer...");
    SetupNetscapeNavigator1 =
        InsertItem(&Form, Form.Setup1, 2, "SetupNetscapeNavigator1", "&Netscape Navigator...");
    IEButton = Form.AddToolbarButton(Form.StdToolbar, "IEButton", "Internet Explorer");
    NavigatorButton =
        Form.AddToolbarButton(Form.StdToolbar, "NavigatorButton", "Netscape Navigator");
}

void TExternalBrowsers::Bind() {
    InternetExplorer1->OnClick = Handler(this, &TExternalBrowsers::IEButtonClick);
    IEButton->OnClick = Handler(this, &TExternalBrowsers::IEButtonClick);
    NetscapeNavigator31->OnClick = Handler(this, &TExternalBrowsers::NavigatorButtonClick);
    NavigatorButton->OnClick = Handler(this, &TExternalBrowsers::NavigatorButtonClick);
    SetupIE1->OnClick = Handler(this, &TExternalBrowsers::SetupIEClick);
    SetupNetscapeNavigator1->OnClick =
        Handler(this, &TExternalBrowsers::SetupNetscapeNavigatorClick);
}

// The title comes from the system browser's own settings, the paths from the program's.
void TExternalBrowsers::ReadSettings() {
    IEWindowTitle = "Internet Explorer";
    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    if (machine.OpenKeyReadOnly(BrowserMainKey))
        ReadSetting(machine, "Window Title", IEWindowTitle);
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    for (const TExternalBrowser* browser : {&InternetExplorer, &NetscapeNavigator})
        ReadSetting(reg, browser->RegistryValue, this->*browser->Path);
}

void TExternalBrowsers::IEButtonClick(TObject* /*Sender*/) {
    ViewInExternalBrowser(InternetExplorer);
}

void TExternalBrowsers::NavigatorButtonClick(TObject* /*Sender*/) {
    ViewInExternalBrowser(NetscapeNavigator);
}

void TExternalBrowsers::SetupIEClick(TObject* /*Sender*/) {
    SetupBrowserPath(InternetExplorer);
}

void TExternalBrowsers::SetupNetscapeNavigatorClick(TObject* /*Sender*/) {
    SetupBrowserPath(NetscapeNavigator);
}

void TExternalBrowsers::ViewInExternalBrowser(const TExternalBrowser& browser) {
    if (Form.HandleHelpPointer(browser.ViewHelp))
        return;
    Form.ReportPane->CloseReportView();
    if (!Form.PageInUse(-1))
        return;
    const int page = Form.ActivePageIndex();
    const bool ask = !browser.AskOnlyWithPermSave || Form.PermSave;
    if (ask && Form.GetMemo(-1)->Modified() && Form.IsUntitled(Form.FileNames[page]) &&
        MessageBox(nullptr, browser.SaveQuestion, "Quiltmarker", MB_YESNO | MB_ICONQUESTION) ==
            IDNO)
        return;
    if (!Form.Documents->SaveDocument(page, false, false))
        return;
    const String& program = this->*browser.Path;
    if (program.empty()) {
        ShowMessage(browser.UnknownPathMessage);
        return;
    }
    const String fileName = Form.FileNames[page];
    // Other programs' windows keep drawing while the keys are played: the X server has no lock
    // on the desktop's drawing.
    if (HWND window = FindWindowByTitle(browser.WindowTitle(*this), false))
        SendKeysToWindow(window, "^o" + PastedPart(fileName) + "{enter}");
    else
        StartProgram(program, {fileName});
}

HWND TExternalBrowsers::FindWindowByTitle(const String& text, bool ignoreCase) {
    const String wanted = ignoreCase ? UpperCase(text) : text;
    const auto matches = [&](HWND window) {
        if (!IsWindowVisible(window))
            return false;
        const String title = GetWindowTextA(window, TitleLength + 1);
        return !title.empty() && Pos(wanted, ignoreCase ? UpperCase(title) : title) > 0;
    };
    const HWND foreground = GetForegroundWindow();
    for (const UINT direction : {GW_HWNDPREV, GW_HWNDNEXT})
        for (HWND window = GetWindow(foreground, direction); window;
             window = GetWindow(window, direction))
            if (matches(window))
                return window;
    return nullptr;
}

// The results of the plays are not looked at: a key string the program makes parses, and a
// window that takes no keys cannot be told from one that does.
bool TExternalBrowsers::SendKeysToWindow(HWND window, const String& keys) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    if (!BringWindowToTop(window) && !SetForegroundWindow(window))
        return false;
    Sleep(SettleTime);
    ::SetFocus(window);
    Sleep(SettleTime);
    String rest = keys;
    for (size_t start; (start = rest.find(PasteStart)) != String::npos;) {
        const size_t textStart = start + PasteStart.size();
        const size_t end = rest.find(PasteEnd, textStart);
        if (end != String::npos)
            Clipboard()->SetAsText(TextOfPastedPart(rest.substr(textStart, end - textStart))
                                       .substr(0, MaxPastedLength));
        SendKeys(rest.substr(0, start));
        SendKeys("^v");
        rest = end == String::npos ? String() : rest.substr(end + PasteEnd.size());
    }
    if (!rest.empty())
        SendKeys(rest);
    return true;
}

void TExternalBrowsers::SetupBrowserPath(const TExternalBrowser& browser) {
    if (Form.HandleHelpPointer(browser.SetupHelp))
        return;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (!dialog || !Form.SetupLocationForm("", "", browser.PathLabel, true, false))
        return;
    dialog->OpenDialog->SetFilterIndex(2);
    const String& stored = this->*browser.Path;
    if (!stored.empty()) {
        dialog->OpenDialog->SetInitialDir(ExtractFilePath(stored));
        dialog->LocEdit->SetText(stored);
    }
    if (dialog.ShowModal() != mrOk)
        return;
    const String path = dialog->LocEdit->Text();
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteString(browser.RegistryValue, path);
    this->*browser.Path = path;
}
