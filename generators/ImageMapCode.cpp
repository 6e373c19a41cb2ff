#include "generators/ImageMapCode.h"

#include "generators/TableHTML.h"
#include "platform/FileUtils.h"
#include "services/TextScan.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLGlobal.h"

#include <algorithm>

void TImageMap::AddArea(const TRect& area, const String& url, const String& altText,
                        const String& target) {
    Areas.push_back(area);
    AreaURLs.push_back(url);
    AreaAltTexts.push_back(altText);
    AreaTargets.push_back(target);
}

void TImageMap::DeleteArea(int index) {
    Areas.erase(Areas.begin() + index);
    AreaURLs.erase(AreaURLs.begin() + index);
    AreaAltTexts.erase(AreaAltTexts.begin() + index);
    AreaTargets.erase(AreaTargets.begin() + index);
}

void TImageMap::ClearAreas() {
    Areas.clear();
    AreaURLs.clear();
    AreaAltTexts.clear();
    AreaTargets.clear();
}

int TImageMap::AreaAtPoint(int x, int y) const {
    for (int i = AreaCount() - 1; i >= 0; --i) {
        const TRect& area = Areas[i];
        if (x >= area.Left && x <= area.Right && y >= area.Top && y <= area.Bottom)
            return i;
    }
    return -1;
}

namespace {

// The IMG tag's start: the picture and, when its kind tells, its size.
String ImageTagStart(const String& image) {
    String tag = "<IMG SRC=\"" + QuotedValue(image) + "\"";
    if (TImageSizeReader reader = ImageSizeReaderFor(LowerCase(image)))
        tag += " WIDTH=\"" + (GlobalForm->*reader)(image, 'W') + "\" HEIGHT=\"" +
               (GlobalForm->*reader)(image, 'H') + "\"";
    return tag;
}

String AreaLine(const TImageMap& map, int i) {
    const TRect& area = map.Areas[i];
    String line = "\t<AREA SHAPE=\"RECT\" COORDS=\"" + IntToStr(area.Left - PictureOffset) + "," +
                  IntToStr(area.Top - PictureOffset) + "," + IntToStr(area.Right - PictureOffset) +
                  "," + IntToStr(area.Bottom - PictureOffset) + "\" HREF=\"" +
                  QuotedValue(map.AreaURLs[i]) + "\"";
    if (!map.AreaTargets[i].empty())
        line += " TARGET=\"" + QuotedValue(map.AreaTargets[i]) + "\"";
    if (!map.AreaAltTexts[i].empty()) {
        const String alt = QuotedValue(map.AreaAltTexts[i]);
        line += " ALT=\"" + alt + "\" TITLE=\"" + alt + "\"";
    }
    return line + " BORDER=1>";
}

} // namespace

String WriteMapCode(const TImageMap& map, const String& image, bool writeImgTag) {
    String code;
    if (!image.empty() && writeImgTag)
        code += ImageTagStart(image) + " USEMAP=\"#" + QuotedValue(map.MapName) + "\">\r\n\r\n";
    code += "<MAP NAME=\"" + QuotedValue(map.MapName) + "\">\r\n";
    for (int i = 0; i < map.AreaCount(); ++i)
        code += AreaLine(map, i) + "\r\n";
    if (map.DefaultURL != NoDefaultArea)
        code += String("<AREA SHAPE=\"DEFAULT\" ") +
                (map.DefaultURL.empty() ? String("NOHREF")
                                        : "HREF=\"" + QuotedValue(map.DefaultURL) + "\"") +
                ">\r\n";
    return code + "</MAP>\r\n";
}

namespace {

struct TAttribute {
    String Name; // upper case
    String Value;
    bool HasValue = false;
};

// The attributes of a tag text ("<NAME ...>"), names upper-cased, values as written without
// their quotes; a value in quotes may hold blanks and ">".
std::vector<TAttribute> TagAttributes(std::string_view tag) {
    std::vector<TAttribute> attributes;
    size_t i = 1;
    while (i < tag.size() && !EndsTagName(tag, i))
        ++i;
    while (i < tag.size()) {
        while (i < tag.size() && (IsBlankChar(tag[i]) || tag[i] == '/'))
            ++i;
        if (i >= tag.size() || tag[i] == '>')
            break;
        TAttribute attribute;
        const size_t start = i;
        while (i < tag.size() && tag[i] != '=' && tag[i] != '>' && !IsBlankChar(tag[i]))
            ++i;
        attribute.Name = UpperCase(String(tag.substr(start, i - start)));
        if (i < tag.size() && tag[i] == '=') {
            attribute.HasValue = true;
            ++i;
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const size_t close = tag.find(tag[i], i + 1);
                const size_t end = close == String::npos ? tag.size() : close;
                attribute.Value = String(tag.substr(i + 1, end - i - 1));
                i = end + 1;
            } else {
                const size_t valueStart = i;
                while (i < tag.size() && tag[i] != '>' && !IsBlankChar(tag[i]))
                    ++i;
                attribute.Value = String(tag.substr(valueStart, i - valueStart));
            }
        }
        attributes.push_back(attribute);
    }
    return attributes;
}

