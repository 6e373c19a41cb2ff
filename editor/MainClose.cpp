// The main window's closing and Exit: each feature closes what it holds first (the documents
// close every page, asking about each modified one), and then writes its settings back.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"

#include <algorithm>

void THTMLEMainForm::BindMainClose() {
    OnCloseQuery = Handler(this, &THTMLEMainForm::FormCloseQuery);
    OnClose = Handler(this, &THTMLEMainForm::FormClose);
    Exit1->OnClick = Handler(this, &THTMLEMainForm::Exit1Click);
}

// Exit lets the features settle with the user while everything is still open, then closes the
// window as its closing does.
void THTMLEMainForm::Exit1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Exit1Click))
        return;
    PrinterForm->Hide();
    TempMemo->Hide();
    for (const auto& feature : FFeatures)
        if (!feature->PrepareExit())
            return;
    Close();
}

// The features made last are asked first, so that the documents, made first, close their pages
// only once every other feature has let the window go (a running analysis ends first).
void THTMLEMainForm::FormCloseQuery(TObject* /*Sender*/, bool& CanClose) {
    CanClose = std::all_of(FFeatures.rbegin(), FFeatures.rend(),
                           [](const auto& feature) { return feature->CanClose(); });
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
