// The main window's closing: every page is closed first, asking about each modified one, and
// the system browser's settings are put back.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"

void THTMLEMainForm::BindMainClose() {
    OnCloseQuery = Handler(this, &THTMLEMainForm::FormCloseQuery);
    OnClose = Handler(this, &THTMLEMainForm::FormClose);
}

// A running analysis is stopped and the window closes once it has ended, since the analysis
// still works with the window's lists and pane.
void THTMLEMainForm::FormCloseQuery(TObject* /*Sender*/, bool& CanClose) {
    for (const auto& feature : FFeatures)
        if (!feature->CanClose()) {
            CanClose = false;
            return;
        }
    if (AnalysisRunning()) {
        StopAnalysis();
        CloseAfterAnalysis = true;
        CanClose = false;
        return;
    }
    // The page's file goes back as the preview leaves it, even within the preview's lock.
    if (IntBrowserPanel->Visible())
        ClosePreview();
    CloseCancelled = false;
    CloseAllDocuments();
    CanClose = !CloseCancelled;
}

void THTMLEMainForm::FormClose(TObject* /*Sender*/, TCloseAction& Action) {
    if (CloseCancelled) {
        Action = caNone;
        return;
    }
    for (const auto& feature : FFeatures)
        feature->WriteSettings();
    WinHelp(Handle(), HelpFileName, HELP_QUIT, 0);
    Action = caFree;
    TRegistry reg;
    if (!reg.OpenKey(BrowserMainKey, true))
        return;
    if (reg.ValueExists("Display Inline Images"))
        reg.WriteString("Display Inline Images", SavedInlineImages);
    if (reg.ValueExists("GlobalUserOffline"))
        reg.WriteBool("GlobalUserOffline", SavedGlobalUserOffline);
}