const TAttribute* FindAttribute(const std::vector<TAttribute>& attributes, const String& name) {
    auto found = std::find_if(attributes.begin(), attributes.end(),
                              [&](const TAttribute& a) { return a.Name == name; });
    return found == attributes.end() ? nullptr : &*found;
}

String ValueOf(const std::vector<TAttribute>& attributes, const String& name) {
    const TAttribute* attribute = FindAttribute(attributes, name);
    return attribute ? attribute->Value : String();
}

// A tag from its "<" to its ">" (or the text's end), a ">" inside quotes not ending it.
std::string_view TagAt(std::string_view text, size_t at) {
    char quote = 0;
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (quote) {
            if (text[i] == quote)
                quote = 0;
        } else if (text[i] == '"' || text[i] == '\'')
            quote = text[i];
        else if (text[i] == '>')
            return text.substr(at, i - at + 1);
    }
    return text.substr(at);
}

// Up to four numbers separated by ","; false unless there are exactly four.
bool ReadCoords(const String& value, int (&numbers)[4]) {
    size_t at = 0;
    for (int n = 0; n < 4; ++n) {
        if (at > value.size())
            return false;
        std::string_view rest = std::string_view(value).substr(at);
        while (!rest.empty() && IsBlankChar(rest.front()))
            rest.remove_prefix(1);
        if (rest.empty() || rest.front() < '0' || rest.front() > '9')
            return false;
        numbers[n] = 0;
        for (size_t d = 0; d < rest.size() && rest[d] >= '0' && rest[d] <= '9'; ++d)
            numbers[n] = std::min(numbers[n] * 10 + (rest[d] - '0'), 1000000);
        const size_t comma = value.find(',', at);
        at = comma == String::npos ? value.size() + 1 : comma + 1;
    }
    return at > value.size();
}

class TMapReader {
public:
    explicit TMapReader(const String& text) : FText(RemoveBlanksAroundEquals(text)) {}
    TImageMapReading Read();

private:
    void ReadArea(std::string_view tag);
    void ReadRectangle(const std::vector<TAttribute>& attributes);
    void ReadDefault(const std::vector<TAttribute>& attributes);
    // Every attribute that the area keeps; any other is reported.
    void CheckAttributes(const std::vector<TAttribute>& attributes, const String& what);
    void Unheld(const String& what);

    String FText;
    TImageMapReading FResult;
    bool FDefaultRead = false;
};

void TMapReader::Unheld(const String& what) {
    if (std::find(FResult.Unheld.begin(), FResult.Unheld.end(), what) == FResult.Unheld.end())
        FResult.Unheld.push_back(what);
}

TImageMapReading TMapReader::Read() {
    if (FText.size() <= 5 || !MatchesIgnoringCaseAt(FText, 0, "<MAP") || !EndsTagName(FText, 4))
        return FResult;
    const std::string_view start = TagAt(FText, 0);
    const std::vector<TAttribute> mapAttributes = TagAttributes(start);
    const TAttribute* name = FindAttribute(mapAttributes, "NAME");
    if (!name || name->Value.empty())
        return FResult;
    FResult.Read = true;
    FResult.Map.MapName = name->Value;
    for (const TAttribute& attribute : mapAttributes)
        if (attribute.Name != "NAME")
            Unheld("the " + attribute.Name + " attribute of the map");
    size_t at = start.size();
    const size_t end = FindIgnoringCase(FText, "</MAP", at);
    const size_t contentEnd = end == String::npos ? FText.size() : end;
    while (at < contentEnd) {
        if (IsBlankChar(FText[at])) {
            ++at;
            continue;
        }
        if (MatchesIgnoringCaseAt(FText, at, "<AREA") && EndsTagName(FText, at + 5)) {
            const std::string_view tag = TagAt(FText, at);
            ReadArea(tag);
            at += tag.size();
            continue;
        }
        Unheld("text or tags other than AREA inside the map");
        const size_t next = FindChar(FText, '<', at + 1);
        at = next == String::npos ? contentEnd : next;
    }
    if (end != String::npos) {
        const size_t close = FindChar(FText, '>', end);
        const size_t after = close == String::npos ? FText.size() : close + 1;
        if (!std::all_of(FText.begin() + after, FText.end(), IsBlankChar))
            Unheld("the text after the map's end tag");
    }
    return FResult;
}

