#include "platform/SingleInstance.h"

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Peer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <set>
#include <sys/file.h>
#include <unistd.h>

namespace {

thread_local DWORD LastError = ERROR_SUCCESS;

// The user's temporary folder, or "" when it cannot be made.
String TempFolderIfAny() {
    try {
        return TempFolder();
    } catch (const Exception&) {
        return "";
    }
}

int OpenLockFile(const String& folder, const String& name) {
    return ::open((folder + name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                  0600);
}

// The socket lies beside the lock, in the user's own temporary folder.
String SocketPath(const String& folder) {
    return folder + "quiltmarker-" + IntToStr(static_cast<int64_t>(getuid())) + ".socket";
}

// ---- The running copy's side

TForm* FormOfHandle(uintptr_t handle) {
    return handle ? dynamic_cast<TForm*>(FindControl(reinterpret_cast<HWND>(handle))) : nullptr;
}

bool IsMinimised(TForm& form) {
    return form.WindowState() == wsMinimized || form.Peer().Widget()->isMinimized();
}

// The window order as the window system would have it: the active form, the other shown forms,
// then the hidden ones.
std::vector<TForm*> FormsInWindowOrder() {
    std::vector<TForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i)
        forms.push_back(Screen->Forms(i));
    std::stable_partition(forms.begin(), forms.end(), [](TForm* form) { return form->Visible(); });
    auto active = std::find(forms.begin(), forms.end(), Screen->ActiveForm());
    if (active != forms.end())
        std::rotate(forms.begin(), active, active + 1);
    return forms;
}

// "handle iconic visible title", the flags as 0 or 1.
String WindowLine(uintptr_t handle, bool iconic, bool visible, String title) {
    std::replace_if(
        title.begin(), title.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return IntToStr(static_cast<int64_t>(handle)) + (iconic ? " 1" : " 0") +
           (visible ? " 1 " : " 0 ") + title + "\n";
}

String ListWindows() {
    String reply;
    for (TForm* form : FormsInWindowOrder())
        reply += WindowLine(reinterpret_cast<uintptr_t>(form->Handle()), IsMinimised(*form),
                            form->Visible(), form->Caption());
    return reply + WindowLine(0, false, false, Application->Title());
}

bool ShowForm(TForm& form, int command) {
    switch (command) {
    case SW_HIDE:
        form.Hide();
        return true;
    case SW_MINIMIZE:
        form.SetWindowState(wsMinimized);
        return true;
    case SW_SHOW:
        form.SetVisible(true);
        return true;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        form.SetVisible(true);
        if (IsMinimised(form))
            form.SetWindowState(wsNormal);
        return true;
    default:
        return false;
    }
}

void BringForward(TForm& form) {
    form.BringToFront();
    form.Peer().Widget()->activateWindow();
}

uintptr_t LastActivePopup(uintptr_t handle) {
    for (int i = Screen->FormCount() - 1; i >= 0; --i) {
        TForm* form = Screen->Forms(i);
        if (form->Modal() && form->Visible())
            return reinterpret_cast<uintptr_t>(form->Handle());
    }
    return handle;
}

// What the copy that holds the lock answers with: its server, and whether the program has said
// that it is ready for later copies.
struct TAnswering {
    bool Ready = false;
    QLocalServer Server;
};

// One request: a verb, the window and an argument, separated by blanks.
String Answer(const String& request, const TAnswering& answering) {
    std::vector<String> words;
    for (size_t start = 0; start <= request.size();) {
        size_t blank = std::min(request.find(' ', start), request.size());
        words.push_back(request.substr(start, blank - start));
        start = blank + 1;
    }
    if (words[0] == "READY")
        return answering.Ready ? "1\n" : "0\n";
    if (words[0] == "WINDOWS")
        return ListWindows();
    uintptr_t handle = words.size() > 1 ? static_cast<uintptr_t>(StrToIntDef(words[1], 0)) : 0;
    int argument = words.size() > 2 ? StrToIntDef(words[2], 0) : 0;
    TForm* form = FormOfHandle(handle);
    if (!form)
        return "0\n";
    if (words[0] == "SHOW")
        return ShowForm(*form, argument) ? "1\n" : "0\n";
    if (words[0] == "FOREGROUND") {
        BringForward(*form);
        return "1\n";
    }
    if (words[0] == "TOP") {
        form->BringToFront();
        return "1\n";
    }
    if (words[0] == "POPUP")
        return IntToStr(static_cast<int64_t>(LastActivePopup(handle))) + "\n";
    if (words[0] == "SEND") {
        WPARAM wParam = words.size() > 3 ? static_cast<WPARAM>(StrToIntDef(words[3], 0)) : 0;
        return IntToStr(SendMessage(form->Handle(), static_cast<UINT>(argument), wParam, 0)) + "\n";
    }
    return "0\n";
}

// Handlers run by a request raise into the program, never into the socket's signal.
String AnswerSafely(const String& request, const TAnswering& answering) {
    try {
        return Answer(request, answering);
    } catch (...) {
        Application->HandleException(nullptr);
        return "0\n";
    }
}

// The socket is the server's child, so it never outlives answering.
void ServeConnection(QLocalSocket* socket, const TAnswering* answering) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, answering] {
        if (!socket->canReadLine())
            return;
        QByteArray line = socket->readLine().trimmed();
        String reply =
            AnswerSafely(String(line.constData(), static_cast<size_t>(line.size())), *answering);
        socket->write(reply.data(), static_cast<qint64>(reply.size()));
        socket->disconnectFromServer();
    });
}

