#include "platform/WebBrowserPeer.h"
#include "platform/SHDocVw.h"
#include "platform/TestHooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLibrary>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QPointer>
#include <QVBoxLayout>

#include <unistd.h>
#include <vector>

// Qt's own, exported without a public header: the context that every drawing context shares.
void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

// Loads nothing: records each address it is asked for (as the browser reports addresses), keeps a
// history for Back and Forward, and reports every load as done, from the event loop as the engine
// does, with the title the test gave (else the address).
class TFakeEngine : public TBrowserEngine {
public:
    explicit TFakeEngine(TWebBrowserPeer& peer) : FPeer(&peer) {}

    void Load(const QUrl& url) override {
        TestHooks::RecordBrowserNavigation(ReportedAddress(url));
        if (!FHistory.empty())
            FHistory.resize(FCurrent + 1);
        FHistory.push_back(url);
        FCurrent = FHistory.size() - 1;
        ReportLoad(url);
    }
    bool Back() override { return MoveTo(FCurrent, -1); }
    bool Forward() override { return MoveTo(FCurrent, +1); }
    void Stop() override {}
    void Reload() override {
        if (!FHistory.empty())
            ReportLoad(FHistory[FCurrent]);
    }

private:
    bool MoveTo(size_t from, int step) {
        if (FHistory.empty() || (step < 0 && from == 0) ||
            (step > 0 && from + 1 >= FHistory.size()))
            return false;
        FCurrent = from + step;
        ReportLoad(FHistory[FCurrent]);
        return true;
    }

    void ReportLoad(const QUrl& url) {
        String title = TestHooks::FakeBrowserTitle();
        if (title.empty())
            title = ReportedAddress(url);
        QPointer<TWebBrowserPeer> peer = FPeer;
        CallLater([peer, url, title] {
            if (!peer)
                return;
            peer->LoadStarted();
            peer->TitleChanged(DisplayText(title));
            peer->LoadFinished(url);
        });
    }

    QPointer<TWebBrowserPeer> FPeer;
    std::vector<QUrl> FHistory;
    size_t FCurrent = 0;
};

// Beside the running program, as it is installed, unless a test names another file.
QString BrowserModulePath() {
    const String chosen = TestHooks::BrowserModule();
    if (!chosen.empty())
        return ShownFileName(chosen);
    return QCoreApplication::applicationDirPath() + "/" QM_BROWSER_MODULE;
}

QOpenGLContext* SharedDrawingContext = nullptr;

void DeleteSharedDrawingContext() {
    if (QOpenGLContext::globalShareContext() == SharedDrawingContext)
        qt_gl_set_global_share_context(nullptr);
    delete SharedDrawingContext;
    SharedDrawingContext = nullptr;
}

// Without graphics hardware the engine still wants the global context that drawing contexts share,
// else it warns that it was loaded too late and looks for a way to draw. Made as the application
// starts, that context loads the graphics driver, which would cost every run a noticeable time
// for nothing it shares: it is made here, as the engine is first loaded.
void ShareDrawingContexts() {
    if (QOpenGLContext::globalShareContext())
        return;
    SharedDrawingContext = new QOpenGLContext;
    SharedDrawingContext->setFormat(QSurfaceFormat::defaultFormat());
    SharedDrawingContext->create();
    qt_gl_set_global_share_context(SharedDrawingContext);
    // Called after the engine's own clean-up, which is added later.
    qAddPostRoutine(DeleteSharedDrawingContext);
}

// The module stays loaded for the rest of the run once an engine came from it: the engine keeps
// threads and a helper process of its own that outlive any one browser.
std::unique_ptr<TBrowserEngine> LoadedEngine(TWebBrowserPeer& peer) {
    ShareDrawingContexts();
    QLibrary module(BrowserModulePath());
    auto make = reinterpret_cast<TMakeBrowserEngine>(module.resolve(MakeBrowserEngineName));
    if (!make)
        throw Exception("The browser cannot show pages: " + TextFromDisplay(module.errorString()));
    return std::unique_ptr<TBrowserEngine>(make(peer.Widget(), peer));
}

