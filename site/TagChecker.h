#pragma once
// The tag checker: a line-by-line scan of a page's HTML for missing or repeated document tags,
// tags closed without being opened or never closed, tags in the wrong section, wrong table
// nesting, unclosed tags and quotes, and images without a text alternative or a size; and the
// tag map, the page's tags as an indented outline. Both work on the text alone, so the window
// only shows what they give.
//
// Report lines that point at a place read "Line <n> char <m> - <message>", n and m counted from
// 1; a second line about a related place begins with five blanks.

#include "platform/SysUtils.h"

#include <string_view>
#include <unordered_set>
#include <vector>

// A set of upper-case tag names, read from a resource string split at each blank.
class TTagNames {
public:
    TTagNames() = default;
    explicit TTagNames(const String& blankSeparated);
    bool Contains(std::string_view name) const { return FNames.count(name) != 0; }
    const std::vector<String>& Names() const { return FOrder; }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::vector<String> FOrder;
    std::unordered_set<String, Hash, std::equal_to<>> FNames;
};

// The container tags of resource 101: the tags that an end tag closes.
const TTagNames& ContainerTagNames();

// A page's text split into lines at its line ends (CR LF, LF or a lone CR), with the position of
// each line's first character.
class TTextLines {
public:
    explicit TTextLines(std::string_view text);
    int Count() const { return static_cast<int>(FStarts.size()); }
    std::string_view Line(int index) const;
    int LineStart(int index) const { return FStarts[index]; }
    // The 0-based line that holds the position.
    int LineOf(int position) const;

private:
    std::string_view FText;
    std::vector<int> FStarts;
    std::vector<int> FEnds;
};

struct TTagCheckResult {
    std::vector<String> Report;
    // The 1-based columns of the tags still open at the end, oldest first.
    std::vector<String> PositionList;
};

// The whole check of a page's text.
TTagCheckResult CheckTagText(const String& text, const TTagNames& containerTags);

// Reports a second "<" + name in the upper-cased lines: where the first one is, and where the
// second is when it lies on a later line.
void CheckSingleTag(const String& name, const TTextLines& upperLines, std::vector<String>& report);

// The 1-based position of the value of an attribute in an upper-cased tag text: the first
// occurrence of the name anywhere in the text, then white space, "=", white space. 0 when the
// name is missing, no "=" follows it or the value would begin with ">".
int FindAttributeValue(const String& tagText, const String& name);

struct TTagMapLine {
    String Line;
    int Position = 0; // the 0-based index of the line's "<" in the text
};

// The page's tags as an outline: container tags indent what follows them until their end tag.
// level is the up-down's position: 0 shows every depth, n the outermost n depths.
std::vector<TTagMapLine> MapTags(const String& text, const TTagNames& containerTags, int level);

// Reads the place a report line names: "Line <n> char <m>" after any leading blanks ("Char"
// also). False for a line that names no place.
bool ParseReportPlace(const String& line, int& lineNumber, int& column);
