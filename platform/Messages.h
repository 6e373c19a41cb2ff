#pragma once
// Window messages as the program's units send and handle them: the system's WM_ and EM_ numbers,
// the framework's CM_ notifications, key codes, message-box flags and help commands.

#include <cstdint>

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT = unsigned int;
using WORD = uint16_t;
using DWORD = uint32_t;
using BYTE = uint8_t;
using BOOL = int;

// A window handle names a windowed control; it is never dereferenced, only looked up.
struct HWND__;
using HWND = HWND__*;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

constexpr WORD LOWORD(uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<uint32_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr int32_t MAKELONG(int low, int high) {
    return static_cast<int32_t>(static_cast<uint32_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
// Mouse coordinates packed into LParam are signed 16-bit values.
constexpr int GET_X_LPARAM(LPARAM lParam) {
    return static_cast<int16_t>(lParam & 0xFFFF);
}
constexpr int GET_Y_LPARAM(LPARAM lParam) {
    return static_cast<int16_t>((lParam >> 16) & 0xFFFF);
}

enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETTEXT = 0x000C,
    WM_GETTEXT = 0x000D,
    WM_GETTEXTLENGTH = 0x000E,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ERASEBKGND = 0x0014,
    WM_SYSCOLORCHANGE = 0x0015,
    WM_SHOWWINDOW = 0x0018,
    WM_WININICHANGE = 0x001A,
    WM_ACTIVATEAPP = 0x001C,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021,
    WM_GETMINMAXINFO = 0x0024,
    WM_NEXTDLGCTL = 0x0028, // to a form: focus the next control (WParam 0) or the previous one
    WM_WINDOWPOSCHANGING = 0x0046,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_HELP = 0x0053,
    WM_CONTEXTMENU = 0x007B,
    WM_NCCALCSIZE = 0x0083,
    WM_NCHITTEST = 0x0084,
    WM_NCPAINT = 0x0085,
    WM_NCACTIVATE = 0x0086,
    WM_GETDLGCODE = 0x0087,
    WM_NCMOUSEMOVE = 0x00A0,
    WM_NCLBUTTONDOWN = 0x00A1,
    WM_NCLBUTTONUP = 0x00A2,
    WM_NCRBUTTONDOWN = 0x00A4,
    WM_NCRBUTTONUP = 0x00A5,
    WM_NCLBUTTONDBLCLK = 0x00A3,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCHAR = 0x0106,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_INITMENU = 0x0116,
    WM_INITMENUPOPUP = 0x0117,
    WM_MENUSELECT = 0x011F,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_PARENTNOTIFY = 0x0210,
    WM_ENTERMENULOOP = 0x0211,
    WM_EXITMENULOOP = 0x0212,
    WM_SIZING = 0x0214,
    WM_CAPTURECHANGED = 0x0215,
    WM_MOVING = 0x0216,
    WM_DROPFILES = 0x0233,
    WM_CUT = 0x0300,
    WM_COPY = 0x0301,
    WM_PASTE = 0x0302,
    WM_CLEAR = 0x0303,
    WM_UNDO = 0x0304,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
};

// The framework's component notifications.
enum : UINT {
    CM_BASE = 0xB000,
    CM_ACTIVATE = 0xB000,
    CM_DEACTIVATE = 0xB001,
    CM_DIALOGCHAR = 0xB006,
    // A dialog key (Return, Escape) that the control it was pressed in left to its form; WParam
    // is the key. A control that acts on it answers non-zero.
    CM_DIALOGKEY = 0xB007,
    CM_VISIBLECHANGED = 0xB00B,
    CM_ENABLEDCHANGED = 0xB00C,
    CM_COLORCHANGED = 0xB00D,
    CM_FONTCHANGED = 0xB00E,
    CM_TEXTCHANGED = 0xB012,
    CM_MOUSEENTER = 0xB013,
    CM_MOUSELEAVE = 0xB014,
    CM_BUTTONPRESSED = 0xB018,
    // To a windowed control that its form gives the focus to, or takes it from.
    CM_ENTER = 0xB01A,
    CM_EXIT = 0xB01B,
    // To a top-level window: show help for a control in it; WParam is the help command, LParam
    // its data (the topic number).
    CM_INVOKEHELP = 0xB01F,
    CM_RELEASE = 0xB021,
    CM_SYSCOLORCHANGE = 0xB024,
    CM_CONTROLLISTCHANGE = 0xB02C,
    // To a top-level window (a form) from the controls inside it, whose focus, keys, menus,
    // hints and help it looks after; LParam is the control concerned unless said otherwise.
    CM_FOCUSCHANGED = 0xB040,   // the control is getting the focus
    CM_CONTROLREMOVED = 0xB041, // the control left its parent, with its children
    // LParam points to a key message (WM_KEYDOWN, WM_KEYUP, WM_CHAR...) of a control inside:
    // non-zero when the window took the key first, as its KeyPreview asks.
    CM_PREVIEWKEY = 0xB042,
    CM_MENUKEY = 0xB043, // WParam: a key down in the control; non-zero when a menu item ran
    // WParam: the control, LParam: the screen point of its WM_CONTEXTMENU; non-zero when a
    // popup menu showed.
    CM_CONTEXTPOPUP = 0xB044,
    CM_HINTCONTROL = 0xB045, // the mouse entered the control, or left it (LParam 0)
    // Notifications reflected back to the control that caused them.
    CN_BASE = 0xBC00,
    CN_COMMAND = CN_BASE + WM_COMMAND,
};

// Edit and rich-edit requests. Positions are 0-based byte indexes into the control's text.
enum : UINT {
    EM_GETSEL = 0x00B0,
    EM_SETSEL = 0x00B1,
    EM_LINESCROLL = 0x00B6,
    EM_SCROLLCARET = 0x00B7,
    EM_GETMODIFY = 0x00B8,
    EM_SETMODIFY = 0x00B9,
    EM_GETLINECOUNT = 0x00BA,
    EM_LINEINDEX = 0x00BB,
    EM_LINELENGTH = 0x00C1,
    EM_REPLACESEL = 0x00C2,
    EM_CANUNDO = 0x00C6,
    EM_UNDO = 0x00C7,
    EM_LINEFROMCHAR = 0x00C9,
    EM_EMPTYUNDOBUFFER = 0x00CD,
    EM_GETFIRSTVISIBLELINE = 0x00CE,
    EM_SETREADONLY = 0x00CF,
    EM_CHARFROMPOS = 0x00D7,
    EM_EXGETSEL = 0x0434,
    EM_EXLIMITTEXT = 0x0435,
    EM_EXLINEFROMCHAR = 0x0436,
    EM_EXSETSEL = 0x0437,
    EM_FINDTEXT = 0x0438,
    EM_FORMATRANGE = 0x0439,
};

// What a control answers to WM_GETDLGCODE: the keys it keeps from the dialog handling.
enum : LRESULT {
    DLGC_WANTARROWS = 0x0001,
    DLGC_WANTTAB = 0x0002,
    DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTCHARS = 0x0080,
};

// WParam of WM_ACTIVATE.
enum : WPARAM { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// WParam of WM_SIZE.
enum : WPARAM { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// Button and key state in WParam of the mouse messages.
enum : WPARAM {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// WParam of WM_SYSCOMMAND.
enum : WPARAM {
    SC_SIZE = 0xF000,
    SC_MOVE = 0xF010,
    SC_MINIMIZE = 0xF020,
    SC_MAXIMIZE = 0xF030,
    SC_CLOSE = 0xF060,
    SC_KEYMENU = 0xF100,
    SC_RESTORE = 0xF120,
};

// Virtual key codes. Letters and digits are their upper-case ASCII codes ('A', '0').
enum : WORD {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_CANCEL = 0x03,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SELECT = 0x29,
    VK_PRINT = 0x2A,
    VK_EXECUTE = 0x2B,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_HELP = 0x2F,
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD1 = 0x61,
    VK_NUMPAD2 = 0x62,
    VK_NUMPAD3 = 0x63,
    VK_NUMPAD4 = 0x64,
    VK_NUMPAD5 = 0x65,
    VK_NUMPAD6 = 0x66,
    VK_NUMPAD7 = 0x67,
    VK_NUMPAD8 = 0x68,
    VK_NUMPAD9 = 0x69,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SEPARATOR = 0x6C,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
    VK_F6 = 0x75,
    VK_F7 = 0x76,
    VK_F8 = 0x77,
    VK_F9 = 0x78,
    VK_F10 = 0x79,
    VK_F11 = 0x7A,
    VK_F12 = 0x7B,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_LSHIFT = 0xA0,
    VK_RSHIFT = 0xA1,
    VK_LCONTROL = 0xA2,
    VK_RCONTROL = 0xA3,
    VK_LMENU = 0xA4,
    VK_RMENU = 0xA5,
    VK_OEM_1 = 0xBA,      // ;:
    VK_OEM_PLUS = 0xBB,   // =+
    VK_OEM_COMMA = 0xBC,  // ,<
    VK_OEM_MINUS = 0xBD,  // -_
    VK_OEM_PERIOD = 0xBE, // .>
    VK_OEM_2 = 0xBF,      // /?
    VK_OEM_3 = 0xC0,      // `~
    VK_OEM_4 = 0xDB,      // [{
    VK_OEM_5 = 0xDC,      // backslash |
    VK_OEM_6 = 0xDD,      // ]}
    VK_OEM_7 = 0xDE,      // '"
};

// Message-box buttons, icons and default button, and the answers.
enum : UINT {
    MB_OK = 0x0000,
    MB_OKCANCEL = 0x0001,
    MB_ABORTRETRYIGNORE = 0x0002,
    MB_YESNOCANCEL = 0x0003,
    MB_YESNO = 0x0004,
    MB_RETRYCANCEL = 0x0005,
    MB_TYPEMASK = 0x000F,
    MB_ICONHAND = 0x0010,
    MB_ICONERROR = 0x0010,
    MB_ICONSTOP = 0x0010,
    MB_ICONQUESTION = 0x0020,
    MB_ICONEXCLAMATION = 0x0030,
    MB_ICONWARNING = 0x0030,
    MB_ICONASTERISK = 0x0040,
    MB_ICONINFORMATION = 0x0040,
    MB_ICONMASK = 0x00F0,
    MB_DEFBUTTON1 = 0x0000,
    MB_DEFBUTTON2 = 0x0100,
    MB_DEFBUTTON3 = 0x0200,
    MB_DEFMASK = 0x0F00,
    MB_APPLMODAL = 0x0000,
    MB_SYSTEMMODAL = 0x1000,
    MB_TASKMODAL = 0x2000,
    MB_SETFOREGROUND = 0x10000,
    MB_TOPMOST = 0x40000,
};

enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

// Help-viewer commands.
enum : UINT {
    HELP_CONTEXT = 0x0001,
    HELP_QUIT = 0x0002,
    HELP_CONTENTS = 0x0003,
    HELP_INDEX = 0x0003,
    HELP_HELPONHELP = 0x0004,
    HELP_SETCONTENTS = 0x0005,
    HELP_CONTEXTPOPUP = 0x0008,
    HELP_FORCEFILE = 0x0009,
    HELP_FINDER = 0x000B,
    HELP_KEY = 0x0101,
    HELP_COMMAND = 0x0102,
    HELP_PARTIALKEY = 0x0105,
};