QWidget* MakeBrowserWindow() {
    auto* window = new QWidget;
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    return window;
}

// A machine with a render node has a graphics driver the engine can draw with.
bool HasHardwareGL() {
    return !QDir("/dev/dri").entryList({"renderD*"}, QDir::System).isEmpty() &&
           !qEnvironmentVariableIsSet("LIBGL_ALWAYS_SOFTWARE");
}

// The engine draws with the graphics hardware unless there is none or it was told not to.
bool EngineDrawsWithHardware() {
    return qgetenv("QT_QPA_PLATFORM") != "offscreen" && HasHardwareGL() &&
           !qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--disable-gpu");
}

// A rule of the user's own for the same category wins: the environment's rules are read last.
// Qt may have read the environment already, so the rule is also given to it directly.
void AddLoggingRule(const QByteArray& rule) {
    QByteArray rules = qgetenv("QT_LOGGING_RULES");
    if (rules.contains(rule.left(rule.indexOf('='))))
        return;
    qputenv("QT_LOGGING_RULES", rules.isEmpty() ? rule : rules + ";" + rule);
    QLoggingCategory::setFilterRules(QString::fromLatin1(rule));
}

} // namespace

void PrepareBrowserEngine() {
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
        // Chromium's sandbox needs kernel features that containers and root sessions lack.
        QByteArray flags = "--no-sandbox";
        if (qgetenv("QT_QPA_PLATFORM") == "offscreen" || !HasHardwareGL())
            flags += " --disable-gpu";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    } else if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        // The user's own switches are kept; as root the engine starts only without its sandbox.
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    AddLoggingRule("qt.webenginecontext.info=false");
    // What the hardware draws reaches the window through contexts that share from the start.
    if (EngineDrawsWithHardware())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QUrl BrowserAddress(const String& address) {
    if (!address.empty() && address[0] == '/')
        return QUrl::fromLocalFile(ShownFileName(address));
    return QUrl::fromUserInput(DisplayText(address));
}

String ReportedAddress(const QUrl& url) {
    if (url.isLocalFile())
        return FileSystemName(url.toLocalFile());
    return TextFromDisplay(url.toString());
}

TWebBrowserPeer::TWebBrowserPeer(TControl& control) : TControlPeer(control, MakeBrowserWindow()) {}

TWebBrowserPeer::~TWebBrowserPeer() = default;

TWebBrowser& TWebBrowserPeer::Browser() const {
    return static_cast<TWebBrowser&>(Control());
}

TBrowserEngine& TWebBrowserPeer::Engine() {
    if (!FEngine) {
        if (TestHooks::FakeBrowserUsed())
            FEngine = std::make_unique<TFakeEngine>(*this);
        else
            FEngine = LoadedEngine(*this);
    }
    return *FEngine;
}

void TWebBrowserPeer::Navigate(const String& address) {
    Engine().Load(BrowserAddress(address));
}

bool TWebBrowserPeer::TranslateEvent(QWidget* watched, QEvent* event) {
    if (watched == Widget() && event->type() == QEvent::Show && !FEngine) {
        try {
            Engine();
        } catch (const Exception&) {
            // Told when the browser is asked for a page, where the user can see what failed.
        }
    }
    return TControlPeer::TranslateEvent(watched, event);
}

void TWebBrowserPeer::LoadStarted() {
    if (!Detached())
        Browser().DoDownloadBegin();
}

void TWebBrowserPeer::LoadFinished(const QUrl& url) {
    if (Detached())
        return;
    Browser().DoNavigateComplete(ReportedAddress(url));
    if (!Detached())
        Browser().DoDownloadComplete();
}

void TWebBrowserPeer::TitleChanged(const QString& title) {
    if (!Detached())
        Browser().DoTitleChange(TextFromDisplay(title));
}

void TWebBrowserPeer::LinkHovered(const QString& url) {
    if (!Detached())
        Browser().DoStatusTextChange(TextFromDisplay(url));
}
