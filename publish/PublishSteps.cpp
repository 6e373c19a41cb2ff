#include "publish/PublishSteps.h"

#include "platform/FileUtils.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr size_t npos = String::npos;

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// upperNeedle is written in upper case; the text's letters match in either case.
bool MatchesAt(const String& text, size_t at, const char* upperNeedle) {
    size_t length = std::strlen(upperNeedle);
    if (at > text.size() || text.size() - at < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (UpCase(text[at + i]) != upperNeedle[i])
            return false;
    return true;
}

size_t FindIgnoringCase(const String& text, const char* upperNeedle, size_t from) {
    const char first = upperNeedle[0];
    const char firstLower = LowCase(first);
    for (size_t i = from; i < text.size(); ++i)
        if ((text[i] == first || text[i] == firstLower) && MatchesAt(text, i, upperNeedle))
            return i;
    return npos;
}

// The first occurrence at or after a position that only moves forward. Each step asks for the
// next marker from where it stands; remembering the last answer, and that none is left once a
// search failed, keeps the searches of a whole step within one pass over the text.
class TForwardFinder {
public:
    TForwardFinder(const String& text, const char* needle, bool ignoreCase)
        : FText(text), FNeedle(needle), FIgnoreCase(ignoreCase) {}

    size_t Next(size_t from) {
        if (FNoneLeft)
            return npos;
        if (FFound != npos && FFound >= from)
            return FFound;
        FFound = FIgnoreCase ? FindIgnoringCase(FText, FNeedle, from) : FText.find(FNeedle, from);
        FNoneLeft = FFound == npos;
        return FFound;
    }

private:
    const String& FText;
    const char* FNeedle;
    bool FIgnoreCase;
    size_t FFound = npos;
    bool FNoneLeft = false;
};

void ReplaceFirst(String& text, const String& what, const String& with) {
    size_t at = text.find(what);
    if (at != npos)
        text.replace(at, what.size(), with);
}

// The opening marker is shielded and, when it was there, the closing one after it.
void ShieldStamp(String& text, const String& opening, const String& closing) {
    size_t at = text.find(opening);
    if (at == npos)
        return;
    text[at + 1] = '[';
    size_t end = text.find(closing);
    if (end != npos)
        text[end + closing.find('-')] = ']';
}

String NewExtension(const String& value, const char* shtmlName, const char* htmName) {
    if (value == shtmlName)
        return "shtml";
    if (value == htmName)
        return "htm";
    return String();
}

// Every "index.html" written right after a double quote.
String RenameIndexLinks(const String& text, const String& extension) {
    static const String Link = "\"index.html";
    String out;
    out.reserve(text.size() + text.size() / 8);
    size_t pos = 0;
    for (size_t at = text.find(Link); at != npos; at = text.find(Link, pos)) {
        out.append(text, pos, at - pos);
        out += "\"index." + extension;
        pos = at + Link.size();
    }
    out.append(text, pos, npos);
    return out;
}

// Every ".html" whose link (from the nearest double quote before it) names no other site.
String RenamePageLinks(const String& text, const String& extension) {
    String out;
    out.reserve(text.size() + text.size() / 8);
    size_t linkStart = 0;
    bool linkHasScheme = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 5, ".html") == 0) {
            out += linkHasScheme ? String(".html") : "." + extension;
            i += 4;
            continue;
        }
        char c = text[i];
        out += c;
        if (c == '"') {
            linkStart = i + 1;
            linkHasScheme = false;
        } else if (c == '/' && i >= linkStart + 2 && text.compare(i - 2, 3, "://") == 0) {
            linkHasScheme = true;
        }
    }
    return out;
}

void ApplyNameChangeValue(const String& value, String& text, String& sourcePath) {
    const String folder = ExtractFilePath(sourcePath);
    const String fileName = ExtractFileName(sourcePath);
    String extension = NewExtension(value, "indexshtml", "indexhtm");
    if (!extension.empty()) {
        if (SameText(fileName, "index.html"))
            sourcePath = folder + "index." + extension;
        text = RenameIndexLinks(text, extension);
        return;
    }
    extension = NewExtension(value, "*shtml", "*htm");
    if (!extension.empty()) {
        size_t dot = fileName.find('.');
        String stem = dot == npos ? fileName + "." : fileName.substr(0, dot + 1);
        sourcePath = folder + stem + extension;
        text = RenamePageLinks(text, extension);
    }
}

