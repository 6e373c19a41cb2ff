#pragma once
// Expanding the codes an author writes between "{{" and "}}" while a page is published: dates
// and times, the page's name and path, the time-zone word, the revision dates and the user's
// replace codes with their per-destination variants. Plain text routines, so the publisher
// drives them with a snapshot of its settings and tests need no window.

#include "platform/DateTime.h"
#include "platform/SysUtils.h"

#include <functional>
#include <vector>

// The user's replace codes: names and their texts, kept in step.
struct TReplaceCodes {
    std::vector<String> Names;
    std::vector<String> Texts;

    // The index of the code of that name, compared without regard to case; -1 when missing.
    int IndexOf(const String& name) const;
};

// The registry key of the user's replace codes, which the date/time dialog writes.
String ReplaceCodesKey();

// Reads the replace codes afresh from the registry, creating their key when it is missing.
// Values that are not texts are no codes and are passed over.
TReplaceCodes ReadReplaceCodes();

// What one page's expansion needs to know of the run.
struct TExpansionContext {
    String SourcePath;     // the source page's full path, after any renaming of the page
    String DestinationKey; // where variant keys are looked for (the publish folder or ISP name)
    // A preview copy: "[[Browser]]" variants first, browser sections left out.
    bool BrowserPreview = false;
    TReplaceCodes ReplaceCodes;
    std::function<TDateTime()> Clock; // empty: the program's clock (Now)
};

// How much the codes of one page may add to it, all passes together.
constexpr size_t MaxCodeGrowth = 16 * 1024 * 1024;

// The page text with every code expanded. An unclosed "{{", or codes that keep producing codes
// pass after pass or would grow the page by more than MaxCodeGrowth, show "Syntax error: Unclosed
// {{" and raise EAbort: the whole run ends there.
// An unreadable revision stamp raises EConvertError.
String ExpandCodes(String text, const TExpansionContext& context);

// The variant of a replace code's text that applies to the context's destination key (the
// "[[Browser]]" one first in a preview); empty when none applies. An unclosed "[[" is reported
// and gives an empty text.
String SelectDestinationText(const String& text, const TExpansionContext& context);

// The text for "{{last major revision}}" (kind "major") or "{{last minor revision}}" (kind
// "minor"), read from the page's revision stamps; it may itself hold codes to expand. Stamp
// numbers are read with either a full stop or a comma as decimal separator; one that cannot be
// read raises EConvertError.
String RevisionStampText(const String& pageText, const String& kind);
