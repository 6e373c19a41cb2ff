#include "publish/RevisionStamps.h"

#include "publish/PublishSteps.h"

#include <cctype>

namespace {

const String MinorOpening = "<!-- LR";
const String MinorClosing = "LR -->";
const String MajorOpening = "<!-- LMR";
const String MajorClosing = "LMR -->";

struct TStampPlace {
    size_t Start = String::npos;
    size_t End = String::npos; // just past the closing text
    bool Found() const { return Start != String::npos; }
};

// The first opening text and the closing text that follows it; nothing unless both are there.
TStampPlace FindStamp(const String& text, const String& opening, const String& closing) {
    TStampPlace place;
    const size_t start = text.find(opening);
    if (start == String::npos)
        return place;
    const size_t end = text.find(closing, start + opening.size());
    if (end == String::npos)
        return place;
    place.Start = start;
    place.End = end + closing.size();
    return place;
}

String StampText(const String& text, const TStampPlace& place) {
    return text.substr(place.Start, place.End - place.Start);
}

String WithoutStamp(String text, const String& opening, const String& closing) {
    const TStampPlace place = FindStamp(text, opening, closing);
    if (place.Found())
        text.erase(place.Start, place.End - place.Start);
    return text;
}

// Up to "</html>" and the one character after it; a page without it keeps every character but
// its old stamps, which are about to be written anew.
String BodyBeforeStamps(const String& page) {
    const size_t end = HtmlEndPosition(page);
    if (end != String::npos)
        return page.substr(0, std::min(page.size(), end + 8));
    return WithoutStamp(WithoutStamp(page, MinorOpening, MinorClosing), MajorOpening, MajorClosing);
}

String TrimTrailingLineEnds(String text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

String DateOrUnknown(const std::optional<TDateTime>& date) {
    if (!date || *date <= 0)
        return "Not known";
    return FormatDateTime("d mmm yyyy", *date) + " at " + FormatDateTime("hh:nn:ss", *date);
}

} // namespace

String RevisionStampNumber(TDateTime when) {
    return FloatToStr(when, FormatSettings.DecimalSeparator);
}

String StampPage(const String& page, TRevisionKind kind, TDateTime when) {
    const String number = RevisionStampNumber(when);
    const TStampPlace oldMajor = FindStamp(page, MajorOpening, MajorClosing);
    const String minor = MinorOpening + number + MinorClosing;
    const String major = kind == TRevisionKind::Minor && oldMajor.Found()
                             ? StampText(page, oldMajor)
                             : MajorOpening + number + MajorClosing;
    return TrimTrailingLineEnds(BodyBeforeStamps(page)) + "\r\n" + minor + "\r\n" + major + "\r\n";
}

bool HoldsMajorStamp(std::string_view page) {
    return page.find(MajorOpening) != std::string_view::npos;
}

std::optional<TDateTime> StampDateAfter(const String& page, const String& opening) {
    const size_t start = page.find(opening);
    if (start == String::npos)
        return std::nullopt;
    size_t end = start + opening.size();
    String number;
    for (; end < page.size(); ++end) {
        const char c = page[end];
        if (std::isdigit(static_cast<unsigned char>(c)) || (c == '-' && number.empty()))
            number += c;
        else if ((c == '.' || c == ',') && number.find('.') == String::npos)
            number += '.';
        else
            break;
    }
    try {
        return StrToFloat(number, '.');
    } catch (const EConvertError&) {
        return std::nullopt; // no digits follow the opening text
    }
}

String DatesPublishedText(const String& page) {
    std::optional<TDateTime> major;
    std::optional<TDateTime> minor;
    if (page.find(MajorOpening) != String::npos) {
        major = StampDateAfter(page, MajorOpening);
        minor = StampDateAfter(page, MinorOpening);
    }
    return "LAST PUBLISHED REVISIONS\r\n\nLast Major Revision: " + DateOrUnknown(major) +
           "\r\nLast Minor Revision: " + DateOrUnknown(minor);
}
