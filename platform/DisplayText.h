#pragma once
// The program's 8-bit text as widgets show it, and back, for the platform's own .cpp files.

#include "platform/SysUtils.h"

#include <QString>

// Shows 8-bit text: valid UTF-8 as UTF-8, anything else as Windows-1252 (0x80-0x9F included).
QString DisplayText(const String& text);
// Text typed or chosen in a widget back as bytes. When the shown text is what previous displays
// as, previous comes back unchanged; a Windows-1252 previous keeps that encoding where it can;
// otherwise the text is UTF-8.
String TextFromDisplay(const QString& shown, const String& previous = String());
bool IsValidUtf8(const String& text);
// One character as the 8-bit code a key press gives (Windows-1252); false when it has none.
bool CharToWindows1252(char32_t ch, char& code);
// The character a Windows-1252 code shows as.
char16_t Windows1252ToUnicode(unsigned char byte);
