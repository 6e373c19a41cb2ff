#include "app/HandOver.h"

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/KeyPlayback.h"
#include "platform/SingleInstance.h"

#include <memory>
#include <optional>
#include <vector>

namespace {

// Titles are read as the window system hands them over, at most 99 characters.
constexpr int TitleLength = 99;

// A running copy that starts at the same moment as this one needs a few seconds before its main
// window listens; one that has not in this long is taken to hang.
DWORD RunningCopyWait = 20000;
constexpr DWORD ReadyPollInterval = 50;

const char* const NotHandedOverText =
    "Quiltmarker is already running, but this page could not be handed over to it:\n";
const char* const NotAnswering = "It does not answer. Try again once it does.";
const char* const NoMainWindow = "Its main window was not found.";

// False when the running copy has ended meanwhile, or has not become ready within the wait.
bool WaitUntilRunningCopyIsReady() {
    const DWORD start = GetTickCount();
    while (!RunningCopyReady()) {
        if (!MutexHeld(RunningCopyLock) || GetTickCount() - start >= RunningCopyWait)
            return false;
        Sleep(ReadyPollInterval);
    }
    return true;
}

// A second copy without a page has nothing to lose: it has said already that the program runs.
void TellNotHandedOver(const String& page, const String& why) {
    if (page.empty())
        return;
    Application->MessageBox(NotHandedOverText + page + "\n" + why, "Quiltmarker",
                            MB_OK | MB_ICONERROR);
}

// What HandOverToRunningCopy returns when the running copy did not take the page: false when it
// has ended, so that this copy starts in its place; else true once the user has been told why.
bool NotHandedOver(const String& page, const String& why) {
    if (!MutexHeld(RunningCopyLock))
        return false;
    TellNotHandedOver(page, why);
    return true;
}

std::optional<TRunningCopyWindow> FindRunningMainWindow() {
    for (const TRunningCopyWindow& window : RunningCopyWindows())
        if (IsRunningMainWindowTitle(Copy(window.Title, 1, TitleLength)))
            return window;
    return std::nullopt;
}

void BringToFront(const TRunningCopyWindow& window) {
    if (IsIconic(window))
        ShowWindow(window, SW_SHOWDEFAULT);
    SetForegroundWindow(window);
    TRunningCopyWindow popup = GetLastActivePopup(window);
    if (popup.Handle != window.Handle)
        BringWindowToTop(popup);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

// False, with the page and the reason shown, when the file cannot be written.
bool WriteHandOverFile(const String& commandLine) {
    try {
        // It names the user's page: as private as the autosave copies beside it.
        TPrivateWrites privately;
        WriteFileAtomic(HandOverFileName(), commandLine + "\r\n");
        return true;
    } catch (const Exception& error) {
        TellNotHandedOver(commandLine, error.Message());
        return false;
    }
}

// Posted to the main window when a command line comes, and once the last modal window has closed:
// then it comes after the rest of the command that opened the window.
constexpr UINT OpenWaitingMessage = WM_APP + 244;

// Each command line taken out before it is opened, so that one opened while another hand-over
// comes is never opened twice.
void OpenWaiting(std::vector<String>& waiting, const std::function<void(const String&)>& open) {
    while (!waiting.empty()) {
        String commandLine = waiting.front();
        waiting.erase(waiting.begin());
        open(commandLine);
    }
}

String ReadHandedOverCommandLine() {
    String text = ReadFileBytes(HandOverFileName());
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace

String HandOverFileName() {
    // The temporary folder always ends in a delimiter.
    return TempFolder() + "lqmlink.txt";
}

bool IsRunningMainWindowTitle(const String& title) {
    return Pos("Quiltmarker", title) == 1 && Pos("Quiltmarker v", title) == 0;
}

bool HandOverToRunningCopy(const String& commandLine) {
    if (commandLine.empty())
        ShowMessage("Quiltmarker is already running.\nYou cannot open two copies at once.");
    // This copy's own windows must never match the search.
    Application->SetTitle(" Quiltmarker");
    if (!WaitUntilRunningCopyIsReady())
        return NotHandedOver(commandLine, NotAnswering);
    std::optional<TRunningCopyWindow> window = FindRunningMainWindow();
    if (!window)
        return NotHandedOver(commandLine, NoMainWindow);
    BringToFront(*window);
    if (!WriteHandOverFile(commandLine))
        return true;
    if (!SendMessage(*window, HandOverMessage, 0, reinterpret_cast<LPARAM>(commandLine.c_str())))
        return NotHandedOver(commandLine, NotAnswering);
    return true;
}

void ListenForHandOver(TWinControl& mainWindow, std::function<void(const String&)> open) {
    auto waiting = std::make_shared<std::vector<String>>();
    TWndMethod passOn = mainWindow.WindowProc();
    HWND window = mainWindow.Handle();
    mainWindow.SetWindowProc([passOn, open, waiting, window](TMessage& message) {
        if (message.Msg == HandOverMessage) {
            // The second copy has its answer before the page opens: a question asked while
            // opening would otherwise outlast its wait and have it report a failure.
            waiting->push_back(ReadHandedOverCommandLine());
            PostMessage(window, OpenWaitingMessage, 0, 0);
            message.Result = 1;
        } else if (message.Msg != OpenWaitingMessage) {
            passOn(message);
        } else if (Application->ModalLevel() == 0) {
            OpenWaiting(*waiting, open);
        }
    });
    TNotifyEvent previous = Application->OnModalEnd;
    Application->OnModalEnd = [previous, waiting, window](TObject* sender) {
        if (previous)
            previous(sender);
        if (!waiting->empty())
            PostMessage(window, OpenWaitingMessage, 0, 0);
    };
}

DWORD TestHooks::SetRunningCopyWait(DWORD milliseconds) {
    DWORD previous = RunningCopyWait;
    RunningCopyWait = milliseconds;
    return previous;
}