std::unique_ptr<TAnswering> StartAnswering(const String& folder) {
    if (!QCoreApplication::instance())
        return nullptr;
    auto answering = std::make_unique<TAnswering>();
    QString path = QString::fromLocal8Bit(SocketPath(folder));
    // The lock is ours, so a socket file left there belongs to a copy that has ended.
    QLocalServer::removeServer(path);
    answering->Server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!answering->Server.listen(path))
        return nullptr;
    TAnswering* listening = answering.get();
    QObject::connect(&listening->Server, &QLocalServer::newConnection, &listening->Server,
                     [listening] {
                         while (QLocalSocket* socket = listening->Server.nextPendingConnection())
                             ServeConnection(socket, listening);
                     });
    return answering;
}

// ---- A later copy's side

struct TFakeCopy {
    std::vector<TestHooks::TFakeWindow> Windows;
    int NotReadyAnswers = 0;
    std::function<void()> WhenNotReady;
    std::vector<String> Calls;
};
std::optional<TFakeCopy> FakeCopy;

const char* ShowCommandName(int command) {
    switch (command) {
    case SW_HIDE:
        return "SW_HIDE";
    case SW_SHOWNORMAL:
        return "SW_SHOWNORMAL";
    case SW_SHOW:
        return "SW_SHOW";
    case SW_MINIMIZE:
        return "SW_MINIMIZE";
    case SW_RESTORE:
        return "SW_RESTORE";
    case SW_SHOWDEFAULT:
        return "SW_SHOWDEFAULT";
    default:
        return "?";
    }
}

String HandleText(const TRunningCopyWindow& window) {
    return IntToStr(static_cast<int64_t>(window.Handle));
}

// Sends one request to the running copy and returns its whole reply; "" when none answers.
String Ask(const String& request, int timeoutMs) {
    String folder = TempFolderIfAny();
    if (folder.empty())
        return "";
    QLocalSocket socket;
    socket.connectToServer(QString::fromLocal8Bit(SocketPath(folder)));
    if (!socket.waitForConnected(2000))
        return "";
    String line = request + "\n";
    socket.write(line.data(), static_cast<qint64>(line.size()));
    socket.waitForBytesWritten(2000);
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && socket.waitForReadyRead(timeoutMs - clock.elapsed()))
        reply += socket.readAll();
    reply += socket.readAll();
    return String(reply.constData(), static_cast<size_t>(reply.size()));
}

