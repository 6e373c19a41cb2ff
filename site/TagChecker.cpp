#include "site/TagChecker.h"

#include "site/TagCheckTables.h"

#include <algorithm>

namespace {

bool IsTagTextEnd(unsigned char c) {
    return c <= 32 || c >= 127 || c == '>';
}

bool IsWhiteSpace(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

String Place(int line, int column) {
    return "Line " + IntToStr(line) + " char " + IntToStr(column);
}

String SecondPlace(int line, int column) {
    return "     " + Place(line, column);
}

// One open tag: its name and where its "<" stands.
struct TOpenTag {
    String Name;
    int Line = 0;
    int Column = 0;
};

void ReportNotClosed(const String& where, const TOpenTag& tag, std::vector<String>& report) {
    report.push_back(where + " - <" + tag.Name + "> opened in line " + IntToStr(tag.Line) +
                     " char " + IntToStr(tag.Column) + " not closed.");
    report.push_back(SecondPlace(tag.Line, tag.Column) + " - Location of opening <" + tag.Name +
                     "> tag");
}

// The line scan: the open-tag stack, comments and scripts skipped, the head and body rules and
// table nesting.
class TLineScan {
public:
    TLineScan(const TTagNames& containerTags, const String& upperText, std::vector<String>& report)
        : FContainers(containerTags), FUpperText(upperText), FReport(report),
          FEmptyTags(LoadResourceText(EmptyTagsResource)),
          FHeadTags(LoadResourceText(HeadTagsResource)),
          FHeadOnlyTags(LoadResourceText(HeadOnlyTagsResource)) {}

    void ScanLine(std::string_view line, int lineNumber) {
        size_t p = 0;
        while (p < line.size()) {
            if (line.compare(p, 3, "-->") == 0)
                LowerSkipDepth();
            if (line[p] != '<') {
                ++p;
                continue;
            }
            size_t end = p + 1;
            while (end < line.size() && !IsTagTextEnd(static_cast<unsigned char>(line[end])))
                ++end;
            std::string_view tagText = line.substr(p, end - p);
            bool endedByBracket = end < line.size() && line[end] == '>';
            FLine = lineNumber;
            FColumn = static_cast<int>(p) + 1;
            if (tagText.size() > 1 && tagText[1] == '/')
                EndTag(String(tagText.substr(2)));
            else
                StartTag(String(tagText.substr(1)), endedByBracket);
            p = end + 1;
        }
    }

    void ReportOpenAtEnd() {
        for (auto tag = FStack.rbegin(); tag != FStack.rend(); ++tag)
            ReportNotClosed("End of file", *tag, FReport);
    }

    std::vector<String> OpenColumns() const {
        std::vector<String> columns;
        for (const TOpenTag& tag : FStack)
            columns.push_back(IntToStr(tag.Column));
        return columns;
    }

private:
    String Where() const { return Place(FLine, FColumn); }
    void Add(const String& message) { FReport.push_back(Where() + message); }

    void LowerSkipDepth() {
        if (FSkipDepth > 0)
            --FSkipDepth;
    }

    void EndTag(const String& name) {
        if (FSkipDepth == 0 && !CheckClosingOrder(name))
            return;
        if (name != "P" && name != "LI" && FSkipDepth == 0)
            CloseOnStack(name);
        if (name == "SCRIPT")
            LowerSkipDepth();
    }

    // False when the name is no container tag: nothing more is done for it.
    bool CheckClosingOrder(const String& name) {
        if (!FContainers.Contains(name)) {
            bool optional = name == "DT" || name == "DD" || name == "LI" || name == "OPTION";
            Add(String(optional ? " - Unnecessary" : " - Unrecognised") + " closing tag </" + name +
                ">.");
            return false;
        }
        if (name == "TABLE" && FLastClosing != "TR")
            Add(" - </TR> should precede </TABLE>.");
        if (name == "TR" && FLastClosing != "TD" && FLastClosing != "TH")
            Add(" - </TD> or </TH> should precede </TR>.");
        FLastClosing = name;
        return true;
    }

    void CloseOnStack(const String& name) {
        if (!FStack.empty() && FStack.back().Name == name) {
            FStack.pop_back();
            return;
        }
        int found = static_cast<int>(FStack.size()) - 2;
        while (found >= 0 && FStack[found].Name != name)
            --found;
        if (found < 0) {
            Add(" - <" + name + "> closed but not opened.");
            return;
        }
        while (static_cast<int>(FStack.size()) > found + 1) {
            ReportNotClosed(Where(), FStack.back(), FReport);
            FStack.pop_back();
        }
        FStack.pop_back();
    }

    // A comment written "<!--text-->" holds its own end; it must not hide the rest of the page.
    static bool IsClosedComment(const String& name, bool endedByBracket) {
        return endedByBracket && name.size() >= 5 && name.compare(name.size() - 2, 2, "--") == 0;
    }

    void StartTag(const String& name, bool endedByBracket) {
        if (name == "BODY" || name == "FRAMESET")
            FHeadPassed = true;
        // A comment that holds its own end is over at once: nothing in it is a tag.
        if (StartsWith(name, "!--") && IsClosedComment(name, endedByBracket))
            return;
        if (StartsWith(name, "!--") || name == "SCRIPT")
            ++FSkipDepth;
        if (FSkipDepth == 0)
            CheckSection(name);
        if (name.empty() || name[0] == '!' || FEmptyTags.Contains(name) || FSkipDepth > 0)
            return;
        if (!FContainers.Contains(name)) {
            Add(" - Unrecognised opening tag <" + name + ">.");
            return;
        }
        CheckOpeningOrder(name);
        FStack.push_back({name, FLine, FColumn});
        if (name == "BODY" || name == "FRAMESET")
            FBodyStarted = true;
    }

    void CheckSection(const String& name) {
        String key = "&" + name + "&";
        if (FHeadTags.find(key) == String::npos && !FHeadPassed)
            Add(" - <" + name + "> tag cannot be placed in <HEAD> section.");
        if (FHeadOnlyTags.find(key) != String::npos && FHeadPassed)
            Add(" - <" + name + "> tag can only be placed in <HEAD> section.");
    }

    void CheckOpeningOrder(const String& name) {
        bool bodyOrFrameset = name == "BODY" || name == "FRAMESET";
        if (FLastClosing == "HEAD" && !bodyOrFrameset && !FBodyStarted) {
            Add(" - <BODY> or <FRAMESET> tag should follow </HEAD> tag.");
            FBodyStarted = true;
        }
        if (name == "BODY" && FUpperText.find("<FRAMESET") != String::npos)
            Add(" - Cannot have <BODY> and <FRAMESET> tags in same document.");
        if (name == "BODY" && FLastClosing != "HEAD")
            Add(" - </HEAD> should precede <BODY> tag.");
        String top = FStack.empty() ? String() : FStack.back().Name;
        if (top == "TABLE" && name != "TR" && name != "CAPTION" && name != "TBODY" &&
            name != "COLGROUP" && name != "THEAD")
            Add(" - <TR>, <THEAD>, <TBODY>, <COLGROUP> or <CAPTION> should follow <TABLE>.");
        if (top == "TR" && name != "TD" && name != "TH")
            Add(" - <TD> or <TH> should follow <TR>.");
    }

    const TTagNames& FContainers;
    const String& FUpperText;
    std::vector<String>& FReport;
    TTagNames FEmptyTags;
    String FHeadTags;
    String FHeadOnlyTags;
    std::vector<TOpenTag> FStack;
    int FSkipDepth = 0;
    String FLastClosing;
    bool FHeadPassed = false;
    bool FBodyStarted = false;
    int FLine = 0;
    int FColumn = 0;
};

void CheckDocumentTags(const String& upperText, const TTextLines& upperLines,
                       std::vector<String>& report) {
    auto has = [&](const char* needle) { return upperText.find(needle) != String::npos; };
    if (has("<HTML>"))
        CheckSingleTag("HTML", upperLines, report);
    else
        report.push_back("Line 1 Char 1 - No opening <HTML> tag.");
    if (has("<HEAD>"))
        CheckSingleTag("HEAD", upperLines, report);
    else
        report.push_back("Line 1 Char 1 - No opening <HEAD> tag.");
    CheckSingleTag("TITLE", upperLines, report);
    if (has("<BODY"))
        CheckSingleTag("BODY", upperLines, report);
    else if (!has("<FRAMESET"))
        report.push_back("Line 1 Char 1 - No opening <BODY> or <FRAMESET> tag.");
    for (const char* name : {"/TITLE", "/HEAD", "/BODY", "/HTML"})
        CheckSingleTag(name, upperLines, report);
}

String PlaceOf(const TTextLines& lines, size_t position) {
    int line = lines.LineOf(static_cast<int>(position));
    return Place(line + 1, static_cast<int>(position) - lines.LineStart(line) + 1);
}

void CheckBracketsAndQuotes(const String& text, const TTextLines& lines,
                            std::vector<String>& report) {
    size_t before = report.size();
    bool inTag = false;
    bool inQuote = false;
    size_t tagStart = String::npos;
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 4, "<!--") == 0 && i + 6 <= text.size()) {
            size_t close = text.find("-->", i + 4);
            i = close == String::npos ? text.size() : close + 3;
            continue;
        }
        char c = text[i];
        if (c == '<') {
            if (inTag)
                report.push_back(PlaceOf(lines, tagStart) +
                                 " - tag not properly closed (missing '>' at end)");
            inTag = true;
            inQuote = false;
            tagStart = i;
        } else if (c == '"') {
            inQuote = !inQuote;
        } else if (c == '>') {
            inTag = false;
            // A quote before any tag has no tag to blame: the ">" itself is the place.
            if (inQuote)
                report.push_back(PlaceOf(lines, tagStart == String::npos ? i : tagStart) +
                                 " - tag contains unterminated quote");
            inQuote = false;
        }
        ++i;
    }
    if (report.size() > before)
        report.push_back("");
}

