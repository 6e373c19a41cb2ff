#pragma once
// How the editor and printer fonts are kept: the "Font" and "Printer Font" subkeys, the font the
// editors have when none is chosen, and the styles the editors take from a font.

#include "platform/Graphics.h"
#include "platform/Registry.h"

// Also the buttons' font when they show a plain number.
inline const char* const DefaultFontName = "MS Sans Serif";

void ReadFontSettings(const TRegistry& reg, TFont& font);
void WriteFontSettings(TRegistry& reg, const TFont& font);
TFont DefaultEditorFont();
// The default font's name and size without styles, for a text of the program's own; its colour
// stays as it is.
void GiveDefaultPlainFont(TFont& font);
// Bold, italic and underline: strike-out is not carried to the editors.
TFontStyles TagStyleBits(TFontStyles style);
