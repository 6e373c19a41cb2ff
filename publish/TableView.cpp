#include "publish/TableView.h"

#include "generators/TableHTML.h"

namespace {

const char* const TableColours[] = {"\"#&FF80FF\"", "\"#&80FFFF\"", "\"#&FFFF80\"",
                                    "\"#&8000FF\"", "\"#&80FF00\"", "\"#&FF0080\""};
const size_t TagNameLength = 6; // "<TABLE"
const String BorderName = "BORDER=";

// The number the value's leading digits read as is 0: they are all zeros, or there are none.
bool ReadsAsZero(const String& tag, size_t start) {
    size_t end = start;
    while (end < tag.size() && tag[end] >= '0' && tag[end] <= '9')
        if (tag[end++] != '0')
            return false;
    return true;
}

// A border of 0 (or one that is no number at all) becomes 1; a tag without one gets one.
void ShowBorder(String& tag) {
    const size_t border = UpperCase(tag).find(BorderName);
    if (border == String::npos) {
        tag.insert(TagNameLength, " BORDER=1");
        return;
    }
    const size_t value = border + BorderName.size();
    const bool quoted = value < tag.size() && tag[value] == '"';
    const size_t digits = value + (quoted ? 1 : 0);
    if (!ReadsAsZero(tag, digits))
        return;
    // The tag's closing ">" stays, however short the value is.
    const size_t replaced = std::min<size_t>(quoted ? 3 : 1, tag.size() - 1 - value);
    tag.replace(value, replaced, "1");
}

} // namespace

String TableViewText(const String& text, bool borders, bool backgrounds) {
    const String upper = UpperCase(text);
    String out;
    out.reserve(text.size() + text.size() / 8);
    size_t colour = 0;
    size_t rest = 0;
    for (size_t table = upper.find("<TABLE"); table != String::npos;
         table = upper.find("<TABLE", rest)) {
        const size_t close = text.find('>', table);
        if (close == String::npos)
            break;
        out.append(text, rest, table - rest);
        String tag = RemoveBlanksAroundEquals(text.substr(table, close + 1 - table));
        if (borders)
            ShowBorder(tag);
        if (backgrounds && UpperCase(tag).find("BGCOLOR=") == String::npos) {
            tag.insert(TagNameLength, String(" BGCOLOR=") + TableColours[colour]);
            colour = (colour + 1) % std::size(TableColours);
        }
        out += tag;
        rest = close + 1;
    }
    out.append(text, rest, String::npos);
    return out;
}