// A number's leading digits, after an opening double quote; 0 when there are none.
int LeadingNumber(std::string_view value) {
    if (!value.empty() && value[0] == '"')
        value.remove_prefix(1);
    int number = 0;
    for (size_t i = 0; i < value.size() && value[i] >= '0' && value[i] <= '9' && number < 100000000;
         ++i)
        number = number * 10 + (value[i] - '0');
    return number;
}

bool HasSize(const String& upperTag, const char* name) {
    int value = FindAttributeValue(upperTag, name);
    return value > 0 && LeadingNumber(std::string_view(upperTag).substr(value - 1)) != 0;
}

String ImageSourceName(const String& upperTag, const String& tag) {
    int value = FindAttributeValue(upperTag, "SRC");
    if (value == 0)
        return tag.substr(0, tag.find('"'));
    size_t start = value - 1;
    if (start < tag.size() && tag[start] == '"')
        ++start;
    size_t close = tag.find('"', start);
    return close == String::npos ? String() : tag.substr(start, close - start);
}

bool HasTextAlternative(const String& upperTag) {
    int value = FindAttributeValue(upperTag, "ALT");
    return value > 0 && upperTag.compare(value - 1, 2, "\"\"") != 0;
}

void CheckImages(const String& text, const String& upperText, const TTextLines& lines,
                 std::vector<String>& report) {
    bool headed = false;
    auto add = [&](const String& line) {
        if (!headed)
            report.push_back("COMMENTS:");
        headed = true;
        report.push_back(line);
    };
    for (size_t start = upperText.find("<IMG"); start != String::npos;
         start = upperText.find("<IMG", start + 4)) {
        size_t close = upperText.find('>', start);
        size_t length = close == String::npos ? String::npos : close - start + 1;
        String upperTag = upperText.substr(start, length);
        String tag = text.substr(start, length);
        String source = ImageSourceName(upperTag, tag);
        String where = PlaceOf(lines, start);
        if (!HasTextAlternative(upperTag))
            add(where + " - <IMG> tag (" + source + ") has no text alternative");
        bool width = HasSize(upperTag, "WIDTH");
        bool height = HasSize(upperTag, "HEIGHT");
        if (!width || !height)
            add(where + " - <IMG> tag (" + source + ") has no " + (width ? "" : "WIDTH ") +
                (!width && !height ? "or " : "") + (height ? "" : "HEIGHT ") + " attribute");
    }
}

