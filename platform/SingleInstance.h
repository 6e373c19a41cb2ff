#pragma once
// One copy of the program per user, and what a later copy may do with the windows of the copy
// that runs.
//
// The named mutex is a lock (flock) on a file in the temporary folder, so it is released with the
// process that holds it, however that process ends. The copy that holds the lock answers, on a
// local socket in the same folder, the requests of later copies: whether it is ready for them, the
// list of its top-level windows, and showing, raising and sending a message to one of them.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

#include <functional>
#include <vector>

using HANDLE = void*;

enum : DWORD {
    ERROR_SUCCESS = 0,
    ERROR_PATH_NOT_FOUND = 3,
    ERROR_ACCESS_DENIED = 5,
    ERROR_ALREADY_EXISTS = 183,
};

// Takes the lock named name. Another copy holds it: a handle and ERROR_ALREADY_EXISTS. Taken: a
// handle and ERROR_SUCCESS, and this process answers later copies from now on. The lock file
// cannot be made or locked: nullptr and another error, so the program runs as the only copy.
HANDLE CreateMutex(const void* securityAttributes, BOOL initialOwner, const String& name);
// Releases the lock and stops answering later copies; 0 for a handle that is not open.
BOOL CloseHandle(HANDLE handle);
// The error of the last CreateMutex of this thread.
DWORD GetLastError();
// Whether a process holds the lock named name: another copy, or this one through a handle taken
// with ERROR_SUCCESS. False when the lock is free or cannot be made, as CreateMutex would then
// find no other copy.
bool MutexHeld(const String& name);

// The running copy's side: from now on the copy that holds the lock tells later copies that it is
// ready for them. Until then it still answers their other requests.
void SetRunningCopyReady();
// A later copy's side: whether the running copy has said it is ready; false while it has not, or
// when no copy answers.
BOOL RunningCopyReady();

// Show commands.
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_RESTORE = 9,
    SW_SHOWDEFAULT = 10,
};

// A top-level window of the running copy, as a later copy sees it.
struct TRunningCopyWindow {
    uintptr_t Handle = 0; // names the window to the running copy; its application window is 0
    String Title;
    bool Iconic = false;
    bool Visible = false;
    bool operator==(const TRunningCopyWindow&) const = default;
};

// The running copy's top-level windows in window order, the front one first, its application
// window last; empty when no copy answers.
std::vector<TRunningCopyWindow> RunningCopyWindows();
// Whether the window was minimised, or shown, when the windows were listed.
BOOL IsIconic(const TRunningCopyWindow& window);
BOOL IsWindowVisible(const TRunningCopyWindow& window);
// SW_SHOWNORMAL, SW_RESTORE and SW_SHOWDEFAULT restore a minimised window and show it; SW_SHOW
// shows a hidden one as it was; SW_MINIMIZE and SW_HIDE as their names say.
BOOL ShowWindow(const TRunningCopyWindow& window, int command);
BOOL SetForegroundWindow(const TRunningCopyWindow& window);
BOOL BringWindowToTop(const TRunningCopyWindow& window);
// The modal window the running copy shows over window, else window itself.
TRunningCopyWindow GetLastActivePopup(const TRunningCopyWindow& window);
// Hands the message to the window's procedure in the running copy and waits for its result (ten
// seconds at most, so that a copy that hangs cannot hang this one). LParam cannot cross to
// another process: the window receives 0.
LRESULT SendMessage(const TRunningCopyWindow& window, UINT Msg, WPARAM WParam, LPARAM LParam);

namespace TestHooks {
// A running copy with these windows stands in for the real one; the calls made on its windows
// are recorded ("ShowWindow(2, SW_SHOWDEFAULT)", "SetForegroundWindow(2)",
// "SendMessage(2, 0x4F4, 0)") and change nothing. It says it is not ready the first
// notReadyAnswers times RunningCopyReady asks, then that it is; a negative count: never. Each time
// it says so, whenNotReady runs; until it is ready it lists no windows, as a copy whose main window
// is not made yet. The lock is not faked: a test holds it with CreateMutex, or
// leaves it free, and may let go of it in whenNotReady, as a copy that ends meanwhile.
struct TFakeWindow {
    TRunningCopyWindow Window;
    uintptr_t LastActivePopup = 0; // 0: the window itself
    bool Answers = true;           // false: SendMessage to it gets 0, as from a copy that hangs
};
void FakeRunningCopy(std::vector<TFakeWindow> windows, int notReadyAnswers = 0,
                     std::function<void()> whenNotReady = {});
void EndFakeRunningCopy();
const std::vector<String>& RunningCopyCalls();
} // namespace TestHooks
