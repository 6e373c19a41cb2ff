#pragma once
// The browser's window, for the platform's own .cpp files: an empty window until the browser is
// first shown or asked to navigate, then the page engine inside it, loaded from its module (or,
// when a test chose it, a fake engine that loads nothing and reports each load as done).

#include "platform/BrowserEngine.h"
#include "platform/Peer.h"

#include <memory>

class TWebBrowser;

class TWebBrowserPeer : public TControlPeer, public TBrowserEngineEvents {
public:
    explicit TWebBrowserPeer(TControl& control);
    ~TWebBrowserPeer() override;

    void Navigate(const String& address);
    bool GoBack() { return Engine().Back(); }
    bool GoForward() { return Engine().Forward(); }
    void Stop() { Engine().Stop(); }
    void Refresh() { Engine().Reload(); }

    // The engine, started when first asked for. Throws when the engine's module cannot be loaded;
    // the next call tries again.
    TBrowserEngine& Engine();

    void LoadStarted() override;
    void LoadFinished(const QUrl& url) override;
    void TitleChanged(const QString& title) override;
    void LinkHovered(const QString& url) override;

protected:
    bool TranslateEvent(QWidget* watched, QEvent* event) override;

private:
    TWebBrowser& Browser() const;

    std::unique_ptr<TBrowserEngine> FEngine;
};

// The address the engine loads for what the program asked for: a local path as a file address.
QUrl BrowserAddress(const String& address);
// An address as the program sees it: a local file as its path.
String ReportedAddress(const QUrl& url);
