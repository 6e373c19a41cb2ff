#include "publish/SendKeys.h"

#include "platform/Forms.h"

#include <array>

namespace {

// The module's one state: the buffer that a parse fills, the parse position, the play's state and
// the event the system asks for next.
struct KeyModule {
    std::array<BYTE, MaxKeyEvents> Buffer{};
    size_t Count = 0;
    size_t PlayIndex = 0;

    String Keys;
    size_t Position = 0;

    BYTE Current = 0;
    bool ReleasePending = false;
    bool KeyPlayedUnderAlt = false;
    bool ShiftDown = false;
    bool CtrlDown = false;
    bool AltDown = false;

    BYTE EventCode = 0;
    bool EventDown = false;
    bool EventSystem = false;
    bool FirstCall = false;
    HHOOK Hook = nullptr;
};

KeyModule& Module() {
    static KeyModule module;
    return module;
}

struct KeyName {
    const char* Name;
    BYTE Key;
};

// BREAK sends the Break key: the program's own key strings never use it.
const KeyName KeyNames[] = {
    {"CAPSLOCK", VK_CAPITAL},
    {"NUMLOCK", VK_NUMLOCK},
    {"SCROLLOCK", VK_SCROLL},
    {"ESCAPE", VK_ESCAPE},
    {"ESC", VK_ESCAPE},
    {"ENTER", VK_RETURN},
    {"HELP", VK_HELP},
    {"PRTSC", VK_SNAPSHOT},
    {"TAB", VK_TAB},
    {"BREAK", VK_CANCEL},
    {"CLEAR", VK_CLEAR},
    {"BACKSPACE", VK_BACK},
    {"BS", VK_BACK},
    {"BKSP", VK_BACK},
    {"DELETE", VK_DELETE},
    {"DEL", VK_DELETE},
    {"INSERT", VK_INSERT},
    {"DOWN", VK_DOWN},
    {"PGUP", VK_PRIOR},
    {"PGDN", VK_NEXT},
    {"HOME", VK_HOME},
    {"END", VK_END},
    {"F1", VK_F1},
    {"F2", VK_F1 + 1},
    {"F3", VK_F1 + 2},
    {"F4", VK_F1 + 3},
    {"F5", VK_F1 + 4},
    {"F6", VK_F1 + 5},
    {"F7", VK_F1 + 6},
    {"F8", VK_F1 + 7},
    {"F9", VK_F1 + 8},
    {"F10", VK_F1 + 9},
    {"F11", VK_F1 + 10},
    {"F12", VK_F1 + 11},
    {"F13", VK_F1 + 12},
    {"F14", VK_F1 + 13},
    {"F15", VK_F1 + 14},
    {"F16", VK_F1 + 15},
    {"WINLEFT", VK_LWIN},
    {"WINRIGHT", VK_RWIN},
    {"WINAPPS", VK_APPS},
    {"KEYPADPLUS", VK_ADD},
    {"KEYPADMINUS", VK_SUBTRACT},
    {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT},
    {"UP", VK_UP},
};

constexpr size_t MaxKeyNameLength = 15;
constexpr BYTE KeyStringEnter = 0xAC;
constexpr short ShiftBit = 0x100;

int Append(BYTE code) {
    KeyModule& m = Module();
    if (m.Count >= MaxKeyEvents)
        return skBufferFull;
    m.Buffer[m.Count++] = code;
    return skOK;
}

// The key, count times, with Shift around the whole run when the key needs it.
int AppendKey(short keyScan, int count = 1) {
    const BYTE code = static_cast<BYTE>(keyScan & 0xFF);
    const bool shifted = (keyScan & ShiftBit) != 0;
    if (shifted)
        if (int error = Append(VK_SHIFT))
            return error;
    for (int i = 0; i < count; ++i)
        if (int error = Append(code))
            return error;
    return shifted ? Append(VK_SHIFT) : skOK;
}

int ParseKeyItem();

int ParseModified(BYTE modifier) {
    if (int error = Append(modifier))
        return error;
    if (int error = ParseKeyItem())
        return error;
    return Append(modifier);
}

int ParseGroup() {
    KeyModule& m = Module();
    for (;;) {
        if (m.Position >= m.Keys.size())
            return skMissingParen;
        if (m.Keys[m.Position] == ')') {
            ++m.Position;
            return skOK;
        }
        if (int error = ParseKeyItem())
            return error;
    }
}

// A key name of the table, or one character's key; -1 when no key answers to it.
short KeyScanOfName(const String& name) {
    if (name.size() > MaxKeyNameLength)
        return -1;
    if (const BYTE key = KeyStrokes::KeyNameToVirtualKey(name))
        return key;
    return name.size() == 1 ? VkKeyScanA(name[0]) : -1;
}

// "{" was read: a name up to a blank or "}", then an optional repeat count, then "}".
int ParseBraced() {
    KeyModule& m = Module();
    const size_t start = m.Position;
    if (m.Position < m.Keys.size() && m.Keys[m.Position] == '}')
        ++m.Position; // "{}}" names the brace itself
    const size_t end = m.Keys.find_first_of(" }", m.Position);
    if (end == String::npos)
        return skMissingBrace;
    const short keyScan = KeyScanOfName(m.Keys.substr(start, end - start));
    if (keyScan == -1)
        return skUnknownKey;
    int count = 1;
    m.Position = end;
    if (m.Keys[end] == ' ') {
        const size_t close = m.Keys.find('}', end);
        if (close == String::npos)
            return skMissingBrace;
        count = StrToIntDef(m.Keys.substr(end + 1, close - end - 1), 0);
        if (count < 1)
            return skZeroCount;
        m.Position = close;
    }
    ++m.Position;
    return AppendKey(keyScan, count);
}

int ParseKeyItem() {
    KeyModule& m = Module();
    if (m.Position >= m.Keys.size())
        return skOK;
    const unsigned char c = static_cast<unsigned char>(m.Keys[m.Position++]);
    switch (c) {
    case '+':
        return ParseModified(VK_SHIFT);
    case '^':
        return ParseModified(VK_CONTROL);
    case '%':
        return ParseModified(VK_MENU);
    case '(':
        return ParseGroup();
    case '{':
        return ParseBraced();
    case KeyStringEnter:
        return Append(VK_RETURN);
    default: {
        // A character that no key types would be played as a key that does not exist.
        const short keyScan = VkKeyScanA(static_cast<char>(c));
        return keyScan == -1 ? skUnknownKey : AppendKey(keyScan);
    }
    }
}

bool FetchEvent() {
    KeyModule& m = Module();
    return KeyStrokes::NextPlaybackEvent(m.EventCode, m.EventDown, m.EventSystem);
}

void RemoveHook() {
    KeyModule& m = Module();
    UnhookWindowsHookEx(m.Hook);
    m.Hook = nullptr;
}

void FillEvent(EVENTMSG& event) {
    const KeyModule& m = Module();
    event.message = m.EventSystem ? (m.EventDown ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                  : (m.EventDown ? WM_KEYDOWN : WM_KEYUP);
    event.paramL = (MapVirtualKeyA(m.EventCode, MAPVK_VK_TO_VSC) & 0xFF) * 256 + m.EventCode;
    event.paramH = 1;
    event.time = GetTickCount();
}

} // namespace

namespace KeyStrokes {

int ParseKeyString(const String& keys) {
    KeyModule& m = Module();
    m.Count = 0;
    m.Keys = keys;
    m.Position = 0;
    while (m.Position < m.Keys.size())
        if (int error = ParseKeyItem())
            return error;
    return skOK;
}

std::vector<BYTE> ParsedKeyCodes() {
    const KeyModule& m = Module();
    return {m.Buffer.begin(), m.Buffer.begin() + m.Count};
}

BYTE KeyNameToVirtualKey(const String& name) {
    for (const KeyName& key : KeyNames)
        if (SameText(name, key.Name))
            return key.Key;
    return 0;
}

void ResetPlayback() {
    KeyModule& m = Module();
    m.PlayIndex = 0;
    m.Current = 0;
    m.ReleasePending = false;
    m.KeyPlayedUnderAlt = false;
    m.ShiftDown = m.CtrlDown = m.AltDown = false;
    m.EventCode = 0;
    m.EventDown = m.EventSystem = false;
}

bool NextPlaybackEvent(BYTE& code, bool& down, bool& system) {
    KeyModule& m = Module();
    if (m.ReleasePending) {
        code = m.Current;
        down = false;
        m.ReleasePending = false;
        m.Current = 0;
        system = m.AltDown && !m.CtrlDown;
        return true;
    }
    if (m.PlayIndex >= m.Count)
        return false;
    m.Current = m.Buffer[m.PlayIndex++];
    code = m.Current;
    switch (m.Current) {
    case VK_SHIFT:
        down = m.ShiftDown = !m.ShiftDown;
        break;
    case VK_CONTROL:
        down = m.CtrlDown = !m.CtrlDown;
        break;
    case VK_MENU:
        down = m.AltDown = !m.AltDown;
        if (m.AltDown)
            m.KeyPlayedUnderAlt = false;
        break;
    default:
        down = true;
        m.ReleasePending = true;
        m.KeyPlayedUnderAlt = true;
    }
    system = m.AltDown && !m.CtrlDown;
    if (m.Current == VK_MENU && !m.AltDown)
        system = !m.KeyPlayedUnderAlt && !m.CtrlDown;
    return true;
}

} // namespace KeyStrokes

LRESULT JrnlPlayBackHook(int code, WPARAM wParam, LPARAM lParam) {
    KeyModule& m = Module();
    if (m.FirstCall) {
        m.FirstCall = false;
        FetchEvent();
    }
    switch (code) {
    case HC_GETNEXT:
        FillEvent(*reinterpret_cast<EVENTMSG*>(lParam));
        return 0;
    case HC_SKIP:
        if (!FetchEvent())
            RemoveHook();
        return 0;
    case HC_SYSMODALON: {
        const HHOOK hook = m.Hook;
        RemoveHook();
        return CallNextHookEx(hook, code, wParam, lParam);
    }
    default:
        return CallNextHookEx(m.Hook, code, wParam, lParam);
    }
}

int SendKeys(const String& keys) {
    KeyModule& m = Module();
    // A second call while one plays (from a message processed meanwhile) would overwrite the
    // buffer that is being played.
    if (m.Hook)
        return skNoPlayback;
    if (int error = KeyStrokes::ParseKeyString(keys))
        return error;
    if (m.Count == 0)
        return skOK;
    KeyStrokes::ResetPlayback();
    m.FirstCall = true;
    m.Hook = SetWindowsHookExA(WH_JOURNALPLAYBACK, JrnlPlayBackHook, nullptr, 0);
    if (!m.Hook)
        return skNoPlayback;
    while (m.Hook)
        Application->ProcessMessages();
    return skOK;
}
