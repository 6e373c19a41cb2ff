// The site analyser's engine. Each pass walks the page's upper-cased copy once from start to end:
// every search starts where the last one stopped, so a page costs time in proportion to its
// length whatever it holds.

#include "site/SiteAnalyser.h"

#include "platform/FileUtils.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace {

constexpr size_t MaxRecordedComments = 50;

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The name part of a value: without the query and anything after it.
String WithoutQuery(const String& value) {
    return value.substr(0, value.find('?'));
}

// The first 50 comments: the positions of each "<!--" and of the "-->" after it.
struct TCommentTable {
    std::vector<std::pair<size_t, size_t>> Spans;

    explicit TCommentTable(std::string_view text) {
        size_t from = 0;
        while (Spans.size() < MaxRecordedComments) {
            size_t open = text.find("<!--", from);
            if (open == std::string_view::npos)
                return;
            size_t close = text.find("-->", open + 4);
            if (close == std::string_view::npos)
                return;
            Spans.emplace_back(open, close);
            from = close + 3;
        }
    }

    bool Holds(size_t position) const {
        return std::any_of(Spans.begin(), Spans.end(), [position](const auto& span) {
            return position > span.first && position < span.second;
        });
    }
};

bool IsValueSkip(char c) {
    return c == '"' || c == '=' || c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

bool IsValueEnd(char c) {
    return c == '"' || c == ' ' || c == '>';
}

// The value after an attribute name: past quotes, "=" and white space, up to the next quote,
// blank or ">". One that runs into the end of the text is marked as cut off.
String AttributeValue(const String& text, size_t afterName) {
    size_t start = afterName;
    while (start < text.size() && IsValueSkip(text[start]))
        ++start;
    size_t end = start;
    while (end < text.size() && !IsValueEnd(text[end]))
        ++end;
    String value = text.substr(start, end - start);
    if (end >= text.size())
        value += "... ...";
    return value;
}

bool IsBackgroundEnd(char c) {
    return IsValueEnd(c) || c == '\'' || c == '\r' || c == '\n' || c == '\t';
}

// The background named by the BODY tag itself, quoted or not; empty when the tag names none.
String BodyBackground(const String& text, const String& upper) {
    size_t body = upper.find("<BODY");
    if (body == String::npos)
        return "";
    size_t tagEnd = std::min(upper.find('>', body), upper.size());
    size_t name = upper.find("BACKGROUND", body);
    if (name == String::npos || name >= tagEnd)
        return "";
    size_t start = name + 10;
    while (start < tagEnd && (text[start] == ' ' || text[start] == '=' || text[start] == '\t' ||
                              text[start] == '\r' || text[start] == '\n'))
        ++start;
    char quote = start < tagEnd && (text[start] == '"' || text[start] == '\'') ? text[start] : 0;
    if (quote)
        ++start;
    size_t end = start;
    while (end < tagEnd && (quote ? text[end] != quote : !IsBackgroundEnd(text[end])))
        ++end;
    return text.substr(start, end - start);
}

// The image test: the file as named, then with its escapes decoded. The value the sink gets is
// the one that was tested last.
void ClassifyImage(String value, TSiteFiles& files, const TAnalyserSink& sink,
                   const String& suffix = "") {
    if (Contains(value, "//")) {
        sink(alImagesExternal, value + suffix);
        return;
    }
    bool found = files.Exists(value);
    if (!found && Contains(value, "%")) {
        value = DecodeEscapes(value);
        found = files.Exists(value);
    }
    sink(found ? alImagesUsed : alImagesMissing, value + suffix);
}

bool LinkFound(const String& value, const String& upperPage, TSiteFiles& files) {
    size_t hash = value.find('#');
    if (hash == 0)
        return Contains(upperPage, "<A NAME=\"" + UpperCase(value.substr(1)) + "\"");
    if (hash != String::npos)
        return files.HasAnchor(value.substr(0, hash), value.substr(hash + 1));
    return files.Exists(value);
}

void ClassifyLink(String value, const String& upperPage, TSiteFiles& files,
                  const TAnalyserSink& sink) {
    if (Contains(value, "//") || Contains(value, ":")) {
        sink(alLinksExternal, value);
        return;
    }
    bool found = LinkFound(value, upperPage, files);
    if (!found && Contains(value, "%")) {
        value = DecodeEscapes(value);
        found = LinkFound(value, upperPage, files);
    }
    sink(found ? alLinksActive : alLinksMissing, value);
}

} // namespace

