// The main window's closing: every page is closed first, asking about each modified one, and
// each feature writes its settings back.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"

void THTMLEMainForm::BindMainClose() {
    OnCloseQuery = Handler(this, &THTMLEMainForm::FormCloseQuery);
    OnClose = Handler(this, &THTMLEMainForm::FormClose);
}

void THTMLEMainForm::FormCloseQuery(TObject* /*Sender*/, bool& CanClose) {
    for (const auto& feature : FFeatures)
        if (!feature->CanClose()) {
            CanClose = false;
            return;
        }
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
}
