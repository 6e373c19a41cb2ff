#pragma once
// The rewrites of a page's text that the Edit menu and the tag bar offer, as plain text routines:
// each takes the text (CR LF line ends, 8-bit bytes) and gives the rewritten text, in one pass,
// so a page of any size is rewritten at once and a byte outside the change never moves.

#include "platform/SysUtils.h"

#include <string_view>

namespace TextTransforms {

enum class TCaseMode { Upper, Lower, Sentence, InitialCaps, Toggle };

// UPPER and lower case change every letter; the other modes touch only "A" to "Z" and "a" up to
// code 127, everything else (bytes of 128 and above too) stays.
String ChangeCase(std::string_view text, TCaseMode mode);

// Tag names, attribute names and unquoted values in the case asked for; double-quoted values,
// text between tags and comments stay as they are.
String ChangeTagCase(std::string_view text, bool upper);

// Whole lines (no final line end): each line that is not empty gains a tab in front, or loses a
// leading tab; count receives the number of tabs added or removed. The result gives every line
// a CR LF after it.
String IndentLines(std::string_view lines, int& count);
String UnindentLines(std::string_view lines, int& count);

// Leading blanks and tabs gone; a tab right after a blank dropped, any other tab made a blank.
String RemoveIndents(std::string_view text);

// "#" put in front of each line, or taken from the front of the lines that start with one.
String CommentLines(std::string_view lines);
String UncommentLines(std::string_view lines);

// "<", ">" and "&" written as "&lt;", "&gt;" and "&amp;", with "<BR>" after each line when
// asked; the text's final line end, or its lack, is kept.
String AnglesToCodes(std::string_view text, bool addBreaks);
// Back again: "&lt;", "&gt;" and "&amp;" exactly in lower case; "<BR>" exactly in upper case is
// dropped when asked.
String CodesToAngles(std::string_view text, bool dropBreaks);

// Every run of empty lines loses one line, except a run that ends the text; each kept line is
// followed by CR LF.
String RemoveBlankLines(std::string_view text);

// Comments removed outside SCRIPT and STYLE blocks, tags found without regard to case.
String RemoveComments(std::string_view text);

// The number of tabs the line starts with.
int LeadingTabs(std::string_view line);

} // namespace TextTransforms