String DecodeEscapes(const String& value) {
    String decoded;
    for (size_t i = 0; i < value.size(); ++i) {
        int high = i + 2 < value.size() && value[i] == '%' ? HexDigitValue(value[i + 1]) : -1;
        int low = high >= 0 ? HexDigitValue(value[i + 2]) : -1;
        if (low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += value[i];
        }
    }
    return decoded;
}

String TSiteFiles::PathOf(const String& value) const {
    String name = WithoutQuery(value);
    return !name.empty() && name[0] == PathDelim ? name : FFolder + name;
}

bool TSiteFiles::Exists(const String& value) const {
    String name = WithoutQuery(value);
    return !name.empty() && FileExists(PathOf(name));
}

bool TSiteFiles::HasAnchor(const String& pageValue, const String& anchor) {
    if (!Exists(pageValue))
        return false;
    String path = PathOf(pageValue);
    auto known = FLowerTexts.find(path);
    if (known == FLowerTexts.end()) {
        String text;
        try {
            text = LowerCase(ReadFileBytes(path));
        } catch (const Exception&) {
        }
        known = FLowerTexts.emplace(path, std::move(text)).first;
    }
    return Contains(known->second, "<a name=\"" + LowerCase(anchor) + "\"");
}

bool LooksLikeHtml(const String& text) {
    String upper = UpperCase(text);
    return Contains(upper, "<HTML>") && Contains(upper, "</HTML>");
}

bool AnalysePageText(const String& text, bool imagePass, TSiteFiles& files,
                     const TAnalyserSink& sink, const TKeepGoing& keepGoing) {
    const String upper = UpperCase(text);
    const String tagStart = imagePass ? "<IMG" : "<A";
    const String attribute = imagePass ? "SRC" : "HREF";
    const TCommentTable comments(upper);
    size_t position = 0;
    while (position < upper.size()) {
        if (!keepGoing())
            return false;
        size_t tag = upper.find(tagStart, position);
        if (tag == String::npos)
            break;
        size_t name = upper.find(attribute, tag);
        if (name == String::npos)
            break;
        String value = AttributeValue(text, name + attribute.size());
        if (comments.Holds(name))
            sink(imagePass ? alImagesCommented : alLinksCommented, value);
        else if (imagePass)
            ClassifyImage(value, files, sink);
        else
            ClassifyLink(value, upper, files, sink);
        position = name;
    }
    if (imagePass) {
        String background = BodyBackground(text, upper);
        if (!background.empty())
            ClassifyImage(background, files, sink, " [BACKGROUND]");
    }
    return true;
}

// ---- Following local links ----

namespace {

// The values that follow each occurrence of name in the line: between the next two double
// quotes, cut at "#" and at "?".
void QuotedValuesAfter(std::string_view line, std::string_view upperLine, std::string_view name,
                       std::vector<String>& values) {
    for (size_t at = upperLine.find(name); at != std::string_view::npos;
         at = upperLine.find(name, at + name.size())) {
        size_t open = line.find('"', at + name.size());
        size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
        if (close == std::string_view::npos)
            return;
        std::string_view value = line.substr(open + 1, close - open - 1);
        values.emplace_back(value.substr(0, value.find_first_of("#?")));
    }
}

void FrameSourcesIn(std::string_view line, std::string_view upperLine,
                    std::vector<String>& values) {
    for (size_t frame = upperLine.find("FRAME "); frame != std::string_view::npos;
         frame = upperLine.find("FRAME ", frame + 6)) {
        size_t source = upperLine.find("SRC", frame + 6);
        if (source == std::string_view::npos)
            return;
        std::vector<String> found;
        QuotedValuesAfter(line.substr(source), upperLine.substr(source, 3), "SRC", found);
        if (!found.empty())
            values.push_back(found.front());
    }
}

// A page in the same folder: no folder part and no scheme ("mailto:", "javascript:").
bool IsLocalPageName(const String& value) {
    return !value.empty() && value.find_first_of("/\\:") == String::npos;
}

} // namespace