// The tag from its "<" to its ">": case changed outside double quotes, quoted values kept.
void AppendTagInCase(String& out, const String& text, size_t from, size_t to, bool upperCase) {
    bool quoted = false;
    for (size_t i = from; i <= to; ++i) {
        char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            c = upperCase ? UpCase(c) : LowCase(c);
        out += c;
    }
}

String CollapseBlanksOutsideQuotes(const String& text) {
    String out;
    out.reserve(text.size());
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == '\t')
                c = ' ';
            if (c == ' ' && !out.empty() && out.back() == ' ')
                continue;
        }
        out += c;
    }
    return out;
}

String JoinLinesOutsideScripts(const String& text) {
    String out;
    out.reserve(text.size());
    TForwardFinder scriptEnd(text, "</SCRIPT", true);
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '<' && MatchesAt(text, i, "<SCRIPT")) {
            size_t end = scriptEnd.Next(i + 1);
            if (end != npos) {
                size_t last = std::min(end + 8, text.size() - 1);
                out.append(text, i, last - i + 1);
                i = last + 1;
                while (i < text.size() && IsLineBreak(text[i]))
                    out += text[i++];
                continue;
            }
        }
        if (!IsLineBreak(c))
            out += c;
        ++i;
    }
    return out;
}

bool IsWrapPoint(char c) {
    return c == ' ' || c == '>';
}

String WrapLines(const String& text, int lineLength) {
    const size_t length = static_cast<size_t>(std::max(lineLength, 1));
    const size_t size = text.size();
    String out;
    out.reserve(size + 2 * (size / std::max<size_t>(length / 2, 1) + 1));
    // scanned: every index below it has been looked at; lastPoint: the last wrap point among them.
    // Both only move forward, so all lines together cost one pass.
    size_t scanned = 0;
    size_t lastPoint = npos;
    auto scanUpTo = [&](size_t end) {
        for (; scanned < end; ++scanned)
            if (IsWrapPoint(text[scanned]))
                lastPoint = scanned;
    };
    size_t start = 0;
    while (size - start > length) {
        scanUpTo(start + length);
        size_t breakAt = npos;
        if (lastPoint != npos && lastPoint >= start + 1) {
            breakAt = lastPoint;
        } else {
            while (scanned < size && !IsWrapPoint(text[scanned]))
                ++scanned;
            breakAt = scanned < size ? scanned : size - 1;
            scanUpTo(breakAt + 1);
        }
        out.append(text, start, breakAt - start + 1);
        out += "\r\n";
        start = breakAt + 1;
    }
    out.append(text, start, npos);
    return out;
}

} // namespace

String JoinAsCrLfLines(String text) {
    return AdjustLineBreaks(std::move(text), true);
}

String ShieldRevisionStamps(String text) {
    ShieldStamp(text, "<!-- LMR", "LMR -->");
    ShieldStamp(text, "<!-- LR", "LR -->");
    return text;
}

String RestoreRevisionStamps(String text) {
    ReplaceFirst(text, "<[-- LMR", "<!-- LMR");
    ReplaceFirst(text, "LMR ]->", "LMR -->");
    ReplaceFirst(text, "<[-- LR", "<!-- LR");
    ReplaceFirst(text, "LR ]->", "LR -->");
    return text;
}

void ApplyGlobalNameChange(const String& codeText, const String& destinationKey, String& text,
                           String& sourcePath) {
    const String destination = LowerCase(destinationKey);
    size_t pos = 0;
    while (true) {
        size_t open = codeText.find("[[", pos);
        if (open == npos)
            return;
        size_t close = codeText.find("]]", open + 2);
        if (close == npos)
            return;
        String key = LowerCase(codeText.substr(open + 2, close - open - 2));
        size_t valueStart = close + 2;
        if (Pos(key, destination) > 0) {
            // The value ends two characters before the next key: the "\n" between variants.
            size_t next = codeText.find("[[", valueStart);
            size_t valueEnd = next == npos ? codeText.size() : std::max(next, valueStart + 2) - 2;
            ApplyNameChangeValue(codeText.substr(valueStart, valueEnd - valueStart), text,
                                 sourcePath);
        }
        pos = valueStart;
    }
}

