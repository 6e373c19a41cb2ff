// The page engine's module: built apart from the platform and loaded only when a browser first
// needs it, so a program that never previews a page never loads the engine's libraries.

#include "platform/BrowserEngine.h"

#include <QLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>
#include <QtGlobal>

namespace {

// The engine itself, in a view that fills the browser's window.
class TEngineView : public TBrowserEngine {
public:
    TEngineView(QWidget* window, TBrowserEngineEvents& events) : FView(new QWebEngineView(window)) {
        window->layout()->addWidget(FView);
        QObject::connect(FView, &QWebEngineView::loadStarted, FView,
                         [&events] { events.LoadStarted(); });
        QObject::connect(FView, &QWebEngineView::loadFinished, FView,
                         [&events, this](bool) { events.LoadFinished(FView->url()); });
        QObject::connect(FView, &QWebEngineView::titleChanged, FView,
                         [&events](const QString& title) { events.TitleChanged(title); });
        QObject::connect(FView->page(), &QWebEnginePage::linkHovered, FView,
                         [&events](const QString& url) { events.LinkHovered(url); });
        FView->show();
    }

    void Load(const QUrl& url) override { FView->load(url); }
    bool Back() override { return Go(FView->history()->canGoBack(), &QWebEngineView::back); }
    bool Forward() override {
        return Go(FView->history()->canGoForward(), &QWebEngineView::forward);
    }
    void Stop() override { FView->stop(); }
    void Reload() override { FView->reload(); }
    bool RunScript(const QString& script, std::function<void(const QString&)> done) override {
        FView->page()->runJavaScript(
            script, [done = std::move(done)](const QVariant& value) { done(value.toString()); });
        return true;
    }

private:
    bool Go(bool possible, void (QWebEngineView::*move)()) {
        if (possible)
            (FView->*move)();
        return possible;
    }

    QWebEngineView* FView; // the browser's window owns it
};

} // namespace

extern "C" Q_DECL_EXPORT TBrowserEngine*
QuiltmarkerMakeBrowserEngine(QWidget* window, TBrowserEngineEvents& events) {
    return new TEngineView(window, events);
}

// The loader calls the entry point through this type: a change on one side fails the build.
[[maybe_unused]] static constexpr TMakeBrowserEngine EntryPointType = &QuiltmarkerMakeBrowserEngine;