TLinkTrace TraceLocalLinks(const String& folder, const String& pageName,
                           const TKeepGoing& keepGoing) {
    TLinkTrace trace;
    std::vector<String> reached{pageName};
    std::unordered_set<String> known{pageName};
    std::vector<bool> exists;
    std::vector<String> values;
    for (size_t i = 0; i < reached.size(); ++i) {
        String path = folder + reached[i];
        String text;
        bool readable = FileExists(path);
        if (readable) {
            try {
                text = ReadFileBytes(path);
            } catch (const Exception&) {
                readable = false;
            }
        }
        exists.push_back(readable);
        if (!readable) {
            trace.Missing.push_back(path);
            continue;
        }
        const String upper = UpperCase(text);
        for (size_t start = 0; start < text.size();) {
            size_t end = std::min(text.find_first_of("\r\n", start), text.size());
            std::string_view line(text.data() + start, end - start);
            std::string_view upperLine(upper.data() + start, end - start);
            values.clear();
            QuotedValuesAfter(line, upperLine, "HREF", values);
            FrameSourcesIn(line, upperLine, values);
            for (String& value : values) {
                value = DecodeEscapes(value);
                if (IsLocalPageName(value) && known.insert(value).second)
                    reached.push_back(value);
            }
            if (!keepGoing()) {
                trace.Aborted = true;
                return trace;
            }
            start = end + 1;
        }
    }
    for (size_t i = 0; i < reached.size(); ++i)
        if (exists[i])
            trace.Found.push_back(reached[i]);
    std::sort(trace.Found.begin(), trace.Found.end());
    std::sort(trace.Missing.begin(), trace.Missing.end());
    trace.Missing.erase(std::unique(trace.Missing.begin(), trace.Missing.end()),
                        trace.Missing.end());
    return trace;
}

std::vector<String> TraceReportLines(const TLinkTrace& trace) {
    std::vector<String> lines;
    size_t found = trace.Found.size();
    lines.push_back("  " + IntToStr(static_cast<int>(found)) + " INTERNAL LINK" +
                    (found > 1 ? "S" : "") + " FOUND:");
    for (const String& name : trace.Found)
        lines.push_back("     " + name);
    lines.push_back("======================================");
    if (trace.Missing.empty())
        return lines;
    size_t missing = trace.Missing.size();
    lines.push_back(
        "  THE FOLLOWING " +
        (missing == 1 ? String("FILE WAS") : IntToStr(static_cast<int>(missing)) + " FILES WERE") +
        " NOT FOUND:");
    for (const String& path : trace.Missing)
        lines.push_back("     " + path);
    return lines;
}

// ---- Report lines ----

namespace {

constexpr TColor ReportGreen = RGB(0, 128, 0);
constexpr TColor ReportRed = RGB(255, 0, 0);
constexpr TColor ReportBlue = RGB(0, 0, 255);
constexpr TColor ReportGrey = RGB(128, 128, 128);

TReportLine Heading(const String& text) {
    return {text, {fsBold}, 0, ReportBlue};
}

TReportLine ErrorHeading(const String& text) {
    return {text, {fsBold, fsItalic}, 0, ReportRed};
}

TReportLine Plain(const String& text, TColor colour = clBlack) {
    return {text, {}, 0, colour};
}

void AddEntries(TReportLines& lines, const TAnalyserEntries& entries, TColor colour = clBlack) {
    for (const String& entry : entries)
        lines.push_back(Plain(entry, colour));
}

void AddEntriesOrNone(TReportLines& lines, const TAnalyserEntries& entries, const char* none) {
    if (entries.empty())
        lines.push_back(Plain(none));
    AddEntries(lines, entries);
}

void AddMissing(TReportLines& lines, const TAnalyserEntries& entries, const char* heading,
                const String& before) {
    if (entries.empty())
        return;
    lines.push_back(ErrorHeading(heading));
    for (const String& entry : entries)
        lines.push_back(Plain(before + entry + "     <<<", ReportRed));
}

void AddOptional(TReportLines& lines, const TAnalyserEntries& entries, const char* heading,
                 TColor colour) {
    if (entries.empty())
        return;
    lines.push_back(Heading(heading));
    AddEntries(lines, entries, colour);
}

const char* const ImagesMissingHeading = "The following images CANNOT BE FOUND:";
const char* const ImagesCommentedHeading = "The following images are commented out:";
const char* const ExternalHeading = "The following external links have not been checked:";
const char* const LinksMissingHeading = "The following links point to NON-EXISTENT pages:";
const char* const LinksCommentedHeading = "The following links are commented out:";
const char* const Rule = "===========================";

} // namespace

