#pragma once
// Scanning a page for texts. A page of several megabytes is scanned by every colouring, rewrite
// and publishing step, so the searches go through the C library's fast routines, and the finders
// remember their last answer: a pass that asks for the next occurrence again and again stays
// within one reading of the page.

#include "platform/SysUtils.h"

#include <cstring>
#include <string_view>

// The small searches are inline: the publishing steps ask them of every tag of the page.

// The first c at or after from; npos when there is none.
inline size_t FindChar(std::string_view text, char c, size_t from) {
    if (from >= text.size())
        return String::npos;
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit == nullptr ? String::npos
                          : static_cast<size_t>(static_cast<const char*>(hit) - text.data());
}
// The first occurrence of the needle at or after from; npos when there is none (or it is empty).
size_t FindText(std::string_view text, std::string_view needle, size_t from);
// Whether the text at `at` reads upperNeedle, its letters in either case; the needle is written
// in upper case.
inline bool MatchesIgnoringCaseAt(std::string_view text, size_t at, std::string_view upperNeedle) {
    if (at > text.size() || text.size() - at < upperNeedle.size())
        return false;
    for (size_t i = 0; i < upperNeedle.size(); ++i)
        if (UpCase(text[at + i]) != upperNeedle[i])
            return false;
    return true;
}
// The first place at or after from where the text reads upperNeedle in either case.
size_t FindIgnoringCase(std::string_view text, std::string_view upperNeedle, size_t from);
// Whether a tag's name ends at `at`: a blank, a line end, "/" or ">" stands there.
inline bool EndsTagName(std::string_view text, size_t at) {
    if (at >= text.size())
        return false;
    const char c = text[at];
    return c == ' ' || c == '\t' || c == '\f' || c == '\r' || c == '\n' || c == '/' || c == '>';
}

// The first occurrence at or after a position. Asked again from a position between the last
// start and the last answer, it answers without reading; only the text from the position asked
// for onward must be as it was, so a pass that rewrites what it has passed may keep using it.
class TForwardFinder {
public:
    enum TMatch {
        mExact,
        // upper-case needle, letters of the text in either case
        mIgnoringCase,
        // as mIgnoringCase, and only where the needle is followed by the end of a tag name
        mTagName
    };

    // The text is read through the string, which may change before the positions asked for.
    TForwardFinder(const String& text, std::string_view needle, TMatch match = mExact)
        : FText(&text), FNeedle(needle), FMatch(match) {}

    // Inline, and searching through a function that is given no finder: a finder that is a
    // member of a step's state leaves the step's other members in registers.
    size_t Next(size_t from) {
        if (!FKnown || from < FFrom || (FFound != String::npos && from > FFound)) {
            FFrom = from;
            FFound = Search(*FText, FNeedle, FMatch, from);
            FKnown = true;
        }
        return FFound;
    }

private:
    static size_t Search(std::string_view text, std::string_view needle, TMatch match, size_t from);

    const String* FText;
    std::string_view FNeedle;
    TMatch FMatch;
    bool FKnown = false;
    size_t FFrom = 0;
    size_t FFound = String::npos;
};

// The last c at or before a position. For positions that move forward, only the bytes after the
// last position asked about are read again.
class TBackwardFinder {
public:
    TBackwardFinder(const String& text, char c) : FText(&text), FChar(c) {}

    size_t AtOrBefore(size_t position);

private:
    const String* FText;
    char FChar;
    bool FKnown = false;
    size_t FUpTo = 0;
    size_t FLast = String::npos;
};
