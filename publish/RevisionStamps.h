#pragma once
// The revision stamps that multi-publishing appends to a source page, and the dates read back
// from them. The minor stamp "<!-- LR" n "LR -->" holds the date of the last publication of any
// kind, the major stamp "<!-- LMR" n "LMR -->" that of the last major revision; n is a date-time
// written with the user's decimal separator.

#include "platform/DateTime.h"

#include <optional>
#include <string_view>

enum class TRevisionKind { None, Major, Minor };

// The date-time as a stamp holds it: up to 15 significant digits, the user's decimal separator.
String RevisionStampNumber(TDateTime when);

// The page with its stamps renewed for a publication at `when`: the minor stamp always, the major
// one for a major revision or when the page has none yet. The stamps end the page, minor first,
// after "</html>" (any case); a page without "</html>" keeps all its text, its old stamps taken
// out, and gets the new ones at its end. The text is in CR LF form.
String StampPage(const String& page, TRevisionKind kind, TDateTime when);

// Whether the page holds the opening of a major stamp, as every page multi-published holds.
bool HoldsMajorStamp(std::string_view page);

// The date that follows the opening text (as "<!-- LMR"), read with a full stop or a comma as the
// decimal separator, or nothing when the page lacks it or no number follows.
std::optional<TDateTime> StampDateAfter(const String& page, const String& opening);

// The "Show Dates Published" message for the page's text.
String DatesPublishedText(const String& page);
