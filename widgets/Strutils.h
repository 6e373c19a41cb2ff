#pragma once
// String routines of the widget units.

#include "platform/SysUtils.h"

#include <bitset>

// A set of 8-bit characters.
using TCharSet = std::bitset<256>;
TCharSet CharSetOf(const String& chars);

// Whether every character of text is in the set (true for an empty text).
bool AllCharsInSet(const String& text, const TCharSet& chars);
// Every occurrence of search replaced, the search going on after each replacement (so a
// replacement is never searched again); an empty search leaves the text as it is.
String ReplaceAllText(const String& text, const String& search, const String& replacement);
// count copies of the character; empty for a count of 0 or less.
String RepeatChar(char character, int count);
