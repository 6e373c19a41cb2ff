#include "publish/PublishSteps.h"

#include "platform/FileUtils.h"
#include "services/TextScan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr size_t npos = String::npos;

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

bool OpensComment(const String& text, size_t at) {
    return at + 4 <= text.size() && text[at] == '<' && text[at + 1] == '!' && text[at + 2] == '-' &&
           text[at + 3] == '-';
}

// The revision stamps' markers hold a character that pages seldom use ("!", "[" or "]"):
// looking for that one character alone passes over the page several times faster.
size_t FindByRareCharacter(const String& text, std::string_view needle, size_t rareAt) {
    for (size_t at = FindChar(text, needle[rareAt], rareAt); at != npos;
         at = FindChar(text, needle[rareAt], at + 1))
        if (text.compare(at - rareAt, needle.size(), needle) == 0)
            return at - rareAt;
    return npos;
}

// The next CR or LF at or after a position that only moves forward, each found by the C
// library's search for that one character.
class TLineBreakFinder {
public:
    explicit TLineBreakFinder(const String& text) : FText(text) {}

    size_t Next(size_t from) {
        return std::min(Update(FReturn, '\r', from), Update(FFeed, '\n', from));
    }

private:
    struct TCache {
        size_t Found = npos;
        bool NoneLeft = false;
    };

    size_t Update(TCache& cache, char c, size_t from) {
        if (cache.NoneLeft)
            return npos;
        if (cache.Found == npos || cache.Found < from) {
            cache.Found = FindChar(FText, c, from);
            cache.NoneLeft = cache.Found == npos;
        }
        return cache.Found;
    }

    const String& FText;
    TCache FReturn;
    TCache FFeed;
};

// Text kept by a step that works in place: kept stretches move down over what was dropped.
// Writing never passes reading, so the text ahead of the reading position stays as it was.
class TInPlaceWriter {
public:
    explicit TInPlaceWriter(String& text) : FText(text) {}

    // The stretch from the reading position up to `to` is kept.
    void KeepUpTo(size_t to) {
        if (FWrite != FRead)
            std::memmove(&FText[FWrite], &FText[FRead], to - FRead);
        FWrite += to - FRead;
        FRead = to;
    }
    void SkipTo(size_t to) { FRead = to; }
    void Put(char c) { FText[FWrite++] = c; }
    // Keeps characters from `from` on for as long as keep says so; returns where it stopped.
    // The positions are held apart from the string, whose buffer every written character might
    // alias: so they stay in registers through a run of a page's words.
    template <typename Keep> size_t KeepWhile(size_t from, Keep keep) {
        char* const data = FText.data();
        const size_t size = FText.size();
        size_t read = from;
        size_t write = FWrite;
        while (read < size && keep(data[read]))
            data[write++] = data[read++];
        FWrite = write;
        FRead = read;
        return read;
    }
    size_t Written() const { return FWrite; }
    void Finish() {
        KeepUpTo(FText.size());
        FText.resize(FWrite);
    }

private:
    String& FText;
    size_t FRead = 0;
    size_t FWrite = 0;
};

bool HasOnlyCrLfLines(const String& text) {
    for (size_t at = FindChar(text, '\n', 0); at != npos; at = FindChar(text, '\n', at + 1))
        if (at == 0 || text[at - 1] != '\r')
            return false;
    for (size_t at = FindChar(text, '\r', 0); at != npos; at = FindChar(text, '\r', at + 1))
        if (at + 1 == text.size() || text[at + 1] != '\n')
            return false;
    return text.empty() || text.back() == '\n';
}

// The opening marker is shielded and, when it was there, the closing one after it.
void ShieldStamp(String& text, std::string_view opening, std::string_view closing) {
    const size_t at = FindByRareCharacter(text, opening, 1);
    if (at == npos)
        return;
    text[at + 1] = '[';
    const size_t dash = closing.find('-');
    const size_t end = FindText(text, closing, 0);
    if (end != npos)
        text[end + dash] = ']';
}

