#include "app/HandOver.h"

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/SingleInstance.h"

#include <memory>
#include <optional>
#include <vector>

namespace {

// Titles are read as the window system hands them over, at most 99 characters.
constexpr int TitleLength = 99;

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

// False, with the reason shown, when the file cannot be written.
bool WriteHandOverFile(const String& commandLine) {
    try {
        WriteFileAtomic(HandOverFileName(), commandLine + "\r\n");
        return true;
    } catch (const Exception& error) {
        Application->ShowException(error);
        return false;
    }
}

// Posted to the main window once the last modal window has closed: it comes after the rest of
// the command that opened the window.
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

void HandOverToRunningCopy(const String& commandLine) {
    if (commandLine.empty())
        ShowMessage("Quiltmarker is already running.\nYou cannot open two copies at once.");
    // This copy's own windows must never match the search.
    Application->SetTitle(" Quiltmarker");
    std::optional<TRunningCopyWindow> window = FindRunningMainWindow();
    if (!window)
        return;
    BringToFront(*window);
    if (WriteHandOverFile(commandLine))
        SendMessage(*window, HandOverMessage, 0, reinterpret_cast<LPARAM>(commandLine.c_str()));
}

void ListenForHandOver(TWinControl& mainWindow, std::function<void(const String&)> open) {
    auto waiting = std::make_shared<std::vector<String>>();
    TWndMethod passOn = mainWindow.WindowProc();
    mainWindow.SetWindowProc([passOn, open, waiting](TMessage& message) {
        if (message.Msg == HandOverMessage)
            waiting->push_back(ReadHandedOverCommandLine());
        else if (message.Msg != OpenWaitingMessage)
            return passOn(message);
        if (Application->ModalLevel() == 0)
            OpenWaiting(*waiting, open);
    });
    TNotifyEvent previous = Application->OnModalEnd;
    HWND window = mainWindow.Handle();
    Application->OnModalEnd = [previous, waiting, window](TObject* sender) {
        if (previous)
            previous(sender);
        if (!waiting->empty())
            PostMessage(window, OpenWaitingMessage, 0, 0);
    };
}