String RemoveComments(const String& text) {
    String out;
    out.reserve(text.size());
    TForwardFinder comment(text, "<!--", false);
    TForwardFinder script(text, "<SCRIPT", true);
    TForwardFinder style(text, "<STYLE", true);
    TForwardFinder commentEnd(text, "-->", false);
    TForwardFinder scriptEnd(text, "</SCRIPT>", true);
    TForwardFinder styleEnd(text, "</STYLE>", true);
    size_t pos = 0;
    while (true) {
        size_t marker = comment.Next(pos);
        if (marker == npos)
            break;
        size_t scriptAt = script.Next(pos);
        size_t styleAt = style.Next(pos);
        marker = std::min({marker, scriptAt, styleAt});
        out.append(text, pos, marker - pos);
        if (marker == scriptAt || marker == styleAt) {
            const bool isScript = marker == scriptAt;
            size_t end = isScript ? scriptEnd.Next(marker + 7) : styleEnd.Next(marker + 6);
            if (end != npos) {
                size_t after = end + (isScript ? 9 : 8);
                out.append(text, marker, after - marker);
                pos = after;
                continue;
            }
        } else {
            size_t end = commentEnd.Next(marker + 3);
            if (end != npos) {
                pos = end + 3;
                continue;
            }
        }
        out += text[marker];
        pos = marker + 1;
    }
    out.append(text, pos, npos);
    return out;
}

String ChangeTagCase(const String& text, bool upperCase) {
    String out;
    out.reserve(text.size());
    TForwardFinder scriptEnd(text, "</script>", false);
    TForwardFinder scriptEndUpper(text, "</SCRIPT>", false);
    size_t pos = 0;
    while (true) {
        size_t open = text.find('<', pos);
        if (open == npos)
            break;
        // A script or comment keeps its text up to its end marker and that marker's first
        // character; the rest of the marker is ordinary text, which keeps its case anyway.
        size_t keptEnd = npos;
        if (MatchesAt(text, open + 1, "SCRIPT")) {
            keptEnd = scriptEnd.Next(open);
            if (keptEnd == npos)
                keptEnd = scriptEndUpper.Next(open);
        } else if (text.compare(open, 4, "<!--") == 0) {
            keptEnd = text.find("-->", open);
        } else {
            keptEnd = text.find('>', open + 1);
            if (keptEnd != npos) {
                out.append(text, pos, open - pos);
                AppendTagInCase(out, text, open, keptEnd, upperCase);
                pos = keptEnd + 1;
                continue;
            }
        }
        if (keptEnd == npos)
            break; // a script, comment or tag without its end: the rest stays as it is
        size_t after = keptEnd + 1;
        out.append(text, pos, after - pos);
        pos = after;
    }
    out.append(text, pos, npos);
    return out;
}

String StripBlankLines(const String& text) {
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (IsLineBreak(c) && i >= 2 && text[i - 2] == c)
            continue;
        out += c;
    }
    return out;
}

String CompactText(const String& text, bool wrap, int lineLength) {
    String joined = JoinLinesOutsideScripts(CollapseBlanksOutsideQuotes(text));
    return wrap ? WrapLines(joined, lineLength) : joined;
}

String CutAfterHtmlEnd(String text) {
    size_t end = FindIgnoringCase(text, "</HTML>", 0);
    if (end != npos && end + 8 < text.size())
        text.resize(end + 8);
    return text;
}

String PublishPageText(String text, const TPublishSettings& settings, TExpansionContext& context) {
    String page = ShieldRevisionStamps(std::move(text));
    int nameChange = context.ReplaceCodes.IndexOf("globalnamechange");
    if (nameChange >= 0)
        ApplyGlobalNameChange(context.ReplaceCodes.Texts[static_cast<size_t>(nameChange)],
                              context.DestinationKey, page, context.SourcePath);
    if (settings.RemoveComments)
        page = RemoveComments(page);
    page = ExpandCodes(RestoreRevisionStamps(std::move(page)), context);
    if (settings.TagCase != tcNoChange)
        page = ChangeTagCase(page, settings.TagCase == tcUpperCase);
    if (settings.RemoveBlankLines)
        page = StripBlankLines(page);
    if (settings.Compact)
        page = CompactText(page, settings.Wrap, settings.Wrap ? StrToInt(settings.LineLength) : 0);
    return CutAfterHtmlEnd(std::move(page));
}