// The marker's "[" or "]" turns back into what it was.
void RestoreFirst(String& text, std::string_view shielded, char original) {
    const size_t rareAt = shielded.find_first_of("[]");
    const size_t at = FindByRareCharacter(text, shielded, rareAt);
    if (at != npos)
        text[at + rareAt] = original;
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

// The tag opened at `open` up to its first ">", which the caller knows to be there: case changed
// outside double quotes, quoted values kept. Returns where the ">" stands. Finding the end and
// changing the case are one reading of the tag.
template <bool UpperCase> size_t ConvertTag(char* text, size_t open) {
    bool quoted = false;
    for (size_t i = open + 1;; ++i) {
        const char c = text[i];
        if (c == '>')
            return i;
        if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            text[i] = UpperCase ? UpCase(c) : LowCase(c);
    }
}

template <bool UpperCase> void ChangeTagCaseIn(String& text) {
    TForwardFinder scriptEnd(text, "</script>", TForwardFinder::mExact);
    TForwardFinder scriptEndUpper(text, "</SCRIPT>", TForwardFinder::mExact);
    // A tag opened after the page's last ">" has no end.
    const size_t lastTagEnd = text.rfind('>');
    size_t pos = 0;
    for (size_t open = FindChar(text, '<', pos); open != npos; open = FindChar(text, '<', pos)) {
        // A script or comment keeps its text up to its end marker and that marker's first
        // character; the rest of the marker is ordinary text, which keeps its case anyway.
        size_t keptEnd = npos;
        if (MatchesIgnoringCaseAt(text, open + 1, "SCRIPT")) {
            keptEnd = scriptEnd.Next(open);
            if (keptEnd == npos)
                keptEnd = scriptEndUpper.Next(open);
        } else if (OpensComment(text, open)) {
            keptEnd = FindText(text, "-->", open);
        } else if (lastTagEnd != npos && lastTagEnd > open) {
            keptEnd = ConvertTag<UpperCase>(text.data(), open);
        }
        if (keptEnd == npos)
            break; // a script, comment or tag without its end: the rest stays as it is
        pos = keptEnd + 1;
    }
}

// Where the PRE or TEXTAREA block opened at `open` ends: after the ">" of its end tag, or at the
// end of the text when it is never closed, as a browser shows the rest preformatted then. A
// TEXTAREA holds no tags, so its first end tag closes it; PRE blocks within PRE are counted.
class TPreformattedBlocks {
public:
    explicit TPreformattedBlocks(const String& text)
        : FText(text), FPreOpen(text, "<PRE", TForwardFinder::mTagName),
          FPreClose(text, "</PRE", TForwardFinder::mTagName),
          FTextAreaClose(text, "</TEXTAREA", TForwardFinder::mTagName) {}

    // The block's end when a block opens at `at`, else npos. The caller stands on every "<" in
    // turn, so the opening tags are recognised where they stand rather than searched for.
    size_t EndOfBlockAt(size_t at) {
        if (OpensTag(at, "<PRE"))
            return AfterTag(MatchingPreClose(at));
        if (OpensTag(at, "<TEXTAREA"))
            return AfterTag(FTextAreaClose.Next(at + 1));
        return npos;
    }

private:
    size_t MatchingPreClose(size_t open) {
        int depth = 1;
        size_t pos = open + 1;
        for (;;) {
            const size_t close = FPreClose.Next(pos);
            if (close == npos)
                return npos;
            const size_t inner = FPreOpen.Next(pos);
            if (inner != npos && inner < close) {
                ++depth;
                pos = inner + 1;
                continue;
            }
            if (--depth == 0)
                return close;
            pos = close + 1;
        }
    }

    bool OpensTag(size_t at, std::string_view upperName) const {
        return MatchesIgnoringCaseAt(FText, at, upperName) &&
               EndsTagName(FText, at + upperName.size());
    }

    size_t AfterTag(size_t tag) const {
        if (tag == npos)
            return FText.size();
        const size_t end = FindChar(FText, '>', tag);
        return end == npos ? FText.size() : end + 1;
    }

    const String& FText;
    TForwardFinder FPreOpen;
    TForwardFinder FPreClose;
    TForwardFinder FTextAreaClose;
};

// Stretches of the compacted text that wrapping must not break: PRE and TEXTAREA blocks, from
// their "<" up to the ">" that closes them, after which a break is harmless.
struct TKeptStretch {
    size_t Begin;
    size_t End; // the index of the closing ">"; the text's last index for an unclosed block
};

// Blank collapsing and line joining in one pass, in place. The joining step reads the collapsed
// text, so `FLastCollapsed` holds the collapsed text's last character: a blank is dropped after a
// blank there, even when a line end between them is then joined away.
class TCompactor {
public:
    explicit TCompactor(String& text)
        : FText(text), FWriter(text), FScriptEnd(text, "</SCRIPT", TForwardFinder::mIgnoringCase),
          FBlocks(text) {}

    std::vector<TKeptStretch> Run() {
        const size_t size = FText.size();
        while (FRead < size) {
            CopyOrdinaryCharacters();
            if (FRead == size)
                break;
            if (FText[FRead] == '<' && (CopyScriptBlock() || CopyPreformattedBlock()))
                continue;
            Collapse(FText[FRead++], false);
        }
        FWriter.SkipTo(FRead);
        FText.resize(FWriter.Written());
        return std::move(FKept);
    }

private:
    // Most of a page is words and names, which pass through unchanged: a tight loop for them,
    // which tells them by one look in a table.
    static constexpr std::array<bool, 256> OrdinaryCharacters = [] {
        std::array<bool, 256> ordinary{};
        ordinary.fill(true);
        for (const char c : {'"', ' ', '\t', '<', '\r', '\n'})
            ordinary[static_cast<unsigned char>(c)] = false;
        return ordinary;
    }();

    void CopyOrdinaryCharacters() {
        const size_t start = FRead;
        FRead = FWriter.KeepWhile(
            FRead, [](char c) { return OrdinaryCharacters[static_cast<unsigned char>(c)]; });
        if (FRead != start)
            FLastCollapsed = FText[FRead - 1];
    }

    // One character through blank collapsing; the joining keeps line ends only in scripts.
    // Returns whether the collapsed text got a character.
    bool Collapse(char c, bool keepLineEnds) {
        if (c == '"') {
            FQuoted = !FQuoted;
        } else if (!FQuoted && (c == ' ' || c == '\t')) {
            if (FLastCollapsed == ' ')
                return false;
            c = ' ';
        }
        FLastCollapsed = c;
        if (keepLineEnds || !IsLineBreak(c))
            FWriter.Put(c);
        return true;
    }

    // The collapsed text's next character would be dropped by collapsing.
    bool NextIsDroppedBlank() const {
        const char c = FText[FRead];
        return !FQuoted && (c == ' ' || c == '\t') && FLastCollapsed == ' ';
    }

    // A script with a "</script" after it keeps its lines: everything through the character
    // after "</script", and the line ends right after that.
    bool CopyScriptBlock() {
        if (!MatchesIgnoringCaseAt(FText, FRead, "<SCRIPT"))
            return false;
        const size_t end = FScriptEnd.Next(FRead + 1);
        if (end == npos)
            return false;
        while (FRead < end + 8)
            Collapse(FText[FRead++], true);
        while (FRead < FText.size() && !Collapse(FText[FRead++], true)) {
        }
        while (FRead < FText.size() && (NextIsDroppedBlank() || IsLineBreak(FText[FRead])))
            Collapse(FText[FRead++], true);
        return true;
    }

    // A browser shows PRE and TEXTAREA text with its line ends and blanks: the block stays as it
    // is, and its quotes are no part of the page's quoted values.
    bool CopyPreformattedBlock() {
        const size_t end = FBlocks.EndOfBlockAt(FRead);
        if (end == npos)
            return false;
        const size_t begin = FWriter.Written();
        FWriter.SkipTo(FRead);
        FWriter.KeepUpTo(end);
        FKept.push_back({begin, FWriter.Written() - 1});
        FLastCollapsed = FText[end - 1];
        FRead = end;
        return true;
    }

    String& FText;
    TInPlaceWriter FWriter;
    TForwardFinder FScriptEnd;
    TPreformattedBlocks FBlocks;
    std::vector<TKeptStretch> FKept;
    size_t FRead = 0;
    bool FQuoted = false;
    char FLastCollapsed = '\0';
};

bool IsWrapPoint(char c) {
    return c == ' ' || c == '>';
}

// Lines of about a given length, broken after a blank or ">" but never inside a kept stretch.
class TWrapper {
public:
    TWrapper(String& text, const std::vector<TKeptStretch>& kept, int lineLength)
        : FText(text), FKept(kept), FLength(static_cast<size_t>(std::max(lineLength, 1))) {}

    // The line ends go in where the text stands: compaction has left room for them in its
    // buffer, so no new buffer of the page's size is asked of the system.
    void Run() {
        const std::vector<size_t> breaks = BreakPoints();
        size_t from = FText.size();
        FText.resize(from + 2 * breaks.size());
        size_t to = FText.size();
        for (size_t i = breaks.size(); i-- > 0;) {
            const size_t lineEnd = breaks[i] + 1;
            to -= from - lineEnd;
            std::memmove(&FText[to], &FText[lineEnd], from - lineEnd);
            FText[--to] = '\n';
            FText[--to] = '\r';
            from = lineEnd;
        }
    }

private:
    // The index of each line's last character, the rest of the text being the last line.
    std::vector<size_t> BreakPoints() {
        const size_t size = FText.size();
        std::vector<size_t> breaks;
        breaks.reserve(size / FLength + 1);
        size_t start = 0;
        while (size - start > FLength) {
            size_t breakAt = LastPointWithin(start + 1, start + FLength - 1);
            if (breakAt == npos) {
                breakAt = FirstPointFrom(start + FLength);
                if (breakAt == npos)
                    breakAt = size - 1;
            }
            breaks.push_back(breakAt);
            start = breakAt + 1;
        }
        return breaks;
    }

    // The lines move forward, so the stretches that end before the line are passed for good.
    void PassStretchesEndingBy(size_t at) {
        while (FNext < FKept.size() && FKept[FNext].End <= at)
            ++FNext;
    }

    size_t LastPointWithin(size_t from, size_t to) {
        PassStretchesEndingBy(from);
        size_t reach = FNext; // the stretches [FNext, reach) begin within the line
        while (reach < FKept.size() && FKept[reach].Begin <= to)
            ++reach;
        for (size_t at = to + 1; at-- > from;) {
            if (reach > FNext && at < FKept[reach - 1].End) {
                const size_t begin = FKept[--reach].Begin;
                if (begin <= from)
                    return npos;
                at = begin;
                continue;
            }
            if (IsWrapPoint(FText[at]))
                return at;
        }
        return npos;
    }

    size_t FirstPointFrom(size_t from) {
        for (size_t at = from; at < FText.size(); ++at) {
            PassStretchesEndingBy(at);
            if (FNext < FKept.size() && FKept[FNext].Begin <= at)
                at = FKept[FNext].End;
            if (IsWrapPoint(FText[at]))
                return at;
        }
        return npos;
    }

    String& FText;
    const std::vector<TKeptStretch>& FKept;
    size_t FLength;
    size_t FNext = 0;
};

} // namespace

