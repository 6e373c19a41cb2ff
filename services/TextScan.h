#pragma once
// Scanning a page for texts. A page of several megabytes is scanned by every colouring, rewrite
// and publishing step, so the searches go through the C library's fast routines, and the finders
// remember their last answer: a pass that asks for the next occurrence again and again stays
// within one reading of the page.

#include "platform/SysUtils.h"

#include <string_view>

// The first c at or after from; npos when there is none.
size_t FindChar(std::string_view text, char c, size_t from);
// The first occurrence of the needle at or after from; npos when there is none (or it is empty).
size_t FindText(std::string_view text, std::string_view needle, size_t from);
// Whether the text at `at` reads upperNeedle, its letters in either case; the needle is written
// in upper case.
bool MatchesIgnoringCaseAt(std::string_view text, size_t at, std::string_view upperNeedle);
// The first place at or after from where the text reads upperNeedle in either case.
size_t FindIgnoringCase(std::string_view text, std::string_view upperNeedle, size_t from);
// Whether a tag's name ends at `at`: a blank, a line end, "/" or ">" stands there.
bool EndsTagName(std::string_view text, size_t at);

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

    size_t Next(size_t from);

private:
    size_t Search(size_t from) const;

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
