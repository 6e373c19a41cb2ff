#pragma once
// What shows the browser's pages, for the platform's own .cpp files. The page engine itself is a
// module of its own beside the program, loaded the first time a browser needs it: its libraries
// take a noticeable time and memory to load, and most runs never preview a page. The program and
// the module share only these two interfaces and the module's one entry point.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// What the engine reports about its pages.
class TBrowserEngineEvents {
public:
    virtual void LoadStarted() = 0;
    virtual void LoadFinished(const QUrl& url) = 0;
    virtual void TitleChanged(const QString& title) = 0;
    virtual void LinkHovered(const QString& url) = 0;

protected:
    ~TBrowserEngineEvents() = default;
};

class TBrowserEngine {
public:
    virtual ~TBrowserEngine() = default;
    virtual void Load(const QUrl& url) = 0;
    // False when there is no page to go to.
    virtual bool Back() = 0;
    virtual bool Forward() = 0;
    virtual void Stop() = 0;
    virtual void Reload() = 0;
    // Runs a script in the shown page and hands its result, as text, to done from the event loop.
    // False when the engine runs no scripts (a fake one).
    virtual bool RunScript(const QString& /*script*/,
                           std::function<void(const QString&)> /*done*/) {
        return false;
    }
};

// The module's entry point: the engine in a view that fills window, reporting to events. The
// caller owns the engine; the window owns the view.
using TMakeBrowserEngine = TBrowserEngine* (*)(QWidget* window, TBrowserEngineEvents& events);
inline constexpr const char* MakeBrowserEngineName = "QuiltmarkerMakeBrowserEngine";
