#pragma once
// The saved page shown in another browser program, Internet Explorer or Netscape Navigator: a
// running window of the browser is driven by keystrokes, otherwise the program is started with
// the page's file. The set-up commands store the programs' paths.

#include "editor/MainFormFeature.h"
#include "platform/Messages.h"

class TQmToolbarButton;

class TExternalBrowsers : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    // The programs' paths and the title of Internet Explorer's windows.
    void ReadSettings() override;

    void IEButtonClick(TObject* Sender);
    void NavigatorButtonClick(TObject* Sender);
    void SetupIEClick(TObject* Sender);
    void SetupNetscapeNavigatorClick(TObject* Sender);
    // The first visible desktop window with a title holding text, searched upward from the
    // foreground window and then downward; the foreground window itself is never chosen.
    HWND FindWindowByTitle(const String& text, bool ignoreCase);
    // Brings the window to the front and plays the keys into it, the parts between "{p}" and
    // "{/p}" pasted through the clipboard (a "{" in them written "{{}"); false when the window
    // would not come to the front.
    bool SendKeysToWindow(HWND window, const String& keys);

    TMenuItem* InternetExplorer1 = nullptr;
    TMenuItem* NetscapeNavigator31 = nullptr;
    TMenuItem* SetupIE1 = nullptr;
    TMenuItem* SetupNetscapeNavigator1 = nullptr;
    TQmToolbarButton* IEButton = nullptr;
    TQmToolbarButton* NavigatorButton = nullptr;
    String IEPath;
    String NetscapePath;
    String IEWindowTitle;

    // What tells the two browsers apart in the commands they share.
    struct TExternalBrowser;

private:
    void ViewInExternalBrowser(const TExternalBrowser& browser);
    void SetupBrowserPath(const TExternalBrowser& browser);
};
