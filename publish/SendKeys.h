#pragma once
// Keystrokes played into whatever window has the keyboard focus, from a key string:
//   + ^ %      Shift, Ctrl or Alt held for the one item that follows ("^o", "+(ab)")
//   ( ... )    a group of items
//   {NAME n}   a named key ({ENTER}, {F5}, {TAB 3}) or one character ({a}, {}} for "}"),
//              n times
//   0xAC       Enter
//   other      the character's own key, with Shift where it needs it
// The module holds one playback at a time.

#include "platform/KeyPlayback.h"

#include <vector>

enum TSendKeysError : int {
    skOK = 0,
    skMissingBrace = 1, // a "{" without a closing "}"
    skUnknownKey = 2,   // a key name (or a character) that no key types
    skMissingParen = 3, // a "(" without a closing ")"
    skZeroCount = 4,    // a repeat count of 0
    skBufferFull = 5,   // more key codes than the event buffer holds
    skNoPlayback = 6,   // the playback could not be installed
};

// The event buffer's size in key codes.
constexpr size_t MaxKeyEvents = 1024;

// Parses the whole string, then plays it and returns when the playback has ended; the calling
// thread's messages are processed meanwhile. Nothing is played when the string has an error.
int SendKeys(const String& keys);

// The journal-playback procedure that the system asks for the parsed events.
LRESULT JrnlPlayBackHook(int code, WPARAM wParam, LPARAM lParam);

// The steps of SendKeys, open for testing the key strings and the events they make.
namespace KeyStrokes {
// Fills the event buffer from the string; the first error, or 0.
int ParseKeyString(const String& keys);
// The key codes the last parse stored, in play order.
std::vector<BYTE> ParsedKeyCodes();
// The named key's virtual key (names without regard to case); 0 for an unknown name.
BYTE KeyNameToVirtualKey(const String& name);
// Starts the play of the buffer from its first code.
void ResetPlayback();
// The next event of the play: the key, whether it goes down, and whether it is a system key
// event (Alt held without Ctrl); false when every code was played.
bool NextPlaybackEvent(BYTE& code, bool& down, bool& system);
} // namespace KeyStrokes
