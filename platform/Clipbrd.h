#pragma once
// The system clipboard as blocks of bytes under a format. Text (CF_TEXT) is 8-bit text, turned
// into the system's text and back as every widget shows it; a text block read back ends in
// exactly one zero byte, as a Windows text block does. A bitmap (CF_BITMAP) travels as a BMP
// file image; a format registered by name carries its bytes as they are.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

enum : UINT { CF_TEXT = 1, CF_BITMAP = 2 };

// The number of the named format, from 0xC000 on: the same name, in any case, gives the same
// number for the whole run; 0 for an empty name.
UINT RegisterClipboardFormat(const String& name);

// Empties the clipboard and puts the block on it, or, while the clipboard is open, adds it to
// what it will hold. A CF_TEXT block is taken up to its first zero byte.
void SetClipboardData(UINT format, const String& block);
// The block under the format; false when the clipboard holds none.
bool GetClipboardData(UINT format, String& block);

class TClipboard {
public:
    // Between Open and Close every block set is gathered, and Close puts them all on the
    // clipboard at once in place of what it held.
    void Open();
    void Close();
    // CF_TEXT: the clipboard offers text, empty or not.
    bool HasFormat(UINT format) const;
    // The clipboard's text as bytes; empty when it holds none.
    String AsText() const;
    // Puts the text on the clipboard in place of what it held.
    void SetAsText(const String& text);
};

TClipboard* Clipboard();
