#include "app/HandOver.h"

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/SingleInstance.h"

#include <optional>

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

void ListenForHandOver(TControl& mainWindow, std::function<void(const String&)> open) {
    TWndMethod passOn = mainWindow.WindowProc();
    mainWindow.SetWindowProc([passOn, open](TMessage& message) {
        if (message.Msg == HandOverMessage)
            open(ReadHandedOverCommandLine());
        else
            passOn(message);
    });
}
