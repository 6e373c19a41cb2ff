#include "platform/KeyPlayback.h"

#include <QGuiApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

// Xlib's macros (None, Bool, Status...) come last, after every header that could use the names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// ---- The fake desktop of the tests ----

struct FakeDesktopState {
    std::vector<TestHooks::TDesktopWindow> Windows;
    uintptr_t Foreground = 0;
    std::vector<String> Calls;
    std::vector<EVENTMSG> Played;
};

std::optional<FakeDesktopState>& Fake() {
    static std::optional<FakeDesktopState> fake;
    return fake;
}

uintptr_t HandleValue(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}

HWND WindowOf(uintptr_t handle) {
    return reinterpret_cast<HWND>(handle);
}

const TestHooks::TDesktopWindow* FakeWindow(HWND window) {
    for (const TestHooks::TDesktopWindow& w : Fake()->Windows)
        if (w.Handle == HandleValue(window))
            return &w;
    return nullptr;
}

BOOL RecordFakeCall(const String& call, HWND window) {
    Fake()->Calls.push_back(call);
    const TestHooks::TDesktopWindow* w = FakeWindow(window);
    return w != nullptr;
}

// ---- The X server ----

Display* XDisplay() {
    if (QGuiApplication::platformName() != "xcb")
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// A request about a window that went away meanwhile must not end the program: Xlib's own
// handler would. Errors are collected while a guard stands.
int XErrorsSeen = 0;
int CountXError(Display*, XErrorEvent*) {
    ++XErrorsSeen;
    return 0;
}

class XErrorGuard {
public:
    explicit XErrorGuard(Display* display) : FDisplay(display) {
        XErrorsSeen = 0;
        FPrevious = XSetErrorHandler(CountXError);
    }
    ~XErrorGuard() {
        XSync(FDisplay, False);
        XSetErrorHandler(FPrevious);
    }
    bool Failed() {
        XSync(FDisplay, False);
        return XErrorsSeen != 0;
    }

private:
    Display* FDisplay;
    int (*FPrevious)(Display*, XErrorEvent*) = nullptr;
};

Atom AtomOf(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

// A property of 32-bit items (windows, atoms) as a list.
std::vector<unsigned long> ListProperty(Display* display, Window window, const char* name,
                                        Atom type) {
    std::vector<unsigned long> items;
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XErrorGuard guard(display);
    if (XGetWindowProperty(display, window, AtomOf(display, name), 0, 65536, False, type,
                           &actualType, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

std::vector<Window> StackingTopFirst(Display* display) {
    std::vector<unsigned long> bottomFirst =
        ListProperty(display, DefaultRootWindow(display), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
    return {bottomFirst.rbegin(), bottomFirst.rend()};
}

String XWindowTitle(Display* display, Window window) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    String title;
    XErrorGuard guard(display);
    if (XGetWindowProperty(display, window, AtomOf(display, "_NET_WM_NAME"), 0, 4096, False,
                           AtomOf(display, "UTF8_STRING"), &actualType, &format, &count, &after,
                           &data) == Success &&
        data && format == 8)
        title.assign(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    char* name = nullptr;
    if (title.empty() && XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

bool XIconic(Display* display, Window window) {
    const std::vector<unsigned long> states =
        ListProperty(display, window, "_NET_WM_STATE", XA_ATOM);
    return std::find(states.begin(), states.end(), AtomOf(display, "_NET_WM_STATE_HIDDEN")) !=
           states.end();
}

bool XMapped(Display* display, Window window) {
    XWindowAttributes attributes{};
    XErrorGuard guard(display);
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// Asks the window manager to activate the window: it de-iconifies, raises and focuses it.
bool XActivate(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = AtomOf(display, "_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // a request on the user's behalf, as a pager makes it
    event.xclient.data.l[1] = CurrentTime;
    XErrorGuard guard(display);
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XMapRaised(display, window);
    return !guard.Failed();
}

KeySym KeySymOf(BYTE virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return XK_a + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return XK_0 + (virtualKey - '0');
    if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 15)
        return XK_F1 + (virtualKey - VK_F1);
    static const std::pair<BYTE, KeySym> Keys[] = {
        {VK_SHIFT, XK_Shift_L},
        {VK_CONTROL, XK_Control_L},
        {VK_MENU, XK_Alt_L},
        {VK_RETURN, XK_Return},
        {VK_TAB, XK_Tab},
        {VK_ESCAPE, XK_Escape},
        {VK_BACK, XK_BackSpace},
        {VK_DELETE, XK_Delete},
        {VK_INSERT, XK_Insert},
        {VK_HOME, XK_Home},
        {VK_END, XK_End},
        {VK_PRIOR, XK_Prior},
        {VK_NEXT, XK_Next},
        {VK_LEFT, XK_Left},
        {VK_RIGHT, XK_Right},
        {VK_UP, XK_Up},
        {VK_DOWN, XK_Down},
        {VK_SPACE, XK_space},
        {VK_CAPITAL, XK_Caps_Lock},
        {VK_NUMLOCK, XK_Num_Lock},
        {VK_SCROLL, XK_Scroll_Lock},
        {VK_HELP, XK_Help},
        {VK_SNAPSHOT, XK_Print},
        {VK_CANCEL, XK_Break},
        {VK_CLEAR, XK_Clear},
        {VK_LWIN, XK_Super_L},
        {VK_RWIN, XK_Super_R},
        {VK_APPS, XK_Menu},
        {VK_ADD, XK_KP_Add},
        {VK_SUBTRACT, XK_KP_Subtract},
        {VK_OEM_1, XK_semicolon},
        {VK_OEM_PLUS, XK_equal},
        {VK_OEM_COMMA, XK_comma},
        {VK_OEM_MINUS, XK_minus},
        {VK_OEM_PERIOD, XK_period},
        {VK_OEM_2, XK_slash},
        {VK_OEM_3, XK_grave},
        {VK_OEM_4, XK_bracketleft},
        {VK_OEM_5, XK_backslash},
        {VK_OEM_6, XK_bracketright},
        {VK_OEM_7, XK_apostrophe},
    };
    for (const auto& [key, symbol] : Keys)
        if (key == virtualKey)
            return symbol;
    return NoSymbol;
}

bool HasXTest(Display* display) {
    int event = 0, error = 0, major = 0, minor = 0;
    return XTestQueryExtension(display, &event, &error, &major, &minor);
}

void SendThroughXTest(Display* display, const EVENTMSG& event) {
    const KeySym symbol = KeySymOf(static_cast<BYTE>(event.paramL & 0xFF));
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
    if (code == 0)
        return;
    const bool down = event.message == WM_KEYDOWN || event.message == WM_SYSKEYDOWN;
    XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
}

// ---- The running playback ----

struct Playback {
    HOOKPROC Procedure = nullptr;
    bool Running = false;
};

Playback& CurrentPlayback() {
    static Playback playback;
    return playback;
}

void Deliver(const EVENTMSG& event) {
    if (Fake())
        Fake()->Played.push_back(event);
    else if (Display* display = XDisplay())
        SendThroughXTest(display, event);
}

// Asks the procedure for its events as the system does, until it removes itself.
void PlayEvents() {
    Playback& playback = CurrentPlayback();
    while (playback.Running) {
        EVENTMSG event;
        playback.Procedure(HC_GETNEXT, 0, reinterpret_cast<LPARAM>(&event));
        if (!playback.Running)
            break;
        Deliver(event);
        playback.Procedure(HC_SKIP, 0, 0);
    }
    if (!Fake())
        if (Display* display = XDisplay())
            XFlush(display);
}

bool CanPlay() {
    if (Fake())
        return true;
    Display* display = XDisplay();
    return display && HasXTest(display);
}

HHOOK PlaybackHandle() {
    return &CurrentPlayback();
}

} // namespace

HWND GetForegroundWindow() {
    if (Fake())
        return WindowOf(Fake()->Foreground);
    Display* display = XDisplay();
    if (!display)
        return nullptr;
    const std::vector<unsigned long> active =
        ListProperty(display, DefaultRootWindow(display), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.empty() ? nullptr : WindowOf(active.front());
}

HWND GetWindow(HWND window, UINT command) {
    std::vector<uintptr_t> topFirst;
    if (Fake()) {
        for (const TestHooks::TDesktopWindow& w : Fake()->Windows)
            topFirst.push_back(w.Handle);
    } else if (Display* display = XDisplay()) {
        for (Window w : StackingTopFirst(display))
            topFirst.push_back(w);
    }
    const auto at = std::find(topFirst.begin(), topFirst.end(), HandleValue(window));
    if (at == topFirst.end())
        return nullptr;
    if (command == GW_HWNDPREV)
        return at == topFirst.begin() ? nullptr : WindowOf(*(at - 1));
    if (command == GW_HWNDNEXT)
        return at + 1 == topFirst.end() ? nullptr : WindowOf(*(at + 1));
    return nullptr;
}

String GetWindowTextA(HWND window, int maxCount) {
    String title;
    if (Fake()) {
        if (const TestHooks::TDesktopWindow* w = FakeWindow(window))
            title = w->Title;
    } else if (Display* display = XDisplay()) {
        title = XWindowTitle(display, HandleValue(window));
    }
    return title.substr(0, maxCount > 0 ? maxCount - 1 : 0);
}

BOOL IsWindowVisible(HWND window) {
    if (Fake()) {
        const TestHooks::TDesktopWindow* w = FakeWindow(window);
        return w && w->Visible;
    }
    Display* display = XDisplay();
    return display &&
           (XMapped(display, HandleValue(window)) || XIconic(display, HandleValue(window)));
}

BOOL IsIconic(HWND window) {
    if (Fake()) {
        const TestHooks::TDesktopWindow* w = FakeWindow(window);
        return w && w->Iconic;
    }
    Display* display = XDisplay();
    return display && XIconic(display, HandleValue(window));
}

BOOL ShowWindow(HWND window, int command) {
    if (Fake())
        return RecordFakeCall(
            "ShowWindow(" + IntToStr(HandleValue(window)) + ", " + IntToStr(command) + ")", window);
    Display* display = XDisplay();
    return display && command == SW_RESTORE && XActivate(display, HandleValue(window));
}

namespace {
BOOL BringToFront(const String& call, HWND window) {
    if (Fake()) {
        RecordFakeCall(call + "(" + IntToStr(HandleValue(window)) + ")", window);
        const TestHooks::TDesktopWindow* w = FakeWindow(window);
        return w && !w->RefusesFront;
    }
    Display* display = XDisplay();
    return display && XActivate(display, HandleValue(window));
}
} // namespace

BOOL BringWindowToTop(HWND window) {
    return BringToFront("BringWindowToTop", window);
}

BOOL SetForegroundWindow(HWND window) {
    return BringToFront("SetForegroundWindow", window);
}

HWND SetFocus(HWND window) {
    if (Fake()) {
        RecordFakeCall("SetFocus(" + IntToStr(HandleValue(window)) + ")", window);
        return WindowOf(Fake()->Foreground);
    }
    Display* display = XDisplay();
    if (!display)
        return nullptr;
    Window previous = 0;
    int revert = 0;
    XErrorGuard guard(display);
    XGetInputFocus(display, &previous, &revert);
    XSetInputFocus(display, HandleValue(window), RevertToParent, CurrentTime);
    return WindowOf(previous);
}

void Sleep(DWORD milliseconds) {
    if (Fake())
        Fake()->Calls.push_back("Sleep(" + IntToStr(static_cast<int>(milliseconds)) + ")");
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

short VkKeyScanA(char character) {
    const unsigned char c = static_cast<unsigned char>(character);
    if (c >= 'a' && c <= 'z')
        return static_cast<short>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z')
        return static_cast<short>(0x100 | c);
    if (c >= '0' && c <= '9')
        return static_cast<short>(c);
    // The other keys of a US keyboard, each with what it types plain and with Shift.
    static const struct {
        char Plain, Shifted;
        BYTE Key;
    } Keys[] = {
        {' ', 0, VK_SPACE},
        {'`', '~', VK_OEM_3},
        {'-', '_', VK_OEM_MINUS},
        {'=', '+', VK_OEM_PLUS},
        {'[', '{', VK_OEM_4},
        {']', '}', VK_OEM_6},
        {'\\', '|', VK_OEM_5},
        {';', ':', VK_OEM_1},
        {'\'', '"', VK_OEM_7},
        {',', '<', VK_OEM_COMMA},
        {'.', '>', VK_OEM_PERIOD},
        {'/', '?', VK_OEM_2},
        {0, ')', '0'},
        {0, '!', '1'},
        {0, '@', '2'},
        {0, '#', '3'},
        {0, '$', '4'},
        {0, '%', '5'},
        {0, '^', '6'},
        {0, '&', '7'},
        {0, '*', '8'},
        {0, '(', '9'},
        {'\t', 0, VK_TAB},
        {'\r', 0, VK_RETURN},
        {'\b', 0, VK_BACK},
        {27, 0, VK_ESCAPE},
    };
    for (const auto& key : Keys) {
        if (key.Plain && c == static_cast<unsigned char>(key.Plain))
            return key.Key;
        if (key.Shifted && c == static_cast<unsigned char>(key.Shifted))
            return static_cast<short>(0x100 | key.Key);
    }
    if (c == '\n')
        return static_cast<short>(0x200 | VK_RETURN); // Ctrl+Enter, as Windows has it
    return -1;
}

UINT MapVirtualKeyA(UINT code, UINT mapType) {
    if (mapType != MAPVK_VK_TO_VSC)
        return 0;
    // Scan codes of set 1, row by row of a US keyboard.
    static const char Letters[] = "QWERTYUIOP\0\0\0\0ASDFGHJKL\0\0\0\0\0ZXCVBNM";
    for (UINT i = 0; i < sizeof(Letters) - 1; ++i)
        if (Letters[i] && static_cast<UINT>(Letters[i]) == code)
            return 0x10 + i;
    if (code >= '1' && code <= '9')
        return 0x02 + (code - '1');
    if (code >= VK_F1 && code <= VK_F1 + 9)
        return 0x3B + (code - VK_F1);
    if (code >= VK_F1 + 12 && code <= VK_F1 + 15)
        return 0x64 + (code - VK_F1 - 12);
    static const std::pair<UINT, UINT> Keys[] = {
        {'0', 0x0B},           {VK_ESCAPE, 0x01},   {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D},
        {VK_BACK, 0x0E},       {VK_TAB, 0x0F},      {VK_OEM_4, 0x1A},     {VK_OEM_6, 0x1B},
        {VK_RETURN, 0x1C},     {VK_CONTROL, 0x1D},  {VK_OEM_1, 0x27},     {VK_OEM_7, 0x28},
        {VK_OEM_3, 0x29},      {VK_SHIFT, 0x2A},    {VK_OEM_5, 0x2B},     {VK_OEM_COMMA, 0x33},
        {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},    {VK_MENU, 0x38},      {VK_SPACE, 0x39},
        {VK_CAPITAL, 0x3A},    {VK_F1 + 10, 0x57},  {VK_F1 + 11, 0x58},   {VK_NUMLOCK, 0x45},
        {VK_SCROLL, 0x46},     {VK_CANCEL, 0x46},   {VK_HOME, 0x47},      {VK_UP, 0x48},
        {VK_PRIOR, 0x49},      {VK_SUBTRACT, 0x4A}, {VK_LEFT, 0x4B},      {VK_CLEAR, 0x4C},
        {VK_RIGHT, 0x4D},      {VK_ADD, 0x4E},      {VK_END, 0x4F},       {VK_DOWN, 0x50},
        {VK_NEXT, 0x51},       {VK_INSERT, 0x52},   {VK_DELETE, 0x53},    {VK_SNAPSHOT, 0x54},
        {VK_LWIN, 0x5B},       {VK_RWIN, 0x5C},     {VK_APPS, 0x5D},
    };
    for (const auto& [key, scan] : Keys)
        if (key == code)
            return scan;
    return 0;
}

DWORD GetTickCount() {
    using namespace std::chrono;
    return static_cast<DWORD>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

HHOOK SetWindowsHookExA(int idHook, HOOKPROC procedure, HINSTANCE, DWORD) {
    Playback& playback = CurrentPlayback();
    if (idHook != WH_JOURNALPLAYBACK || !procedure || playback.Running || !CanPlay())
        return nullptr;
    playback = {procedure, true};
    // The system asks for the events once the caller is back in its message loop.
    QTimer::singleShot(0, qGuiApp, PlayEvents);
    return PlaybackHandle();
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    Playback& playback = CurrentPlayback();
    if (hook != PlaybackHandle() || !playback.Running)
        return false;
    playback.Running = false;
    return true;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) {
    return 0; // no other hook is chained behind a playback here
}

namespace TestHooks {

void FakeDesktop(std::vector<TDesktopWindow> windowsTopFirst, uintptr_t foreground) {
    Fake() = FakeDesktopState{std::move(windowsTopFirst), foreground, {}, {}};
}

void EndFakeDesktop() {
    Fake().reset();
}

const std::vector<String>& DesktopCalls() {
    static const std::vector<String> none;
    return Fake() ? Fake()->Calls : none;
}

const std::vector<EVENTMSG>& PlayedKeys() {
    static const std::vector<EVENTMSG> none;
    return Fake() ? Fake()->Played : none;
}

} // namespace TestHooks
