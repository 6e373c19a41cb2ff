#pragma once
// The embedded web browser. Its engine is started the first time a browser control is shown or
// asked to navigate, never before: starting it costs a noticeable time and memory, and most
// sessions never preview a page.

#include "platform/Controls.h"
#include "platform/PeerOf.h"

#include <functional>

class TWebBrowserPeer;

// What the browser raises when it cannot do what it was asked (going back with no page before).
class EOleException : public Exception {
public:
    using Exception::Exception;
};

using TWebBrowserURLEvent = std::function<void(TObject* Sender, const String& URL)>;
using TWebBrowserTextEvent = std::function<void(TObject* Sender, const String& Text)>;

// Must run before the application object exists: the engine reads its switches from the
// environment, which is changed safely only before the application's threads start, and where
// the engine draws with the graphics hardware, it shares the window system's drawing contexts
// only when told so from the start. Switches the user set in the environment are kept.
void PrepareBrowserEngine();

class TWebBrowser : public TWinControl, protected TPeerOf<TWebBrowserPeer> {
public:
    explicit TWebBrowser(TComponent* AOwner);
    ~TWebBrowser() override;

    // A local path is shown as the file it names; anything else is taken as an address.
    void Navigate(const String& URL);
    // Raise EOleException when there is no page to go to.
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();

    // The events come from the event loop, in the order of a load: OnDownloadBegin, then, once
    // the page is there, OnNavigateComplete2 with its address (a local file as its path) and
    // OnDownloadComplete. OnTitleChange comes whenever the page's title is known or changes,
    // OnStatusTextChange when the pointer goes onto a link (its address) or leaves it (empty).
    TNotifyEvent OnDownloadBegin;
    TWebBrowserURLEvent OnNavigateComplete2;
    TNotifyEvent OnDownloadComplete;
    TWebBrowserTextEvent OnTitleChange;
    TWebBrowserTextEvent OnStatusTextChange;

private:
    friend class TWebBrowserPeer;
    void DoDownloadBegin();
    void DoNavigateComplete(const String& URL);
    void DoDownloadComplete();
    void DoTitleChange(const String& text);
    void DoStatusTextChange(const String& text);
};
