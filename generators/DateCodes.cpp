#include "generators/DateCodes.h"

#include "platform/TimeZone.h"
#include "publish/CodeExpansion.h"

namespace {

bool IsPieceSeparator(char c) {
    return c == ' ' || c == '/' || c == '-' || c == ':';
}

bool EndsWithClose(const String& code) {
    return code.size() >= 2 && code.compare(code.size() - 2, 2, "}}") == 0;
}

bool IsCode(const String& code) {
    return code.size() >= 4 && code.compare(0, 2, "{{") == 0 && EndsWithClose(code);
}

bool DaylightInForce() {
    TIME_ZONE_INFORMATION zone;
    return GetTimeZoneInformation(zone) == TIME_ZONE_ID_DAYLIGHT;
}

// The separator at or before from, searched back to stop; npos when there is none.
size_t SeparatorBefore(const String& text, size_t from, size_t stop) {
    for (size_t i = from + 1; i-- > stop;)
        if (IsPieceSeparator(text[i]))
            return i;
    return String::npos;
}

// Where the search for the last piece's start begins in a code's body: before the body's last
// character (the last piece's trailing blank or colon), or before a quoted text that ends the
// body, which the actual text shows as one piece.
size_t LastPieceSearchStart(const String& body) {
    size_t last = body.size() - 1;
    size_t quote = String::npos;
    if (body[last] == '"')
        quote = last;
    else if (last > 2 && body[last - 1] == '"' && IsPieceSeparator(body[last]))
        quote = last - 1;
    if (quote != String::npos && quote > 2) {
        const size_t open = body.rfind('"', quote - 1);
        if (open != String::npos && open >= 2)
            return open - 1;
    }
    return last - 1;
}

} // namespace

String ZoneWord() {
    return DaylightInForce() ? "BST" : "GMT";
}

String ZoneName() {
    TIME_ZONE_INFORMATION zone;
    const bool daylight = GetTimeZoneInformation(zone) == TIME_ZONE_ID_DAYLIGHT;
    return daylight ? zone.DaylightName : zone.StandardName;
}

String ZoneAbbreviation() {
    String capitals;
    for (char c : ZoneName())
        if (c >= 'A' && c <= 'Z')
            capitals += c;
    return capitals;
}

String WithoutCharBeforeClose(const String& code) {
    if (!IsCode(code) || code.size() < 5)
        return code;
    String shorter = code;
    shorter.erase(shorter.size() - 3, 1);
    return shorter;
}

String WithoutBlankBeforeClose(const String& code) {
    if (code.size() < 3 || !EndsWithClose(code) || code[code.size() - 3] != ' ')
        return code;
    return WithoutCharBeforeClose(code);
}

String AppendToCode(const String& code, const String& piece) {
    String result = EndsWithClose(code) ? code.substr(0, code.size() - 2) : code;
    result += piece + "}}";
    if (result[0] != '{')
        result = "{{" + result;
    return result;
}

String WithZoneCode(const String& code) {
    String result = code;
    if (result.empty() || result[0] != '{')
        result = "{{" + result;
    if (result.back() != '}') {
        if (result.back() == ' ')
            result.pop_back();
        result += "}}";
    }
    return result + " {{GMT}}";
}

String WithoutLastActualPiece(const String& text) {
    if (text.size() < 2)
        return "";
    const size_t separator = SeparatorBefore(text, text.size() - 2, 0);
    return separator == String::npos ? "" : text.substr(0, separator + 1);
}

String WithoutLastCodePiece(const String& code) {
    if (!IsCode(code))
        return code;
    const String body = code.substr(0, code.size() - 2);
    if (body.size() <= 3)
        return "{{}}";
    const size_t separator = SeparatorBefore(body, LastPieceSearchStart(body), 2);
    return body.substr(0, separator == String::npos ? 2 : separator + 1) + "}}";
}

String CodeNameOf(const String& published) {
    String name = published;
    const size_t open = name.find("{{");
    if (open != String::npos)
        name.erase(0, open + 2);
    const size_t close = name.find("}}");
    if (close != String::npos)
        name.erase(close);
    return name;
}

int NextCodeStartingWith(const TStrings& codes, int current, char key) {
    const int count = codes.Count();
    const char wanted = LowerCase(String(1, key))[0];
    const int tried = current < 0 ? count : count - 1;
    for (int step = 1; step <= tried; ++step) {
        const int index = ((current < 0 ? -1 : current) + step) % count;
        const String code = codes[index];
        if (code.size() >= 3 && LowerCase(code.substr(2, 1))[0] == wanted)
            return index;
    }
    return -1;
}

String EncodeLineBreaks(const String& text) {
    return StringReplace(text, "\r\n", "\\n", rfReplaceAll);
}

String DecodeLineBreaks(const String& text) {
    return StringReplace(text, "\\n", "\r\n", rfReplaceAll);
}

bool ExpandsToAnEnd(const String& name, const String& text) {
    if (text.find("{{") == String::npos)
        return true;
    TExpansionContext context;
    context.ReplaceCodes = ReadReplaceCodes();
    const int existing = context.ReplaceCodes.IndexOf(name);
    if (existing >= 0) {
        context.ReplaceCodes.Texts[existing] = text;
    } else {
        context.ReplaceCodes.Names.push_back(name);
        context.ReplaceCodes.Texts.push_back(text);
    }
    try {
        ExpandCodes("{{" + name + "}}", context);
    } catch (const EAbort&) {
        return false;
    }
    return true;
}
