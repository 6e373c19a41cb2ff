#pragma once
// The system clipboard, as far as the program reads it: whether it offers text, and the text.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

constexpr UINT CF_TEXT = 1;

class TClipboard {
public:
    // CF_TEXT: the clipboard offers text, empty or not.
    bool HasFormat(UINT format) const;
    // The clipboard's text as bytes; empty when it holds none.
    String AsText() const;
};

TClipboard* Clipboard();
