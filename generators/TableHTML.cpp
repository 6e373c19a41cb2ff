// The table writer and reader. The reader finds the table's structure in a lower-cased copy
// without blanks around "=", and takes every text (caption, cells, what follows the table) from
// the selection itself through a map of positions, so no character of a text changes on its way
// through the designer.

#include "generators/TableHTML.h"

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "platform/ColorGrd.h"

#include <algorithm>
#include <array>

namespace {

const std::array<String, 16> ColourNames = {"Black", "Maroon",  "Green", "Olive", "Navy", "Purple",
                                            "Teal",  "Silver",  "Gray",  "Red",   "Lime", "Yellow",
                                            "Blue",  "Fuchsia", "Aqua",  "White"};

String ColourHex(int index) {
    TColor colour = TColorGrid::PaletteColor(index);
    String bgr = IntToHex(colour & 0xFFFFFF, 6);
    return "#" + bgr.substr(4, 2) + bgr.substr(2, 2) + bgr.substr(0, 2);
}

// ---- Writing ----

String RowAlignAttribute(TMyAlign row) {
    if (row == TMyAlign::alRight)
        return " ALIGN=RIGHT";
    if (row == TMyAlign::alCenter)
        return " ALIGN=CENTER";
    return "";
}

// A cell says its alignment only where it differs from its row's.
String CellAlignAttribute(TMyAlign cell, TMyAlign row) {
    if (cell == TMyAlign::alDefault || cell == row)
        return "";
    if (cell == TMyAlign::alCenter)
        return " ALIGN=CENTER";
    if (cell == TMyAlign::alRight)
        return " ALIGN=RIGHT";
    return cell == TMyAlign::alLeft ? " ALIGN=LEFT" : "";
}

String ValignAttribute(const String& hint) {
    if (hint == "valign=top")
        return " VALIGN=TOP";
    if (hint == "valign=bottom")
        return " VALIGN=BOTTOM";
    if (hint == "valign=baseline")
        return " VALIGN=BASELINE";
    return "";
}

// The leading digits of a text, 0 when it starts with anything else.
int LeadingNumber(std::string_view text) {
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        number = std::min(number * 10 + (c - '0'), 99999999);
    }
    return number;
}

String ColumnWidthAttribute(const String& widthText) {
    String width = RemoveChars(widthText, " \"");
    size_t at = width.find("WIDTH=");
    if (at == String::npos)
        return "";
    int number = LeadingNumber(std::string_view(width).substr(at + 6));
    if (number <= 0)
        return "";
    if (width.find('%') != String::npos)
        return " WIDTH=\"" + IntToStr(number) + "%\"";
    return " WIDTH=" + IntToStr(number);
}

String TableStartTag(const TTableDesign& d) {
    String tag = "<TABLE";
    if (d.BackColour >= 0 && d.BackColour < 16)
        tag += " BGCOLOR=" + ColourNames[d.BackColour];
    if (d.Width > 0)
        tag += d.Percent ? " WIDTH=\"" + IntToStr(d.Width) + "%\"" : " WIDTH=" + IntToStr(d.Width);
    if (d.Border > 0)
        tag += " BORDER=" + IntToStr(d.Border);
    if (d.Padding > 0)
        tag += " CELLPADDING=" + IntToStr(d.Padding);
    if (d.Spacing > 0)
        tag += " CELLSPACING=" + IntToStr(d.Spacing);
    if (!d.Align.empty())
        tag += " ALIGN=" + d.Align;
    if (!d.Frame.empty())
        tag += " FRAME=" + d.Frame;
    if (!d.Rules.empty())
        tag += " RULES=" + d.Rules;
    return tag + ">\r\n";
}

// ---- Reading ----

// The text without blanks around "=", with each kept character's index in the source, and
// one more entry for the end.
struct TMappedText {
    String Text;
    std::vector<int> From;
};

