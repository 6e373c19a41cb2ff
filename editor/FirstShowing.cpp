// The main window's showing: the first one ends the splash and opens the file of the command
// line; every one lays the window out again.

#include "editor/CorvaletForm.h"

#include "editor/HTMLSplash.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "widgets/QmToolbars.h"

namespace {

void FreeSplash() {
    if (!Splash)
        return;
    Splash->Hide();
    Splash->Free();
    Splash = nullptr;
}

} // namespace

void THTMLEMainForm::BindFirstShowing() {
    OnShow = Handler(this, &THTMLEMainForm::FormShow);
}

void THTMLEMainForm::FormShow(TObject* Sender) {
    FreeSplash();
    if (FirstShowPending) {
        FirstShowPending = false;
        OpenCommandLineFile();
    }
    IntBrowserButton->SetVisible(true);
    InternalBrowser1->SetVisible(true);
    Prepublishfiles1->SetVisible(true);
    FormResize(Sender);
}

// A command line that is not an existing file is ignored without a message.
void THTMLEMainForm::OpenCommandLineFile() {
    if (!StartupCommandLine.empty() && FileExists(StartupCommandLine))
        OpenDocument(StartupCommandLine, false, true, false);
}
