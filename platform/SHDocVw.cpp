#include "platform/SHDocVw.h"
#include "platform/WebBrowserPeer.h"

namespace {

// The text the browser control of the system gives for a move it cannot make.
const String NoPageThere = "Unspecified error";

} // namespace

TWebBrowser::TWebBrowser(TComponent* AOwner)
    : TWinControl(AOwner,
                  [](TControl& control) { return std::make_unique<TWebBrowserPeer>(control); }),
      TPeerOf(Peer()) {}

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::Navigate(const String& URL) {
    TypedPeer().Navigate(URL);
}

void TWebBrowser::GoBack() {
    if (!TypedPeer().GoBack())
        throw EOleException(NoPageThere);
}

void TWebBrowser::GoForward() {
    if (!TypedPeer().GoForward())
        throw EOleException(NoPageThere);
}

void TWebBrowser::Stop() {
    TypedPeer().Stop();
}

void TWebBrowser::Refresh() {
    TypedPeer().Refresh();
}

void TWebBrowser::DoDownloadBegin() {
    if (OnDownloadBegin)
        OnDownloadBegin(this);
}

void TWebBrowser::DoNavigateComplete(const String& URL) {
    if (OnNavigateComplete2)
        OnNavigateComplete2(this, URL);
}

void TWebBrowser::DoDownloadComplete() {
    if (OnDownloadComplete)
        OnDownloadComplete(this);
}

void TWebBrowser::DoTitleChange(const String& text) {
    if (OnTitleChange)
        OnTitleChange(this, text);
}

void TWebBrowser::DoStatusTextChange(const String& text) {
    if (OnStatusTextChange)
        OnStatusTextChange(this, text);
}