TMappedText WithoutBlanksAroundEquals(const String& source) {
    TMappedText mapped;
    mapped.Text.reserve(source.size());
    mapped.From.reserve(source.size() + 1);
    for (size_t i = 0; i < source.size(); ++i) {
        char c = source[i];
        if (c == '=') {
            if (i > 0 && source[i - 1] == ' ' && !mapped.Text.empty() &&
                mapped.From.back() == static_cast<int>(i) - 1) {
                mapped.Text.pop_back();
                mapped.From.pop_back();
            }
            mapped.Text += c;
            mapped.From.push_back(static_cast<int>(i));
            while (i + 1 < source.size() && source[i + 1] == ' ')
                ++i;
            continue;
        }
        mapped.Text += c;
        mapped.From.push_back(static_cast<int>(i));
    }
    mapped.From.push_back(static_cast<int>(source.size()));
    return mapped;
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == ':' || c == '_';
}

// Whether the lower-case text holds the start (or, with "/", end) tag opening at index.
bool TagAt(std::string_view text, size_t index, std::string_view opening) {
    return text.compare(index, opening.size(), opening) == 0 &&
           (index + opening.size() >= text.size() || !IsNameChar(text[index + opening.size()]));
}

// The first of the tag openings at or after from and before to, with the opening found;
// npos when none.
size_t NextTag(std::string_view text, size_t from, size_t to,
               std::initializer_list<std::string_view> openings, std::string_view* found) {
    for (size_t p = text.find('<', from); p != String::npos && p < to; p = text.find('<', p + 1))
        for (std::string_view opening : openings)
            if (TagAt(text, p, opening)) {
                if (found)
                    *found = opening;
                return p;
            }
    return String::npos;
}

// One past the element whose start tag opens at index: its end tag, or, when that cannot be
// found, where its next sibling or its parent's end begins, so that a missing end tag never
// loses the text after it.
size_t ElementEnd(std::string_view text, size_t index, size_t limit,
                  std::initializer_list<std::string_view> endsAt) {
    int start = 0;
    int length = 0;
    if (TElementNavigation::MatchingElement(text.substr(0, limit), static_cast<int>(index), start,
                                            length))
        return static_cast<size_t>(start + length - 1);
    size_t from = text.find('>', index);
    from = from == String::npos || from >= limit ? limit : from + 1;
    int depth = 0;
    for (size_t p = text.find('<', from); p != String::npos && p < limit;
         p = text.find('<', p + 1)) {
        if (TagAt(text, p, "<table"))
            ++depth;
        else if (TagAt(text, p, "</table") && depth > 0)
            --depth;
        else if (depth == 0)
            for (std::string_view opening : endsAt)
                if (TagAt(text, p, opening))
                    return p;
    }
    return limit;
}

// The value of an attribute of its own in an upper-case attribute text; npos when absent.
size_t AttributeValueAt(const String& attributes, const String& name) {
    String key = name + "=";
    for (size_t at = attributes.find(key); at != String::npos; at = attributes.find(key, at + 1))
        if (at == 0 || attributes[at - 1] == ' ')
            return at + key.size();
    return String::npos;
}

bool HasFlag(const String& attributes, const String& name) {
    for (size_t at = attributes.find(name); at != String::npos;
         at = attributes.find(name, at + 1)) {
        size_t past = at + name.size();
        if ((at == 0 || attributes[at - 1] == ' ') &&
            (past == attributes.size() || attributes[past] == ' ' || attributes[past] == '='))
            return true;
    }
    return false;
}

// A word value: cut at the first blank and ">", one quote dropped at each end.
String WordValue(const String& attributes, size_t at) {
    String value = attributes.substr(at);
    value = value.substr(0, value.find_first_of(" >"));
    if (!value.empty() && value.front() == '"')
        value.erase(0, 1);
    if (!value.empty() && value.back() == '"')
        value.pop_back();
    return value;
}

int NumberValue(const String& attributes, size_t at) {
    std::string_view value = std::string_view(attributes).substr(at);
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    return LeadingNumber(value);
}

