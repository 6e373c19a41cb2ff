// The text routines under the page-rewriting commands.

#include "editor/TextTransforms.h"

#include "services/TextScan.h"

#include <algorithm>
#include <functional>

namespace TextTransforms {

namespace {

constexpr std::string_view LineEnd = "\r\n";

bool IsUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

// "a" up to code 127: the characters the word-wise modes lower or raise.
bool IsFromLowerA(char c) {
    return static_cast<unsigned char>(c) >= 'a' && static_cast<unsigned char>(c) <= 127;
}

bool IsCaseable(char c) {
    return IsUpperAscii(c) || IsFromLowerA(c);
}

char Raised(char c) {
    return IsCaseable(c) ? UpCase(c) : c;
}

char Lowered(char c) {
    return IsCaseable(c) ? LowCase(c) : c;
}

// Calls visit with each line and whether a line end follows it; a final line end starts no
// further line, and an empty text has no lines.
void ForEachLine(std::string_view text, const std::function<void(std::string_view, bool)>& visit) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(LineEnd, start);
        if (end == std::string_view::npos) {
            visit(text.substr(start), false);
            return;
        }
        visit(text.substr(start, end - start), true);
        start = end + LineEnd.size();
    }
}

bool StartsWith(std::string_view text, size_t at, std::string_view part) {
    return text.compare(at, part.size(), part) == 0;
}

// Each line of the text rewritten by change; every line is given a CR LF after it.
String EachLineWithEnd(std::string_view lines,
                       const std::function<void(std::string_view, String&)>& change) {
    String out;
    out.reserve(lines.size() + lines.size() / 16 + 2);
    size_t start = 0;
    while (true) {
        size_t end = lines.find(LineEnd, start);
        std::string_view line = lines.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        change(line, out);
        out += LineEnd;
        if (end == std::string_view::npos)
            break;
        start = end + LineEnd.size();
    }
    return out;
}

} // namespace

String ChangeCase(std::string_view text, TCaseMode mode) {
    String out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        char& c = out[i];
        switch (mode) {
        case TCaseMode::Upper:
            c = UpCase(c);
            break;
        case TCaseMode::Lower:
            c = LowCase(c);
            break;
        case TCaseMode::Sentence:
            c = i == 0 ? Raised(c) : Lowered(c);
            break;
        case TCaseMode::InitialCaps:
            c = i == 0 || text[i - 1] == ' ' ? Raised(c) : Lowered(c);
            break;
        case TCaseMode::Toggle:
            c = IsUpperAscii(c) ? LowCase(c) : c >= 'a' && c <= 'z' ? UpCase(c) : c;
            break;
        }
    }
    return out;
}

String ChangeTagCase(std::string_view text, bool upper) {
    String out(text);
    bool inTag = false;
    bool inQuotes = false;
    bool inComment = false;
    int depth = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        if (inComment) {
            if (!StartsWith(text, i, "-->"))
                continue;
            if (--depth > 0)
                continue;
            inComment = false;
        }
        char& c = out[i];
        if (StartsWith(text, i, "<!--")) {
            inComment = true;
            ++depth;
            inTag = false;
            inQuotes = false;
        } else if (inTag && !inQuotes) {
            if (c == '>')
                inTag = false;
            else if (c == '"')
                inQuotes = true;
            else
                c = upper ? UpCase(c) : LowCase(c);
        } else if (inTag) {
            if (c == '"')
                inQuotes = false;
        } else if (c == '<') {
            inTag = true;
            inQuotes = false;
        }
    }
    return out;
}

String IndentLines(std::string_view lines, int& count) {
    count = 0;
    return EachLineWithEnd(lines, [&count](std::string_view line, String& out) {
        if (!line.empty()) {
            out += '\t';
            ++count;
        }
        out += line;
    });
}

String UnindentLines(std::string_view lines, int& count) {
    count = 0;
    return EachLineWithEnd(lines, [&count](std::string_view line, String& out) {
        if (!line.empty() && line[0] == '\t') {
            line.remove_prefix(1);
            ++count;
        }
        out += line;
    });
}

