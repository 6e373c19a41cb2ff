#include "services/TextScan.h"

namespace {

constexpr size_t npos = String::npos;

} // namespace

size_t FindText(std::string_view text, std::string_view needle, size_t from) {
    if (needle.empty() || from > text.size())
        return npos;
    if (needle.size() == 1)
        return FindChar(text, needle[0], from);
    const void* hit = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return hit == nullptr ? npos : static_cast<size_t>(static_cast<const char*>(hit) - text.data());
}

// The candidates are found by the needle's first character alone when it has no case (as "<"
// has), far faster than a comparison at every position.
size_t FindIgnoringCase(std::string_view text, std::string_view upperNeedle, size_t from) {
    if (upperNeedle.empty())
        return npos;
    const char first = upperNeedle[0];
    if (LowCase(first) == first) {
        for (size_t at = FindChar(text, first, from); at != npos;
             at = FindChar(text, first, at + 1))
            if (MatchesIgnoringCaseAt(text, at, upperNeedle))
                return at;
        return npos;
    }
    for (size_t at = from; at < text.size(); ++at)
        if (MatchesIgnoringCaseAt(text, at, upperNeedle))
            return at;
    return npos;
}

size_t TForwardFinder::Search(std::string_view text, std::string_view needle, TMatch match,
                              size_t from) {
    if (match == mExact)
        return FindText(text, needle, from);
    size_t at = FindIgnoringCase(text, needle, from);
    if (match == mTagName)
        while (at != npos && !EndsTagName(text, at + needle.size()))
            at = FindIgnoringCase(text, needle, at + 1);
    return at;
}

size_t TBackwardFinder::AtOrBefore(size_t position) {
    const String& text = *FText;
    if (position >= text.size())
        position = text.empty() ? 0 : text.size() - 1;
    if (text.empty())
        return npos;
    const bool onward = FKnown && position >= FUpTo;
    const size_t from = onward ? FUpTo + 1 : 0;
    if (!onward)
        FLast = npos;
    for (size_t k = position + 1; k-- > from;)
        if (text[k] == FChar) {
            FLast = k;
            break;
        }
    FUpTo = position;
    FKnown = true;
    return FLast;
}