// The names of the attributes in an upper-case attribute text, in order.
std::vector<String> AttributeNames(const String& attributes) {
    std::vector<String> names;
    size_t i = 0;
    while (i < attributes.size()) {
        while (i < attributes.size() && IsBlankChar(attributes[i]))
            ++i;
        size_t start = i;
        while (i < attributes.size() && attributes[i] != '=' && !IsBlankChar(attributes[i]))
            ++i;
        if (i > start)
            names.push_back(attributes.substr(start, i - start));
        if (i < attributes.size() && attributes[i] == '=') {
            ++i;
            if (i < attributes.size() && (attributes[i] == '"' || attributes[i] == '\'')) {
                size_t close = attributes.find(attributes[i], i + 1);
                i = close == String::npos ? attributes.size() : close + 1;
            } else
                while (i < attributes.size() && !IsBlankChar(attributes[i]))
                    ++i;
        }
    }
    return names;
}

bool IsOneOf(const String& value, std::initializer_list<const char*> items) {
    return std::any_of(items.begin(), items.end(), [&](const char* item) { return value == item; });
}

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsBlankChar);
}

class TTableReader {
public:
    explicit TTableReader(const String& source)
        : FSource(source), FMapped(WithoutBlanksAroundEquals(source)), FL(LowerCase(FMapped.Text)) {
    }

    TTableReading Read();

private:
    const String& FSource;
    TMappedText FMapped;
    String FL;
    TTableReading FResult;

    // The source's text between two positions of the structure copy.
    String SourceText(size_t from, size_t to) const {
        int start = from == 0 ? 0 : FMapped.From[from - 1] + 1;
        int end = FMapped.From[to];
        return end > start ? FSource.substr(start, end - start) : String();
    }
    String TagAttributes(size_t index) const {
        return ExtractTagAttributes(FL.substr(index, FL.find('>', index) - index));
    }
    void Tell(const String& what) {
        if (std::find(FResult.Unheld.begin(), FResult.Unheld.end(), what) == FResult.Unheld.end())
            FResult.Unheld.push_back(what);
    }
    void TellOtherAttributes(const String& attributes, std::initializer_list<const char*> known,
                             const String& where) {
        for (const String& name : AttributeNames(attributes))
            if (!IsOneOf(name, known))
                Tell("the " + name + " attribute of " + where);
    }
    // One past the caption element; npos when there is none.
    size_t ReadCaption(size_t tableEnd);
    void ReadTableAttributes();
    void ReadBackground(const String& attributes, size_t at);
    void ReadRow(size_t rowStart, size_t rowEnd);
    void ReadCell(size_t cellStart, size_t cellEnd, std::string_view opening, int col, int row,
                  const String& rowValign);
    void TellTextBetween(size_t from, size_t to, const String& where) {
        if (from < to && !IsBlankText(std::string_view(FL).substr(from, to - from)))
            Tell("tags or text " + where);
    }
};