constexpr int QuickReply = 3000;
constexpr int HandlerReply = 10000;

int AskNumber(const String& request, int timeoutMs = QuickReply) {
    return StrToIntDef(Trim(Ask(request, timeoutMs)), 0);
}

std::vector<TRunningCopyWindow> ParseWindows(const String& reply) {
    std::vector<TRunningCopyWindow> windows;
    size_t start = 0;
    while (start < reply.size()) {
        size_t end = reply.find('\n', start);
        if (end == String::npos)
            break;
        String line = reply.substr(start, end - start);
        start = end + 1;
        size_t first = line.find(' ');
        if (first == String::npos || first + 5 > line.size())
            continue;
        TRunningCopyWindow window;
        window.Handle = static_cast<uintptr_t>(StrToIntDef(line.substr(0, first), 0));
        window.Iconic = line[first + 1] == '1';
        window.Visible = line[first + 3] == '1';
        window.Title = line.substr(first + 5);
        windows.push_back(window);
    }
    return windows;
}

BOOL RecordCall(const String& call, BOOL result = 1) {
    FakeCopy->Calls.push_back(call);
    return result;
}

bool FakeAnswers(const TRunningCopyWindow& window) {
    for (const TestHooks::TFakeWindow& fake : FakeCopy->Windows)
        if (fake.Window.Handle == window.Handle)
            return fake.Answers;
    return false;
}

BOOL FakeReady() {
    if (FakeCopy->NotReadyAnswers == 0)
        return 1;
    if (FakeCopy->NotReadyAnswers > 0)
        --FakeCopy->NotReadyAnswers;
    if (FakeCopy->WhenNotReady)
        FakeCopy->WhenNotReady();
    return 0;
}

// ---- The lock

struct TLockHandle {
    int Fd = -1;
    std::unique_ptr<TAnswering> Answering;
};

// An open handle stays reachable from here until it is closed: the program holds its lock for
// as long as it runs without keeping the handle. The list is never torn down.
std::set<TLockHandle*>& OpenLocks() {
    static auto* open = new std::set<TLockHandle*>;
    return *open;
}

HANDLE Opened(std::unique_ptr<TLockHandle> lock, DWORD error) {
    LastError = error;
    OpenLocks().insert(lock.get());
    return lock.release();
}

HANDLE Fail(DWORD error) {
    LastError = error;
    return nullptr;
}

} // namespace

HANDLE CreateMutex(const void* /*securityAttributes*/, BOOL /*initialOwner*/, const String& name) {
    String folder = TempFolderIfAny();
    if (folder.empty())
        return Fail(ERROR_PATH_NOT_FOUND);
    int fd = OpenLockFile(folder, name);
    if (fd < 0)
        return Fail(ERROR_ACCESS_DENIED);
    auto lock = std::make_unique<TLockHandle>();
    lock->Fd = fd;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lock->Answering = StartAnswering(folder);
        return Opened(std::move(lock), ERROR_SUCCESS);
    }
    if (errno == EWOULDBLOCK)
        return Opened(std::move(lock), ERROR_ALREADY_EXISTS);
    ::close(fd);
    return Fail(ERROR_ACCESS_DENIED);
}

BOOL CloseHandle(HANDLE handle) {
    auto* lock = static_cast<TLockHandle*>(handle);
    if (!lock || OpenLocks().erase(lock) == 0)
        return 0;
    lock->Answering.reset();
    ::close(lock->Fd);
    delete lock;
    return 1;
}

DWORD GetLastError() {
    return LastError;
}

