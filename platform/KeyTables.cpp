#include "platform/KeyTables.h"

#include <QKeyEvent>

#include <utility>

namespace {

struct KeyPair {
    int QtKey;
    WORD VirtualKey;
};

// Keys whose virtual code is not simply their Qt code (letters and digits are).
constexpr KeyPair KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

// The keypad's own codes, when the key comes from the keypad.
constexpr KeyPair KeypadTable[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

// The US layout's keys and what they give with Shift.
constexpr std::pair<int, int> UsShiftedKeys[] = {
    {Qt::Key_1, Qt::Key_Exclam},
    {Qt::Key_2, Qt::Key_At},
    {Qt::Key_3, Qt::Key_NumberSign},
    {Qt::Key_4, Qt::Key_Dollar},
    {Qt::Key_5, Qt::Key_Percent},
    {Qt::Key_6, Qt::Key_AsciiCircum},
    {Qt::Key_7, Qt::Key_Ampersand},
    {Qt::Key_8, Qt::Key_Asterisk},
    {Qt::Key_9, Qt::Key_ParenLeft},
    {Qt::Key_0, Qt::Key_ParenRight},
    {Qt::Key_Comma, Qt::Key_Less},
    {Qt::Key_Period, Qt::Key_Greater},
    {Qt::Key_Slash, Qt::Key_Question},
    {Qt::Key_Semicolon, Qt::Key_Colon},
    {Qt::Key_Apostrophe, Qt::Key_QuoteDbl},
    {Qt::Key_BracketLeft, Qt::Key_BraceLeft},
    {Qt::Key_BracketRight, Qt::Key_BraceRight},
    {Qt::Key_Backslash, Qt::Key_Bar},
    {Qt::Key_QuoteLeft, Qt::Key_AsciiTilde},
    {Qt::Key_Minus, Qt::Key_Underscore},
    {Qt::Key_Equal, Qt::Key_Plus},
};

} // namespace

int UsShiftedQtKey(int qtKey) {
    for (auto [plain, shifted] : UsShiftedKeys)
        if (plain == qtKey)
            return shifted;
    return qtKey;
}

WORD VirtualKeyOf(const QKeyEvent& event) {
    int key = event.key();
    bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<WORD>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<WORD>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    if (keypad)
        for (const KeyPair& pair : KeypadTable)
            if (pair.QtKey == key)
                return pair.VirtualKey;
    for (const KeyPair& pair : KeyTable)
        if (pair.QtKey == key)
            return pair.VirtualKey;
    return 0;
}

int QtKeyOf(WORD virtualKey, bool& keypad) {
    keypad = false;
    if (virtualKey >= '0' && virtualKey <= '9')
        return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        keypad = true;
        return Qt::Key_0 + (virtualKey - VK_NUMPAD0);
    }
    if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 23)
        return Qt::Key_F1 + (virtualKey - VK_F1);
    for (const KeyPair& pair : KeypadTable)
        if (pair.VirtualKey == virtualKey) {
            keypad = true;
            return pair.QtKey;
        }
    for (const KeyPair& pair : KeyTable)
        if (pair.VirtualKey == virtualKey)
            return pair.QtKey;
    return Qt::Key_unknown;
}