TTableReading TTableReader::Read() {
    if (!TagAt(FL, 0, "<table"))
        return std::move(FResult);
    int start = 0;
    int length = 0;
    size_t tableEnd = FL.size();
    if (TElementNavigation::MatchingElement(FL, 0, start, length)) {
        tableEnd = static_cast<size_t>(length - 1);
        // The written table ends its own line; the line end that followed it is that one.
        FResult.After = SourceText(tableEnd, FL.size());
        if (FResult.After.starts_with("\r\n"))
            FResult.After.erase(0, 2);
    }
    size_t rowStart = NextTag(FL, 0, tableEnd, {"<tr"}, nullptr);
    if (rowStart == String::npos)
        return std::move(FResult);
    size_t tagEnd = std::min(FL.find('>') + 1, rowStart);
    size_t captionEnd = ReadCaption(tableEnd);
    ReadTableAttributes();
    const String beforeRows = "between the TABLE tag and the first row";
    if (captionEnd == String::npos || captionEnd > rowStart)
        TellTextBetween(tagEnd, rowStart, beforeRows);
    else {
        TellTextBetween(tagEnd, FL.find("<caption>"), beforeRows);
        TellTextBetween(captionEnd, rowStart, beforeRows);
    }
    while (rowStart != String::npos) {
        size_t rowEnd = ElementEnd(FL, rowStart, tableEnd, {"<tr", "</table"});
        ReadRow(rowStart, rowEnd);
        size_t next = NextTag(FL, rowEnd, tableEnd, {"<tr"}, nullptr);
        size_t closing =
            tableEnd >= 8 && FL.compare(tableEnd - 8, 8, "</table>") == 0 ? tableEnd - 8 : tableEnd;
        TellTextBetween(rowEnd, next == String::npos ? closing : next, "between rows");
        rowStart = next;
    }
    FResult.Design.Widths.resize(static_cast<size_t>(FResult.Design.Cols));
    for (auto& row : FResult.Design.Rows) {
        if (static_cast<int>(row.size()) < FResult.Design.Cols)
            Tell("rows with fewer cells than others, which get empty cells");
        row.resize(static_cast<size_t>(FResult.Design.Cols));
    }
    FResult.Read = true;
    return std::move(FResult);
}

size_t TTableReader::ReadCaption(size_t tableEnd) {
    size_t at = FL.find("<caption>");
    if (at == String::npos || at >= tableEnd)
        return String::npos;
    size_t textStart = at + 9;
    size_t textEnd = FL.find("</caption>", textStart);
    if (textEnd == String::npos)
        return String::npos;
    FResult.Design.Caption = SourceText(textStart, textEnd);
    return textEnd + 10;
}

void TTableReader::ReadTableAttributes() {
    String attributes = ExtractTagAttributes(FL);
    TTableDesign& d = FResult.Design;
    size_t at = String::npos;
    if ((at = AttributeValueAt(attributes, "CELLPADDING")) != String::npos)
        d.Padding = NumberValue(attributes, at);
    if ((at = AttributeValueAt(attributes, "CELLSPACING")) != String::npos)
        d.Spacing = NumberValue(attributes, at);
    if ((at = AttributeValueAt(attributes, "BORDER")) != String::npos)
        d.Border = NumberValue(attributes, at);
    if ((at = AttributeValueAt(attributes, "WIDTH")) != String::npos) {
        d.Width = NumberValue(attributes, at);
        String value = attributes.substr(at);
        d.Percent = value.substr(0, value.find(' ')).find('%') != String::npos;
    }
    if ((at = AttributeValueAt(attributes, "BGCOLOR")) != String::npos)
        ReadBackground(attributes, at);
    if ((at = AttributeValueAt(attributes, "ALIGN")) != String::npos) {
        String value = WordValue(attributes, at);
        if (IsOneOf(value, {"LEFT", "CENTER", "RIGHT"}))
            d.Align = value;
        else
            Tell("the table's alignment " + value);
    }
    if ((at = AttributeValueAt(attributes, "FRAME")) != String::npos)
        d.Frame = WordValue(attributes, at);
    if ((at = AttributeValueAt(attributes, "RULES")) != String::npos)
        d.Rules = WordValue(attributes, at);
    TellOtherAttributes(
        attributes,
        {"CELLPADDING", "CELLSPACING", "BORDER", "WIDTH", "BGCOLOR", "ALIGN", "FRAME", "RULES"},
        "TABLE");
}

void TTableReader::ReadBackground(const String& attributes, size_t at) {
    String value = WordValue(attributes, at);
    for (int i = 0; i < 16; ++i)
        if (value == ColourHex(i) || value == UpperCase(ColourNames[i])) {
            FResult.Design.BackColour = i;
            return;
        }
    Tell("the background colour " + value + ", not one of the 16 named colours");
}

