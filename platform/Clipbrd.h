#pragma once
// The system clipboard as blocks of bytes under a format. Text (CF_TEXT) is 8-bit text, turned
// into the system's text and back as every widget shows it; a text block read back ends in
// exactly one zero byte, as a Windows text block does.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

enum : UINT { CF_TEXT = 1 };

// A clipboard format of the program's own, by name: the same name gives the same number, from
// 0xC000 on; 0 for an empty name. Its blocks travel as a data type of their own.
UINT RegisterClipboardFormat(const String& name);

// Empties the clipboard and puts the block on it. A CF_TEXT block is taken up to its first zero
// byte.
void SetClipboardData(UINT format, const String& block);
// The block under the format; false when the clipboard holds none.
bool GetClipboardData(UINT format, String& block);

class TClipboard {
public:
    // CF_TEXT: the clipboard offers text, empty or not.
    bool HasFormat(UINT format) const;
    // The clipboard's text as bytes; empty when it holds none.
    String AsText() const;
    // Puts the text on the clipboard in place of what it held.
    void SetAsText(const String& text);
};

TClipboard* Clipboard();