String RemoveIndents(std::string_view text) {
    String out;
    out.reserve(text.size());
    ForEachLine(text, [&out](std::string_view line, bool ended) {
        size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            for (size_t i = first; i < line.size(); ++i) {
                if (line[i] != '\t')
                    out += line[i];
                else if (line[i - 1] != ' ')
                    out += ' ';
            }
        }
        if (ended)
            out += LineEnd;
    });
    return out;
}

String CommentLines(std::string_view lines) {
    String out;
    out.reserve(lines.size() + lines.size() / 16 + 1);
    ForEachLine(lines, [&out](std::string_view line, bool ended) {
        out += '#';
        out += line;
        if (ended)
            out += LineEnd;
    });
    return out;
}

String UncommentLines(std::string_view lines) {
    String out;
    out.reserve(lines.size());
    ForEachLine(lines, [&out](std::string_view line, bool ended) {
        if (!line.empty() && line[0] == '#')
            line.remove_prefix(1);
        out += line;
        if (ended)
            out += LineEnd;
    });
    return out;
}

String AnglesToCodes(std::string_view text, bool addBreaks) {
    String out;
    out.reserve(text.size() + text.size() / 8);
    ForEachLine(text, [&out, addBreaks](std::string_view line, bool ended) {
        for (char c : line) {
            if (c == '<')
                out += "&lt;";
            else if (c == '>')
                out += "&gt;";
            else if (c == '&')
                out += "&amp;";
            else
                out += c;
        }
        if (addBreaks)
            out += "<BR>";
        if (ended)
            out += LineEnd;
    });
    return out;
}

String CodesToAngles(std::string_view text, bool dropBreaks) {
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (StartsWith(text, i, "&lt;")) {
            out += '<';
            i += 4;
        } else if (StartsWith(text, i, "&gt;")) {
            out += '>';
            i += 4;
        } else if (StartsWith(text, i, "&amp;")) {
            out += '&';
            i += 5;
        } else if (dropBreaks && StartsWith(text, i, "<BR>")) {
            i += 4;
        } else {
            out += text[i++];
        }
    }
    return out;
}

String RemoveBlankLines(std::string_view text) {
    std::vector<std::string_view> lines;
    ForEachLine(text, [&lines](std::string_view line, bool) { lines.push_back(line); });
    String out;
    out.reserve(text.size() + 2);
    for (size_t i = 0; i < lines.size(); ++i) {
        bool last = i + 1 == lines.size();
        if (last || !lines[i].empty() || lines[i + 1].empty()) {
            out += lines[i];
            out += LineEnd;
        }
    }
    return out;
}

String RemoveComments(std::string_view text) {
    const String lower = LowerCase(String(text));
    TForwardFinder comments(lower, "<!--");
    TForwardFinder scripts(lower, "<script");
    TForwardFinder styles(lower, "<style");
    String out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        size_t comment = comments.Next(at);
        if (comment == std::string_view::npos)
            break;
        size_t block = std::min(scripts.Next(at), styles.Next(at));
        size_t point = std::min(block, comment);
        out.append(text.substr(at, point - at));
        if (point == comment) {
            // The "-->" is looked for from the comment's second dash on.
            size_t close = lower.find("-->", comment + 3);
            at = close == String::npos ? comment + 3 : close + 3;
            continue;
        }
        std::string_view endTag = point == scripts.Next(at) ? "</script>" : "</style>";
        size_t close = lower.find(endTag, point);
        // A block left open runs to the end of the text, all of it kept.
        size_t end = close == String::npos ? text.size() : close + endTag.size();
        out.append(text.substr(point, end - point));
        at = end;
    }
    if (at < text.size())
        out.append(text.substr(at));
    return out;
}

int LeadingTabs(std::string_view line) {
    size_t count = line.find_first_not_of('\t');
    return static_cast<int>(count == std::string_view::npos ? line.size() : count);
}

} // namespace TextTransforms
