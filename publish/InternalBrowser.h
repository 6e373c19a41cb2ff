#pragma once
// The browser inside the main window and its preview of the active page: the browser's panel in
// the pages' place, its navigation bar in place of the tag buttons, its address history, the
// simulated screen sizes, the table views, and the system browser's settings that the program
// overrides while it runs and puts back as it closes.

#include "editor/HelpPointer.h"
#include "editor/MainFormFeature.h"
#include "platform/Controls.h"

#include <initializer_list>

class TComboBox;
class TLabel;
class TPanel;
class TQmToolbarButton;
class TTimer;
class TWebBrowser;

class TInternalBrowser : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    void ReadSettings() override;
    void WriteSettings() override;
    // The browser's command needs a page; while the browser shows, the commands that would change
    // files are off, since the preview's closing would undo them.
    void UpdateCommands() override;
    // The View menu follows the browser's settings; while the browser shows, the File menu's
    // commands of the page are off.
    void MenuOpening(TMenuItem& menu) override;
    // The page's file goes back as the preview leaves it, even within the preview's lock.
    bool CanClose() override;
    void WindowShowing() override;
    bool Showing() const;

    // The preview command; a file of the file pane, when given, is shown instead of the page,
    // without copies or the lock.
    void RunPreviewCommand(const String& paneFile);
    void ShowInternalBrowser();
    void SizeBrowserToScreen();
    // The address first in the combo's history, once, whatever its case was there.
    void AddURLToHistory(const String& URL);
    void IntBrowserComboKeyPress(TObject* Sender, char& Key);

    TQmToolbarButton* IntBrowserButton = nullptr;
    TMenuItem* InternalBrowser1 = nullptr;
    TPanel* BrowserPanel = nullptr;
    TWebBrowser* IntBrowser = nullptr;
    TLabel* TitleLabel = nullptr;
    TLabel* BrowserPanelLabel = nullptr;
    TComboBox* IntBrowserCombo = nullptr;
    TQmToolbarButton* IntBrowserBackButton = nullptr;
    TTimer* BrowserLockTimer = nullptr;
    TMenuItem* Browser1024 = nullptr;
    TMenuItem* Browser800 = nullptr;
    TMenuItem* Browser640 = nullptr;
    TMenuItem* WebTV1 = nullptr;
    TMenuItem* Normal1 = nullptr;
    TMenuItem* ShowTables1 = nullptr;
    TMenuItem* Borders1 = nullptr;
    TMenuItem* Normal3 = nullptr;
    TMenuItem* WorkOffline1 = nullptr;
    TMenuItem* ShowBrowserFullSize1 = nullptr;
    bool BrowserFullSize = false;
    // The browser shows an image of the file pane, at the panel's full size.
    bool ImagePreviewShown = false;
    // The system browser's settings as they were before the program overrode them.
    String SavedInlineImages;

private:
    void BuildMenuItems();
    void BuildNavigationBar();
    void BuildBrowserPanel();
    // The start's settings, in their order.
    void OverrideBrowserSettings();
    void LimitBrowserSizes();
    void ReadFullSizeSetting();

    // Opens or closes the preview of the active page.
    void IntBrowserButtonClick(TObject* Sender);
    void IntBrowserBackButtonClick(TObject* Sender);
    void IntBrowserFwdButtonClick(TObject* Sender);
    void MoveThroughBrowserHistory(THelpContext help, void (TWebBrowser::*move)());
    void IntBrowserStopButtonClick(TObject* Sender);
    void IntBrowserRefreshButtonClick(TObject* Sender);
    void IntBrowserComboClick(TObject* Sender);
    void IntBrowserNavigateComplete(TObject* Sender, const String& URL);
    void IntBrowserStatusTextChange(TObject* Sender, const String& Text);
    void IntBrowserTitleChange(TObject* Sender, const String& Text);
    void IntBrowserDownloadBegin(TObject* Sender);
    void IntBrowserDownloadComplete(TObject* Sender);
    void BrowserPanelResize(TObject* Sender);
    void BrowserLockTimerTimer(TObject* Sender);
    void Browser1024Click(TObject* Sender);
    void Browser800Click(TObject* Sender);
    void Browser640Click(TObject* Sender);
    void WebTV1Click(TObject* Sender);
    void Normal1Click(TObject* Sender);
    void Borders1Click(TObject* Sender);
    void Background1Click(TObject* Sender);
    void Normal3Click(TObject* Sender);
    void ShowTables1Click(TObject* Sender);
    void ShowBrowserFullSize1Click(TObject* Sender);
    void WorkOffline1Click(TObject* Sender);
    void Browser1Click(TObject* Sender);
    // The commands that would change files are off while the browser shows.
    void DisableCommandsWhileBrowsing();
    // The simulated screen width chosen, its item alone checked.
    void ChooseBrowserScreenWidth(TMenuItem* item, int width);
    // Opening with the page's or the pane's file shown; closing puts the page's file back.
    void OpenPreview(const String& path, bool fromFileList, TShiftState shift);
    void ClosePreview();
    // The backup of a modified, titled page's file; false when the command is to end.
    bool SaveOrBackUpForPreview();
    // The page's file copied beside it, then published in place or its tables shown; false
    // when the command is to end.
    bool PrepareShownFile(const String& path, TShiftState shift);
    // The page published over its own file; false when the user cancelled the destination.
    bool PrePublishInPlace(const String& folder, TShiftState shift);
    void RestorePreviewFiles();
    void SetStatusPanelWidths(std::initializer_list<int> widths);

    TPanel* IntBrowserPanel = nullptr;
    TQmToolbarButton* IntBrowserStopButton = nullptr;
    TQmToolbarButton* IntBrowserFwdButton = nullptr;
    TQmToolbarButton* IntBrowserRefreshButton = nullptr;
    // Hidden: they only hold the two pictures of the browser button.
    TQmToolbarButton* IntBrowserOpen = nullptr;
    TQmToolbarButton* IntBrowserClose = nullptr;
    TMenuItem* BrowserSize1 = nullptr;
    TMenuItem* Background1 = nullptr;
    // Shows the browser's setting only: choosing it changes nothing.
    TMenuItem* DisplayImages = nullptr;
    bool SavedGlobalUserOffline = false;
    bool ShowTableBorders = false;
    bool ShowTableBackgrounds = false;
    bool BrowserLocked = false;
    int BrowserScreenWidth = 0;
    String PreviewBackupName;
    // The page's file and its copy beside it while the preview shows a rewritten form of the
    // file; empty when no copy was made.
    String PreviewSourceName;
    String PreviewCopyName;
    bool PreviewSavedModified = false;
};