String JoinAsCrLfLines(String text) {
    if (HasOnlyCrLfLines(text))
        return text;
    String out;
    out.reserve(text.size() + text.size() / 16 + 2);
    TLineBreakFinder breaks(text);
    size_t done = 0;
    for (size_t at = breaks.Next(0); at != npos; at = breaks.Next(done)) {
        out.append(text, done, at - done);
        out += "\r\n";
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        done = at + 1;
    }
    out.append(text, done, npos);
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";
    return out;
}

String ShieldRevisionStamps(String text) {
    ShieldStamp(text, "<!-- LMR", "LMR -->");
    ShieldStamp(text, "<!-- LR", "LR -->");
    return text;
}

String RestoreRevisionStamps(String text) {
    RestoreFirst(text, "<[-- LMR", '!');
    RestoreFirst(text, "LMR ]->", '-');
    RestoreFirst(text, "<[-- LR", '!');
    RestoreFirst(text, "LR ]->", '-');
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

// Dropped comments are closed up in place, so the page is not copied.
String RemoveComments(String text) {
    TForwardFinder commentEnd(text, "-->", TForwardFinder::mExact);
    TForwardFinder scriptEnd(text, "</SCRIPT>", TForwardFinder::mIgnoringCase);
    TForwardFinder styleEnd(text, "</STYLE>", TForwardFinder::mIgnoringCase);
    TInPlaceWriter writer(text);
    size_t pos = 0;
    for (size_t open = FindChar(text, '<', pos); open != npos; open = FindChar(text, '<', pos)) {
        pos = open + 1;
        if (OpensComment(text, open)) {
            const size_t end = commentEnd.Next(open + 3);
            if (end != npos) {
                writer.KeepUpTo(open);
                writer.SkipTo(end + 3);
                pos = end + 3;
            }
        } else if (MatchesIgnoringCaseAt(text, open, "<SCRIPT")) {
            const size_t end = scriptEnd.Next(open + 7);
            if (end != npos)
                pos = end + 9;
        } else if (MatchesIgnoringCaseAt(text, open, "<STYLE")) {
            const size_t end = styleEnd.Next(open + 6);
            if (end != npos)
                pos = end + 8;
        }
    }
    writer.Finish();
    return text;
}

// The case changes where the tag stands; the page keeps its size.
String ChangeTagCase(String text, bool upperCase) {
    if (upperCase)
        ChangeTagCaseIn<true>(text);
    else
        ChangeTagCaseIn<false>(text);
    return text;
}

// A line end is dropped when the same character stands two places before it in the page as it
// was; that character is a line end too, so the last two line ends are all there is to remember.
String StripBlankLines(String text) {
    TInPlaceWriter writer(text);
    TLineBreakFinder breaks(text);
    struct TSeenBreak {
        size_t At;
        char Character;
    };
    TSeenBreak last{npos, '\0'};
    TSeenBreak beforeLast{npos, '\0'};
    for (size_t at = breaks.Next(0); at != npos; at = breaks.Next(at + 1)) {
        const char c = text[at];
        const bool sameTwoBefore =
            at >= 2 && ((last.At == at - 2 && last.Character == c) ||
                        (beforeLast.At == at - 2 && beforeLast.Character == c));
        beforeLast = last;
        last = {at, c};
        if (sameTwoBefore) {
            writer.KeepUpTo(at);
            writer.SkipTo(at + 1);
        }
    }
    writer.Finish();
    return text;
}

String CompactText(String text, bool wrap, int lineLength) {
    const std::vector<TKeptStretch> kept = TCompactor(text).Run();
    if (wrap)
        TWrapper(text, kept, lineLength).Run();
    return text;
}

size_t HtmlEndPosition(const String& text) {
    return FindIgnoringCase(text, "</HTML>", 0);
}

String CutAfterHtmlEnd(String text) {
    const size_t end = HtmlEndPosition(text);
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
        page = RemoveComments(std::move(page));
    page = ExpandCodes(RestoreRevisionStamps(std::move(page)), context);
    if (settings.TagCase != tcNoChange)
        page = ChangeTagCase(std::move(page), settings.TagCase == tcUpperCase);
    if (settings.RemoveBlankLines)
        page = StripBlankLines(std::move(page));
    if (settings.Compact)
        page = CompactText(std::move(page), settings.Wrap,
                           settings.Wrap ? StrToInt(settings.LineLength) : 0);
    return CutAfterHtmlEnd(std::move(page));
}
