#pragma once
// The JavaScript that the script wizards write, character by character, and the work on a page's
// text that places it: a head part once per page before the closing HEAD tag, a body part at the
// caret. The marker comments framing every part are the wizards' only memory of what a page
// holds, so a part whose markers were damaged by hand is refused rather than written twice.

#include "platform/SysUtils.h"

#include <utility>
#include <vector>

// A page's text with its caret (a 0-based byte index) kept in step with every insertion.
struct TPageText {
    String Text;
    int Caret = 0;

    // Puts the piece in at a 0-based position. The caret moves along when the piece lands before
    // it; a piece put in exactly at the caret moves it only when aheadOfCaret is set.
    void InsertAt(size_t position, const String& piece, bool aheadOfCaret);
    // Replaces count bytes from position; a caret inside them ends at position.
    void ReplaceAt(size_t position, size_t count, const String& piece);
};

// How a page holds a head part: not at all, whole (both markers, in order), or damaged (one
// marker without the other, or the function without its start marker).
enum class THeadState { Absent, Present, Damaged };

struct TScriptMarks {
    const char* Found;    // the text whose presence means the part is on the page
    const char* End;      // the part's last line
    const char* Function; // the definition the part holds
};

extern const TScriptMarks DropLinksMarks;
extern const TScriptMarks TimeLimitedMarks;

THeadState FindHeadPart(const String& text, const TScriptMarks& marks);

// The message for a page whose script markers were damaged: nothing is written.
extern const String DamagedScriptMessage;

// Occurrences of what in text, left to right, without overlap.
int CountOccurrences(const String& text, const String& what);
// The position of "</HEAD>" in any letter case, npos for none.
size_t FindHeadEnd(const String& text);

// ---- Drop-down link menu ----
enum TDropActivation { daButton, daText, daImage, daSelection };
enum TDropAlign { alignLeft, alignCenter, alignRight };

struct TDropMenu {
    TDropActivation Activation = daButton;
    String FormName;
    String MenuName;
    bool NewWindow = false;
    String WindowName;
    bool Border = false;
    String BorderSize;
    String Colour; // quoted, as BGCOLOR takes it
    TDropAlign Align = alignCenter;
    String ClickText;
    String ImageTag;                                // the image activation's IMG tag
    std::vector<std::pair<String, String>> Entries; // link text, URL
};

String DropLinksHeadPart();
// The menu's lines, each to be followed by CR LF.
std::vector<String> DropMenuLines(const TDropMenu& menu);
String JoinLines(const std::vector<String>& lines);

// ---- Time-limited image ----
String TimeLimitedHeadPart();
struct TTimeLimitedCall {
    int Day = 0, Month = 0, Year = 0, Period = 0;
    String Src;
    int Width = 0, Height = 0;
    String Alt;
    String Text;
};
String TimeLimitedBody(const TTimeLimitedCall& call);

// ---- Last-modified date ----
String LastModifiedBlock(const String& textBefore);

// ---- Mouse-over buttons ----
// The relative URLs of a button's three images.
struct TButtonImages {
    String Up, Down, On;
};
enum TChangeOn { changeOnMouseOver, changeOnClick, changeOnBoth };

// Whether the page holds the shared script, whole or in part.
bool HasMouseOverScript(const String& text);
// The shared script as the first button writes it, without a line break at its end.
String MouseOverScript(const TButtonImages& images);
// Whether the shared script is whole: its markers, and its three section ends between them in
// order, the up one carrying the count.
bool MouseOverScriptIsWhole(const String& text);
// Adds a button to the page's shared script, raising its count; the new button's number, or 0
// when the script's markers are damaged or missing, with the page left as it was.
int ExtendMouseOverScript(TPageText& page, const TButtonImages& images);
// Puts the shared script before the closing HEAD tag, or at the very start without one.
void InsertMouseOverScript(TPageText& page, const TButtonImages& images);

struct TMouseOverLink {
    int Button = 1;
    String URL;
    TChangeOn ChangeOn = changeOnBoth;
    String ImageTag; // the IMG tag without its closing ">"
    String LinkText;
    bool TextIsLink = true;
};
String MouseOverBody(const TMouseOverLink& link);