// Taking the lock for a moment is the only way to learn that it is free; a copy that starts in that
// moment finds it held and waits, as for any running copy that is not ready yet.
bool MutexHeld(const String& name) {
    String folder = TempFolderIfAny();
    int fd = folder.empty() ? -1 : OpenLockFile(folder, name);
    if (fd < 0)
        return false;
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

void SetRunningCopyReady() {
    for (TLockHandle* lock : OpenLocks())
        if (lock->Answering)
            lock->Answering->Ready = true;
}

BOOL RunningCopyReady() {
    if (FakeCopy)
        return FakeReady();
    return AskNumber("READY") == 1 ? 1 : 0;
}

// ---- The running copy's windows

std::vector<TRunningCopyWindow> RunningCopyWindows() {
    if (!FakeCopy)
        return ParseWindows(Ask("WINDOWS", QuickReply));
    std::vector<TRunningCopyWindow> windows;
    if (FakeCopy->NotReadyAnswers != 0)
        return windows;
    for (const TestHooks::TFakeWindow& fake : FakeCopy->Windows)
        windows.push_back(fake.Window);
    return windows;
}

BOOL IsIconic(const TRunningCopyWindow& window) {
    return window.Iconic ? 1 : 0;
}

BOOL IsWindowVisible(const TRunningCopyWindow& window) {
    return window.Visible ? 1 : 0;
}

BOOL ShowWindow(const TRunningCopyWindow& window, int command) {
    if (FakeCopy)
        return RecordCall("ShowWindow(" + HandleText(window) + ", " + ShowCommandName(command) +
                          ")");
    return AskNumber("SHOW " + HandleText(window) + " " + IntToStr(command));
}

BOOL SetForegroundWindow(const TRunningCopyWindow& window) {
    if (FakeCopy)
        return RecordCall("SetForegroundWindow(" + HandleText(window) + ")");
    return AskNumber("FOREGROUND " + HandleText(window));
}

BOOL BringWindowToTop(const TRunningCopyWindow& window) {
    if (FakeCopy)
        return RecordCall("BringWindowToTop(" + HandleText(window) + ")");
    return AskNumber("TOP " + HandleText(window));
}

TRunningCopyWindow GetLastActivePopup(const TRunningCopyWindow& window) {
    uintptr_t popup = window.Handle;
    if (!FakeCopy)
        popup = static_cast<uintptr_t>(AskNumber("POPUP " + HandleText(window)));
    else
        for (const TestHooks::TFakeWindow& fake : FakeCopy->Windows)
            if (fake.Window.Handle == window.Handle && fake.LastActivePopup)
                popup = fake.LastActivePopup;
    if (popup == window.Handle)
        return window;
    for (const TRunningCopyWindow& other : RunningCopyWindows())
        if (other.Handle == popup)
            return other;
    return TRunningCopyWindow{popup, "", false, false};
}

LRESULT SendMessage(const TRunningCopyWindow& window, UINT Msg, WPARAM WParam, LPARAM /*LParam*/) {
    if (FakeCopy)
        return RecordCall(Format("SendMessage(%s, 0x%X, %lu)", HandleText(window).c_str(), Msg,
                                 static_cast<unsigned long>(WParam)),
                          FakeAnswers(window) ? 1 : 0);
    return AskNumber("SEND " + HandleText(window) + " " + IntToStr(Msg) + " " +
                         IntToStr(static_cast<int64_t>(WParam)),
                     HandlerReply);
}

void TestHooks::FakeRunningCopy(std::vector<TFakeWindow> windows, int notReadyAnswers,
                                std::function<void()> whenNotReady) {
    FakeCopy = TFakeCopy{std::move(windows), notReadyAnswers, std::move(whenNotReady), {}};
}

void TestHooks::EndFakeRunningCopy() {
    FakeCopy.reset();
}

const std::vector<String>& TestHooks::RunningCopyCalls() {
    static const std::vector<String> none;
    return FakeCopy ? FakeCopy->Calls : none;
}
