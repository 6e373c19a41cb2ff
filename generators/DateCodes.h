#pragma once
// The text work of the date/time dialog, apart from its controls: building a published code and
// its actual text piece by piece and taking the last piece off again, the time-zone words, the
// quick choice in the code list, and the stored form of a replace code's text.

#include "platform/Classes.h"
#include "platform/SysUtils.h"

// "BST" while daylight time is in force, else "GMT".
String ZoneWord();
// The local zone's name for the time in force, and its capitals ("Greenwich Mean Time" -> "GMT").
String ZoneName();
String ZoneAbbreviation();

// A code's text ends with "}}": the character before them removed (a code too short to hold one
// comes back as it is).
String WithoutCharBeforeClose(const String& code);
// The same, only when that character is a blank.
String WithoutBlankBeforeClose(const String& code);
// The piece put before the code's closing "}}" (added when missing), "{{" put in front when the
// code does not begin with "{".
String AppendToCode(const String& code, const String& piece);
// The code with " {{GMT}}" after it, its own braces closed first.
String WithZoneCode(const String& code);

// The last piece taken off, up to the separator (blank, "/", "-" or ":") before it.
String WithoutLastActualPiece(const String& text);
// The code's last piece taken off the same way, a quoted text as one piece, never into the
// leading "{{"; a text that is no code comes back as it is.
String WithoutLastCodePiece(const String& code);

// The name of a code typed with or without its braces.
String CodeNameOf(const String& published);
// The entry after current (going round, current itself last) whose name begins with key, without
// regard to case; -1 when none does.
int NextCodeStartingWith(const TStrings& codes, int current, char key);

// A replace code's text keeps its line breaks as a backslash and "n".
String EncodeLineBreaks(const String& text);
String DecodeLineBreaks(const String& text);

// Whether the publisher can expand the code of that name with this text, the other codes as the
// registry holds them; when it cannot, the publisher has told the user why.
bool ExpandsToAnEnd(const String& name, const String& text);
