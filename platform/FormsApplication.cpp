#include "platform/Forms.h"
#include "platform/Peer.h"

#include <QApplication>
#include <QEventLoop>
#include <QToolTip>

#include <algorithm>
#include <unistd.h>
#include <vector>

// Qt keeps referring to the arguments it was started with, so they live as long as it does.
struct TApplicationCore {
    int Argc = 0;
    std::vector<char*> Argv;
    std::unique_ptr<QApplication> App;
};

TApplication::TApplication() : TComponent(nullptr), FCore(std::make_unique<TApplicationCore>()) {}

// The forms go before the window system they live in.
TApplication::~TApplication() {
    DestroyComponents();
    FCore.reset();
}

void TApplication::Initialize(int& argc, char** argv) {
    if (QApplication::instance())
        return;
    FCore->Argc = argc;
    FCore->Argv.assign(argv, argv + argc);
    FCore->Argv.push_back(nullptr);
    FCore->App = std::make_unique<QApplication>(FCore->Argc, FCore->Argv.data());
    // The window system's own options are gone from what the program sees as its command line.
    argc = FCore->Argc;
    std::copy(FCore->Argv.begin(), FCore->Argv.begin() + argc, argv);
    argv[argc] = nullptr;
    QApplication::setQuitOnLastWindowClosed(false);
}

void TApplication::FormCreated(TForm* form) {
    if (!FMainForm)
        FMainForm = form;
}

void TApplication::FormDestroyed(TForm* form) {
    if (FMainForm == form)
        FMainForm = nullptr;
}

void TApplication::Run() {
    if (FMainForm && !FTerminated)
        FMainForm->Show();
    while (!FTerminated)
        QApplication::exec();
    DestroyComponents();
}

void TApplication::Terminate() {
    FTerminated = true;
    QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::ModalStarted() {
    ++FModalLevel;
}

void TApplication::ModalFinished() {
    if (--FModalLevel == 0 && OnModalEnd)
        OnModalEnd(this);
}

int TApplication::MessageBox(const String& text, const String& caption, UINT flags) {
    HWND owner = Screen->ActiveForm() ? Screen->ActiveForm()->Handle() : nullptr;
    return ::MessageBox(owner, text, caption, flags);
}

void TApplication::ShowException(const std::exception& E) {
    const auto* framework = dynamic_cast<const Exception*>(&E);
    String message = framework ? framework->Message() : String(E.what());
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    MessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* Sender) {
    try {
        throw;
    } catch (const EAbort&) {
        return;
    } catch (const std::exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception unknown("Unknown error");
        if (OnException)
            OnException(Sender, unknown);
        else
            ShowException(unknown);
    }
}

// The title is the program's name where the program shows it (message boxes); it is not given to
// the toolkit as the display name, which the toolkit would append to every window's title.
void TApplication::SetTitle(const String& value) {
    FTitle = value;
}

String TApplication::ExeName() const {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? String(path, static_cast<size_t>(length)) : String();
}

bool TApplication::HelpContext(int context) {
    return HelpCommand(HELP_CONTEXT, static_cast<uintptr_t>(context));
}

bool TApplication::HelpCommand(UINT command, uintptr_t data) {
    HWND owner = FMainForm ? FMainForm->Handle() : nullptr;
    return WinHelp(owner, FHelpFile, command, data) != 0;
}

void TApplication::CancelHint() {
    if (QApplication::instance())
        QToolTip::hideText();
}

void TApplication::SetHint(const String& value) {
    if (!Change(FHint, value))
        return;
    if (OnHint)
        OnHint(this);
}

bool TApplication::Active() const {
    return Screen && Screen->ActiveForm() != nullptr;
}

// ---- Hooks of the main window

namespace {

struct HookEntry {
    int Id;
    TWindowHook Hook;
};

struct HookList {
    std::vector<HookEntry> Entries;
    int NextId = 1;
    bool Watching = false;
    bool Active = true;
};

HookList& Hooks() {
    static HookList list;
    return list;
}

// The window system tells when the program gains or loses the user's attention.
void WatchApplicationState() {
    HookList& hooks = Hooks();
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (hooks.Watching || !application)
        return;
    hooks.Watching = true;
    hooks.Active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    QObject::connect(application, &QGuiApplication::applicationStateChanged,
                     [](Qt::ApplicationState state) {
                         bool active = state == Qt::ApplicationActive;
                         if (active == Hooks().Active)
                             return;
                         Hooks().Active = active;
                         TMessage message{active ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0, 0};
                         try {
                             CallMainWindowHooks(message);
                         } catch (...) {
                             if (Application)
                                 Application->HandleException(nullptr);
                         }
                     });
}

} // namespace

int HookMainWindow(TWindowHook hook) {
    WatchApplicationState();
    HookList& hooks = Hooks();
    hooks.Entries.push_back(HookEntry{hooks.NextId, std::move(hook)});
    return hooks.NextId++;
}

void UnhookMainWindow(int hook) {
    std::erase_if(Hooks().Entries, [hook](const HookEntry& entry) { return entry.Id == hook; });
}

// A hook may remove itself, or others, while it runs: only the hooks still installed are asked.
bool CallMainWindowHooks(TMessage& Message) {
    std::vector<int> ids;
    for (const HookEntry& entry : Hooks().Entries)
        ids.push_back(entry.Id);
    for (int id : ids) {
        auto& entries = Hooks().Entries;
        auto it = std::find_if(entries.begin(), entries.end(),
                               [id](const HookEntry& entry) { return entry.Id == id; });
        if (it == entries.end())
            continue;
        TWindowHook hook = it->Hook;
        if (hook(Message))
            return true;
    }
    return false;
}

// ---- The global objects

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

// Made before main runs and never freed: Qt's own globals go first at exit, so the window system
// must not be taken down then. Run frees the forms when the program ends.
struct GlobalObjects {
    GlobalObjects() {
        Screen = new TScreen;
        Application = new TApplication;
    }
} TheGlobalObjects;

} // namespace