String Indentation(int depth) {
    String indent(static_cast<size_t>(depth) * 6, ' ');
    for (int step = 1; step < depth; ++step)
        indent[step * 6 - 1] = ':';
    return indent;
}

String FollowText(const String& text, size_t from) {
    constexpr size_t MaxFollow = 79;
    size_t end = from;
    while (end < text.size() && end - from < MaxFollow && text[end] != '<' && text[end] != '\r' &&
           text[end] != '\n')
        ++end;
    bool cut = end - from == MaxFollow && end < text.size() && text[end] != '<' &&
               text[end] != '\r' && text[end] != '\n';
    return String(10, ' ') + text.substr(from, end - from) + (cut ? "..." : "");
}

} // namespace

TTagNames::TTagNames(const String& blankSeparated) {
    size_t start = 0;
    while (true) {
        size_t blank = blankSeparated.find(' ', start);
        FOrder.push_back(blankSeparated.substr(start, blank - start));
        if (blank == String::npos)
            break;
        start = blank + 1;
    }
    FNames.insert(FOrder.begin(), FOrder.end());
}

const TTagNames& ContainerTagNames() {
    static const TTagNames names(LoadResourceText(ContainerTagsResource));
    return names;
}

TTextLines::TTextLines(std::string_view text) : FText(text) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        FStarts.push_back(static_cast<int>(start));
        FEnds.push_back(static_cast<int>(i));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size() || FStarts.empty()) {
        FStarts.push_back(static_cast<int>(start));
        FEnds.push_back(static_cast<int>(text.size()));
    }
}

std::string_view TTextLines::Line(int index) const {
    return FText.substr(FStarts[index], FEnds[index] - FStarts[index]);
}

int TTextLines::LineOf(int position) const {
    auto next = std::upper_bound(FStarts.begin(), FStarts.end(), position);
    return std::max(0, static_cast<int>(next - FStarts.begin()) - 1);
}

