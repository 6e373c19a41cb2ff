#pragma once
// What the list dialog writes and shows: the list's HTML from the rows of its grid, the item
// numbers it previews beside them and the start number in the list type's own form.

#include "platform/SysUtils.h"

#include <vector>

enum class TListKind { Unordered, Ordered, Definition, Menu, Directory };

struct TListChoice {
    TListKind Kind = TListKind::Unordered;
    char Bullet = 'D'; // unordered lists: 'D'isc (no TYPE), 'C'ircle, 'S'quare
    char Type = '1';   // ordered lists: '1', 'i', 'I', 'a' or 'A'
    int Start = 1;     // ordered lists: written when above 1
    bool Compact = false;
};

// One row of the grid: the term (definition lists) and the item text.
struct TListRow {
    String Term;
    String Item;
};

// The whole list, each row on a line of its own after tab, ended by a line break.
String ListText(const TListChoice& choice, const std::vector<TListRow>& rows, const String& tab);

// The upper-case Roman numeral of 1 to 50; "" outside.
String RomanNumeral(int n);
// The number shown beside item n (1 to 199) of an ordered list of the type.
String PreviewLabel(char type, int n);
// The start number s as the start box shows it for the type.
String StartLabel(char type, int s);
