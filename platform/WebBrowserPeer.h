#pragma once
// The browser's window, for the platform's own .cpp files: an empty window until the browser is
// first shown or asked to navigate, then the page engine inside it (or, when a test chose it, a
// fake engine that loads nothing and reports each load as done).

#include "platform/Peer.h"

#include <QUrl>

#include <memory>

class QWebEngineView;
class TWebBrowser;

// What shows the pages. It reports to the peer what happens to them.
class TBrowserEngine {
public:
    virtual ~TBrowserEngine() = default;
    virtual void Load(const QUrl& url) = 0;
    // False when there is no page to go to.
    virtual bool Back() = 0;
    virtual bool Forward() = 0;
    virtual void Stop() = 0;
    virtual void Reload() = 0;
    // The real engine's view; nullptr for a fake one.
    virtual QWebEngineView* View() { return nullptr; }
};

class TWebBrowserPeer : public TControlPeer {
public:
    explicit TWebBrowserPeer(TControl& control);
    ~TWebBrowserPeer() override;

    void Navigate(const String& address);
    bool GoBack() { return Engine().Back(); }
    bool GoForward() { return Engine().Forward(); }
    void Stop() { Engine().Stop(); }
    void Refresh() { Engine().Reload(); }

    // The engine, started when first asked for.
    TBrowserEngine& Engine();

    // What the engine reports.
    void LoadStarted();
    void LoadFinished(const QUrl& url);
    void TitleChanged(const QString& title);
    void LinkHovered(const QString& url);

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