void TMapReader::ReadArea(std::string_view tag) {
    const std::vector<TAttribute> attributes = TagAttributes(tag);
    const String shape = UpperCase(ValueOf(attributes, "SHAPE"));
    if (shape.empty() || shape == "RECT" || shape == "RECTANGLE")
        ReadRectangle(attributes);
    else if (shape == "DEFAULT")
        ReadDefault(attributes);
    else
        Unheld("areas of the shape " + shape);
}

void TMapReader::ReadRectangle(const std::vector<TAttribute>& attributes) {
    int c[4] = {};
    if (!ReadCoords(ValueOf(attributes, "COORDS"), c)) {
        Unheld("areas without four coordinates");
        return;
    }
    const TRect area =
        Rect(std::min(c[0], c[2]) + PictureOffset, std::min(c[1], c[3]) + PictureOffset,
             std::max(c[0], c[2]) + PictureOffset, std::max(c[1], c[3]) + PictureOffset);
    if (area.Width() == 0 || area.Height() == 0) {
        Unheld("areas without width or height");
        return;
    }
    CheckAttributes(attributes, "an area");
    FResult.Map.AddArea(area, ValueOf(attributes, "HREF"), ValueOf(attributes, "ALT"),
                        ValueOf(attributes, "TARGET"));
}

void TMapReader::ReadDefault(const std::vector<TAttribute>& attributes) {
    if (FDefaultRead) {
        Unheld("a second default area");
        return;
    }
    FDefaultRead = true;
    CheckAttributes(attributes, "the default area");
    FResult.Map.DefaultURL = FindAttribute(attributes, "HREF") ? ValueOf(attributes, "HREF") : "";
}

void TMapReader::CheckAttributes(const std::vector<TAttribute>& attributes, const String& what) {
    const bool isDefault = what == "the default area";
    for (const TAttribute& attribute : attributes) {
        const String& name = attribute.Name;
        bool kept =
            name == "SHAPE" || name == "HREF" ||
            (isDefault ? name == "NOHREF" : name == "COORDS" || name == "ALT" || name == "TARGET");
        if (!isDefault && name == "TITLE")
            kept = attribute.Value == ValueOf(attributes, "ALT");
        if (!isDefault && name == "BORDER")
            kept = attribute.Value == "1";
        if (!kept)
            Unheld("the " + name + " attribute of " + what);
    }
}

// "&amp;" and "&quot;" as the characters they stand for, so the value names a file.
String FileNameOfValue(const String& value) {
    String name;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value.compare(i, 5, "&amp;") == 0) {
            name += '&';
            i += 4;
        } else if (value.compare(i, 6, "&quot;") == 0) {
            name += '"';
            i += 5;
        } else
            name += value[i];
    }
    return name;
}

} // namespace

TImageMapReading ReadImageMap(const String& text) {
    return TMapReader(text).Read();
}

bool FindMapImage(const String& page, const String& mapName, String& source) {
    const String usemap = UpperCase("#" + mapName);
    for (size_t at = FindIgnoringCase(page, "<IMG", 0); at != String::npos;
         at = FindIgnoringCase(page, "<IMG", at + 1)) {
        if (!EndsTagName(page, at + 4))
            continue;
        const std::vector<TAttribute> attributes =
            TagAttributes(RemoveBlanksAroundEquals(String(TagAt(page, at))));
        if (UpperCase(ValueOf(attributes, "USEMAP")) != usemap)
            continue;
        source = FileNameOfValue(ValueOf(attributes, "SRC"));
        return !source.empty();
    }
    return false;
}

String MakeRelativePath(const String& file, const String& folder) {
    if (file.find(PathDelim) == String::npos)
        return file;
    String relative = GlobalForm->RelativeURL(file, folder.empty() ? GetCurrentDir() : folder);
    if (relative.compare(0, 2, "./") == 0)
        relative.erase(0, 2);
    return relative;
}