void TTableReader::ReadRow(size_t rowStart, size_t rowEnd) {
    TTableDesign& d = FResult.Design;
    int row = d.RowCount();
    d.Rows.emplace_back();
    d.RowAligns.push_back(TMyAlign::alLeft);
    String attributes = TagAttributes(rowStart);
    String rowValign;
    size_t at = String::npos;
    if ((at = AttributeValueAt(attributes, "VALIGN")) != String::npos)
        rowValign = "valign=" + LowerCase(WordValue(attributes, at));
    if ((at = AttributeValueAt(attributes, "ALIGN")) != String::npos) {
        String value = WordValue(attributes, at);
        d.RowAligns.back() = value == "CENTER"  ? TMyAlign::alCenter
                             : value == "RIGHT" ? TMyAlign::alRight
                                                : TMyAlign::alLeft;
    }
    TellOtherAttributes(attributes, {"VALIGN", "ALIGN"}, "a row");
    size_t from = FL.find('>', rowStart);
    from = from == String::npos || from >= rowEnd ? rowEnd : from + 1;
    size_t content = rowEnd >= 5 && FL.compare(rowEnd - 5, 5, "</tr>") == 0 ? rowEnd - 5 : rowEnd;
    int col = 0;
    std::string_view opening;
    for (size_t cell = NextTag(FL, from, content, {"<td", "<th"}, &opening); cell != String::npos;
         cell = NextTag(FL, from, content, {"<td", "<th"}, &opening)) {
        TellTextBetween(from, cell, "between cells");
        size_t cellEnd = ElementEnd(FL, cell, content, {"<td", "<th", "<tr", "</tr", "</table"});
        ReadCell(cell, cellEnd, opening, col++, row, rowValign);
        from = cellEnd;
    }
    TellTextBetween(from, content, "between cells");
    d.Cols = std::max(d.Cols, col);
}

void TTableReader::ReadCell(size_t cellStart, size_t cellEnd, std::string_view opening, int col,
                            int row, const String& rowValign) {
    TTableDesign& d = FResult.Design;
    bool heading = opening == "<th";
    if (heading)
        d.Heading = true;
    if (heading != (row == 0) && (heading || d.Heading))
        Tell("heading cells (TH) outside the first row, or ordinary cells in it");
    TTableCell& cell = d.Cell(col, row);
    String attributes = TagAttributes(cellStart);
    size_t at = String::npos;
    cell.NoWrap = HasFlag(attributes, "NOWRAP");
    if ((at = AttributeValueAt(attributes, "VALIGN")) != String::npos)
        cell.Hint = "valign=" + LowerCase(WordValue(attributes, at));
    if ((at = AttributeValueAt(attributes, "ALIGN")) != String::npos) {
        String value = WordValue(attributes, at);
        if (value == "LEFT")
            cell.Align = TMyAlign::alLeft;
        else if (value == "CENTER")
            cell.Align = TMyAlign::alCenter;
        else if (value == "RIGHT")
            cell.Align = TMyAlign::alRight;
    }
    if ((at = AttributeValueAt(attributes, "WIDTH")) != String::npos) {
        String number = IntToStr(NumberValue(attributes, at));
        bool percent = attributes.find('%', at) != String::npos;
        d.Widths.resize(std::max(d.Widths.size(), static_cast<size_t>(col) + 1));
        d.Widths[static_cast<size_t>(col)] =
            percent ? "WIDTH=\"" + number + "%\"" : "WIDTH=" + number;
    }
    TellOtherAttributes(attributes, {"NOWRAP", "VALIGN", "ALIGN", "WIDTH"}, "a cell");
    size_t textStart = FL.find('>', cellStart);
    textStart = textStart == String::npos || textStart >= cellEnd ? cellEnd : textStart + 1;
    String endTag = heading ? "</th>" : "</td>";
    size_t textEnd = FL.rfind(endTag, cellEnd);
    if (textEnd == String::npos || textEnd < textStart || textEnd + endTag.size() != cellEnd)
        textEnd = cellEnd;
    cell.Text = SourceText(textStart, textEnd);
    if (cell.Hint.empty())
        cell.Hint = rowValign;
}

} // namespace

