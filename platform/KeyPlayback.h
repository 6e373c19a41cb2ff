#pragma once
// Other programs' windows on the desktop and keystrokes played into them.
//
// Under the X window system (Qt's xcb platform) the desktop's top-level windows are those the
// window manager lists in _NET_CLIENT_LIST_STACKING, the foreground window is its
// _NET_ACTIVE_WINDOW, and played keys are sent with the XTest extension, so they reach whatever
// window has the keyboard focus, as a journal playback does. Without an X display (offscreen,
// Wayland) there is no other program's window to find and no playback can be installed.
//
// A window handle of another program is its X window id; it is never a control of ours.

#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/SingleInstance.h"
#include "platform/SysUtils.h"

#include <vector>

// ---- Windows of the desktop ----

enum : UINT { GW_HWNDNEXT = 2, GW_HWNDPREV = 3 };

// The window that has the user's attention; nullptr when none is known.
HWND GetForegroundWindow();
// The next window below (GW_HWNDNEXT) or above (GW_HWNDPREV) in the desktop's stacking order;
// nullptr at either end.
HWND GetWindow(HWND window, UINT command);
// The window's title, cut to maxCount - 1 bytes (UTF-8 as the window manager keeps it).
String GetWindowTextA(HWND window, int maxCount);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
// SW_RESTORE shows a minimised window again.
BOOL ShowWindow(HWND window, int command);
BOOL BringWindowToTop(HWND window);
BOOL SetForegroundWindow(HWND window);
// Gives the window the keyboard focus; returns the window that had it.
HWND SetFocus(HWND window);
// Waits, giving another program's window time to react; with the fake desktop only recorded.
void Sleep(DWORD milliseconds);

// ---- Keyboard layout (a US keyboard) ----

// The virtual key of a character in the low byte and the shift state in the high byte (1 Shift,
// 2 Ctrl); -1 when no key types it.
short VkKeyScanA(char character);
enum : UINT { MAPVK_VK_TO_VSC = 0 };
// The scan code of a virtual key (MAPVK_VK_TO_VSC); 0 when the key has none.
UINT MapVirtualKeyA(UINT code, UINT mapType);
// Milliseconds since the system started.
DWORD GetTickCount();

// ---- Journal playback ----

using HHOOK = void*;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

enum : int { WH_JOURNALPLAYBACK = 1 };
enum : int { HC_ACTION = 0, HC_GETNEXT = 1, HC_SKIP = 2, HC_SYSMODALON = 4 };

// A played event; for keys paramL holds the scan code times 256 plus the virtual key.
struct EVENTMSG {
    UINT message = 0;
    UINT paramL = 0;
    UINT paramH = 0;
    DWORD time = 0;
    HWND hwnd = nullptr;
};

// Installs a journal-playback procedure: while messages are processed, it is asked for each event
// (HC_GETNEXT, lParam pointing at an EVENTMSG to fill) and told when to move on (HC_SKIP), until it
// removes itself. nullptr when there is nothing to play into, or a playback runs already.
HHOOK SetWindowsHookExA(int idHook, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

namespace TestHooks {
// A desktop with these windows, topmost first, stands in for the real one, and played keys are
// recorded instead of sent. The calls that would change a window are recorded too
// ("ShowWindow(2, 9)", "BringWindowToTop(2)", "SetForegroundWindow(2)", "SetFocus(2)",
// "Sleep(100)") and change nothing.
struct TDesktopWindow {
    uintptr_t Handle = 0;
    String Title;
    bool Visible = true;
    bool Iconic = false;
    bool RefusesFront = false; // BringWindowToTop and SetForegroundWindow fail
};
void FakeDesktop(std::vector<TDesktopWindow> windowsTopFirst, uintptr_t foreground);
void EndFakeDesktop();
const std::vector<String>& DesktopCalls();
// The key events played while the fake desktop stands, in play order.
const std::vector<EVENTMSG>& PlayedKeys();
} // namespace TestHooks