void CheckSingleTag(const String& name, const TTextLines& upperLines, std::vector<String>& report) {
    String needle = "<" + name;
    for (int first = 0; first < upperLines.Count(); ++first) {
        std::string_view line = upperLines.Line(first);
        size_t column = line.find(needle);
        if (column == String::npos)
            continue;
        String firstLine = Place(first + 1, static_cast<int>(column) + 1) + " - Only one <" + name +
                           "> tag allowed.";
        if (line.find(needle, column + needle.size()) != String::npos) {
            report.push_back(firstLine);
            return;
        }
        for (int second = first + 1; second < upperLines.Count(); ++second) {
            size_t at = upperLines.Line(second).find(needle);
            if (at == String::npos)
                continue;
            report.push_back(firstLine);
            report.push_back(SecondPlace(second + 1, static_cast<int>(at) + 1) +
                             " - Location of second <" + name + "> tag.");
            return;
        }
        return;
    }
}

int FindAttributeValue(const String& tagText, const String& name) {
    size_t at = tagText.find(name);
    if (name.empty() || at == String::npos)
        return 0;
    size_t i = at + name.size();
    while (i < tagText.size() && IsWhiteSpace(tagText[i]))
        ++i;
    if (i >= tagText.size() || tagText[i] != '=')
        return 0;
    ++i;
    while (i < tagText.size() && IsWhiteSpace(tagText[i]))
        ++i;
    if (i >= tagText.size() || tagText[i] == '>')
        return 0;
    return static_cast<int>(i) + 1;
}

TTagCheckResult CheckTagText(const String& text, const TTagNames& containerTags) {
    TTagCheckResult result;
    std::vector<String>& report = result.Report;
    String upperText = UpperCase(text);
    TTextLines upperLines(upperText);
    CheckDocumentTags(upperText, upperLines, report);
    TLineScan scan(containerTags, upperText, report);
    for (int line = 0; line < upperLines.Count(); ++line)
        scan.ScanLine(upperLines.Line(line), line + 1);
    scan.ReportOpenAtEnd();
    result.PositionList = scan.OpenColumns();
    if (report.empty())
        report.push_back("NO ERRORS FOUND");
    report.push_back("");
    CheckBracketsAndQuotes(text, upperLines, report);
    CheckImages(text, upperText, upperLines, report);
    return result;
}

std::vector<TTagMapLine> MapTags(const String& text, const TTagNames& containerTags, int level) {
    std::vector<TTagMapLine> map;
    int deepest = level == 0 ? 100 : level - 1;
    int depth = 0;
    auto add = [&](const String& line, size_t position) {
        if (depth <= deepest)
            map.push_back({Indentation(depth) + line, static_cast<int>(position)});
    };
    size_t i = text.find('<');
    while (i != String::npos) {
        if (text.compare(i, 4, "<!--") == 0) {
            add("<!-- ... -->", i);
            size_t close = text.find("-->", i + 4);
            if (close == String::npos)
                break;
            i = text.find('<', close + 3);
            continue;
        }
        size_t end = text.find_first_of("> ", i);
        if (end == String::npos)
            end = text.size();
        String tagText = UpperCase(text.substr(i, end - i) + ">");
        if (tagText.size() > 1 && tagText[1] == '/') {
            if (tagText == "</LI>" || tagText == "</DD>" || tagText == "</DT>")
                tagText = LowerCase(tagText);
            else
                depth = std::max(0, depth - 1);
            add(tagText, i);
        } else {
            String name = tagText.substr(1, tagText.size() - 2);
            String follow = FollowText(text, std::min(end + 1, text.size()));
            bool raises = containerTags.Contains(name) && name != "P" && name != "LI";
            add((raises ? tagText : LowerCase(tagText)) + follow, i);
            if (raises)
                ++depth;
        }
        i = text.find('<', end);
    }
    return map;
}

bool ParseReportPlace(const String& line, int& lineNumber, int& column) {
    std::string_view rest = line;
    while (!rest.empty() && rest[0] == ' ')
        rest.remove_prefix(1);
    auto number = [&rest](int& value) {
        size_t digits = 0;
        while (digits < rest.size() && digits < 9 && rest[digits] >= '0' && rest[digits] <= '9')
            ++digits;
        if (digits == 0)
            return false;
        value = std::stoi(String(rest.substr(0, digits)));
        rest.remove_prefix(digits);
        return true;
    };
    if (!StartsWith(rest, "Line "))
        return false;
    rest.remove_prefix(5);
    if (!number(lineNumber))
        return false;
    if (!StartsWith(rest, " char ") && !StartsWith(rest, " Char "))
        return false;
    rest.remove_prefix(6);
    return number(column) && lineNumber > 0 && column > 0;
}