TTableCell& TTableDesign::Cell(int col, int row) {
    if (row >= RowCount()) {
        Rows.resize(static_cast<size_t>(row) + 1);
        RowAligns.resize(Rows.size(), TMyAlign::alLeft);
    }
    auto& cells = Rows[static_cast<size_t>(row)];
    if (col >= static_cast<int>(cells.size()))
        cells.resize(static_cast<size_t>(col) + 1);
    Cols = std::max(Cols, col + 1);
    return cells[static_cast<size_t>(col)];
}

TTableDesign TTableDesign::Blank(int cols, int rows) {
    TTableDesign design;
    design.Cols = cols;
    design.Widths.resize(static_cast<size_t>(cols));
    design.RowAligns.assign(static_cast<size_t>(rows), TMyAlign::alLeft);
    design.Rows.assign(static_cast<size_t>(rows),
                       std::vector<TTableCell>(static_cast<size_t>(cols)));
    return design;
}

const String& TableColourName(int index) {
    return ColourNames[static_cast<size_t>(std::clamp(index, 0, 15))];
}

String WriteTable(const TTableDesign& d, bool compact, const String& indent) {
    const String rowIndent = compact ? String() : indent;
    const String cellIndent = compact ? String() : indent + indent;
    const String lineEnd = compact ? String() : String("\r\n");
    String html = TableStartTag(d);
    if (!d.Caption.empty())
        html += "<CAPTION>" + d.Caption + "</CAPTION>\r\n";
    for (int i = 0; i < d.RowCount(); ++i) {
        TMyAlign rowAlign = d.RowAligns[static_cast<size_t>(i)];
        if (i > 0)
            html += rowIndent + "</TR>\r\n";
        html += indent + "<TR" + RowAlignAttribute(rowAlign) + ">" + lineEnd;
        const String cellTag = i == 0 && d.Heading ? "TH" : "TD";
        const auto& cells = d.Rows[static_cast<size_t>(i)];
        for (int j = 0; j < d.Cols; ++j) {
            const TTableCell blank;
            const TTableCell& cell = j < static_cast<int>(cells.size()) ? cells[j] : blank;
            html += cellIndent + "<" + cellTag;
            if (i == 0 && j < static_cast<int>(d.Widths.size()))
                html += ColumnWidthAttribute(d.Widths[static_cast<size_t>(j)]);
            if (cell.NoWrap)
                html += " NOWRAP";
            html += CellAlignAttribute(cell.Align, rowAlign) + ValignAttribute(cell.Hint) + ">" +
                    cell.Text + "</" + cellTag + ">" + lineEnd;
        }
    }
    return html + rowIndent + "</TR>\r\n</TABLE>\r\n";
}

TTableReading ReadTable(const String& text) {
    return TTableReader(text).Read();
}

String ExtractTagAttributes(const String& text) {
    String tag = text.substr(0, text.find('>'));
    size_t blank = tag.find(' ');
    if (blank == String::npos)
        return "";
    String attributes;
    for (char c : tag.substr(blank + 1)) {
        if (c == ' ' && !attributes.empty() && attributes.back() == '=')
            continue;
        if (c == '=')
            while (!attributes.empty() && attributes.back() == ' ')
                attributes.pop_back();
        attributes += c;
    }
    return UpperCase(attributes);
}

String RemoveBlanksAroundEquals(const String& text) {
    return WithoutBlanksAroundEquals(text).Text;
}

String RemoveChars(const String& text, const String& characters) {
    String result;
    result.reserve(text.size());
    for (char c : text)
        if (characters.find(c) == String::npos)
            result += c;
    return result;
}

String TrimTrailingBlanks(const String& text) {
    size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return text.substr(0, end);
}

bool IsBlankChar(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}
