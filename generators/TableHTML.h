#pragma once
// A table as the table designer holds it, and the two routines that turn it into TABLE HTML and
// read TABLE HTML back into it. They work on texts alone, so the designer, the table-from-text
// command and the tests share them.

#include "platform/SysUtils.h"
#include "widgets/Aligrid.h"

#include <vector>

// One cell of a table row, as the designer's grid keeps it.
struct TTableCell {
    String Text;
    // The cell's own alignment; alDefault when it takes its row's.
    TMyAlign Align = TMyAlign::alDefault;
    // "valign=top", "valign=middle", "valign=bottom", "valign=baseline" or empty (middle).
    String Hint;
    bool NoWrap = false;
};

struct TTableDesign {
    // Square of the 16-colour picker, -1 for no background colour.
    int BackColour = -1;
    int Width = 0;
    bool Percent = true;
    int Border = 0;
    int Padding = 0;
    int Spacing = 0;
    String Align;
    String Frame;
    String Rules;
    String Caption;
    bool Heading = false;
    int Cols = 0;
    // The grid's top row: per column empty, "WIDTH=" + a number, or "WIDTH=\"" + a number + "%\"".
    std::vector<String> Widths;
    // Per table row: alLeft, alCenter or alRight.
    std::vector<TMyAlign> RowAligns;
    std::vector<std::vector<TTableCell>> Rows;

    // Room for a cell, the column count and the rows grown to reach it.
    TTableCell& Cell(int col, int row);
    int RowCount() const { return static_cast<int>(Rows.size()); }
    // A new table: cols x rows empty cells, every row left-aligned.
    static TTableDesign Blank(int cols, int rows);
};

// The HTML names of the picker's 16 squares, in its order.
const String& TableColourName(int index);

// The designer's content as TABLE HTML; indent is put before rows and, twice, before cells
// unless compact, where each row stands on one line.
String WriteTable(const TTableDesign& design, bool compact, const String& indent);

struct TTableReading {
    bool Read = false;
    TTableDesign Design;
    // What the designer cannot hold, one line each; the caller tells the user before the page
    // changes.
    std::vector<String> Unheld;
    // The selection's text after the table element's end tag, which the table does not include.
    String After;
};

// Reads a TABLE element. Not read (Read false) when the text does not start with "<table" in
// any case or holds no row.
TTableReading ReadTable(const String& text);

// The attributes of a tag, upper-cased, with no blanks before an equals sign or after one;
// empty when the tag name is not followed by a space.
String ExtractTagAttributes(const String& text);
String RemoveBlanksAroundEquals(const String& text);
// The text without any of the characters.
String RemoveChars(const String& text, const String& characters);
// The text without the blanks and control characters at its end.
String TrimTrailingBlanks(const String& text);
// A space, a tab, a CR or an LF.
bool IsBlankChar(char c);