TReportLine PathLine(const String& path) {
    return {path, {fsBold, fsItalic}, 2, ReportGreen};
}

TReportLines ImageSectionLines(const String& path, const TAnalyserListSet& lists) {
    TReportLines lines{PathLine(path), Heading("uses the following images:")};
    AddEntriesOrNone(lines, lists[alImagesUsed], "     NONE");
    AddMissing(lines, lists[alImagesMissing], ImagesMissingHeading, ">>>    ");
    AddOptional(lines, lists[alImagesCommented], ImagesCommentedHeading, clBlack);
    return lines;
}

TReportLines LinkSectionLines(const String& path, const TAnalyserListSet& lists) {
    TReportLines lines{Plain(""), PathLine(path), Heading("contains the following active links:")};
    AddEntriesOrNone(lines, lists[alLinksActive], "     NONE");
    lines.push_back(Heading(ExternalHeading));
    AddEntriesOrNone(lines, lists[alLinksExternal], "     NONE");
    AddMissing(lines, lists[alLinksMissing], LinksMissingHeading, ">>>    ");
    AddOptional(lines, lists[alLinksCommented], LinksCommentedHeading, clBlack);
    return lines;
}

TReportLines SummaryLines(const TAnalyserListSet& lists, bool trailingEmptyLine) {
    bool errors = !lists[alImagesMissing].empty() || !lists[alLinksMissing].empty();
    TReportLines lines{
        Plain(Rule),
        errors ? TReportLine{"=== ERRORS WERE REPORTED ===", {fsBold}, 1, ReportRed}
               : TReportLine{"=== No errors were reported ===", {fsBold}, 1, ReportBlue},
        Plain(Rule)};
    if (trailingEmptyLine)
        lines.push_back(Plain(""));
    return lines;
}

std::vector<TReportLines> CombinedReportParts(const TAnalyserListSet& lists) {
    std::vector<TReportLines> parts(9);
    parts[0] = {Plain(""), Heading("The selected files use the following images:")};
    AddEntriesOrNone(parts[0], lists[alImagesUsed], "    NONE");
    AddOptional(parts[1], lists[alImagesExternal], ExternalHeading, clBlack);
    AddMissing(parts[2], lists[alImagesMissing], ImagesMissingHeading, ">>>    ");
    AddOptional(parts[3], lists[alImagesCommented], ImagesCommentedHeading, ReportGrey);
    parts[4] = {Plain("---------------------------"),
                Heading("The selected files contain these active links:")};
    AddEntriesOrNone(parts[4], lists[alLinksActive], "     NONE");
    AddOptional(parts[5], lists[alLinksExternal], ExternalHeading, clBlack);
    AddMissing(parts[6], lists[alLinksMissing], LinksMissingHeading, ">>>     ");
    AddOptional(parts[7], lists[alLinksCommented], LinksCommentedHeading, ReportGrey);
    parts[8] = SummaryLines(lists, false);
    return parts;
}

TReportLines NotAnalysedLines(const std::vector<String>& names) {
    if (names.empty())
        return {};
    TReportLines lines{Heading("The following files were not analysed:")};
    for (const String& name : names)
        lines.push_back(Plain(name));
    lines.push_back(Plain(Rule));
    return lines;
}
