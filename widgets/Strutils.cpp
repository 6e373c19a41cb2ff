#include "widgets/Strutils.h"

namespace {

size_t CharIndex(char c) {
    return static_cast<unsigned char>(c);
}

} // namespace

TCharSet CharSetOf(const String& chars) {
    TCharSet set;
    for (char c : chars)
        set.set(CharIndex(c));
    return set;
}

bool AllCharsInSet(const String& text, const TCharSet& chars) {
    for (char c : text)
        if (!chars.test(CharIndex(c)))
            return false;
    return true;
}

String ReplaceAllText(const String& text, const String& search, const String& replacement) {
    if (search.empty())
        return text;
    String result;
    size_t from = 0;
    for (size_t at = text.find(search); at != String::npos; at = text.find(search, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + search.size();
    }
    result.append(text, from);
    return result;
}

String RepeatChar(char character, int count) {
    return count > 0 ? String(static_cast<size_t>(count), character) : String();
}
