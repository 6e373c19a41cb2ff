#include "site/DownloadTime.h"

#include "platform/FileUtils.h"

#include <cstring>

const std::array<TConnectionSpeed, 7> ConnectionSpeeds = {{{"14.4K modem", 1440},
                                                           {"28.8K modem", 2880},
                                                           {"33.6K modem", 3360},
                                                           {"56.6K modem", 5660},
                                                           {"ISDN (64K)", 6400},
                                                           {"ISDN (128K)", 12800},
                                                           {"T1 (1.554M)", 155400}}};

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EndsValue(char c, bool quoted) {
    return c == '"' || c == '>' || (!quoted && IsBlank(c));
}

// The value that begins at `at` (after the blanks, quotes and "=" that follow the attribute's
// name): its first character always, then up to the closing quote or ">", or a blank when it is
// not quoted; the last character of the text ends the search and is never part of a longer
// value.
String ValueAt(const String& text, size_t at) {
    bool quoted = false;
    while (at < text.size() && (IsBlank(text[at]) || text[at] == '"' || text[at] == '=')) {
        quoted = quoted || text[at] == '"';
        ++at;
    }
    if (at >= text.size())
        return "";
    size_t end = at + 1;
    while (end + 1 < text.size() && !EndsValue(text[end], quoted))
        ++end;
    return text.substr(at, end - at);
}

// Adds the value of the attribute in each of the tags, searching an upper-cased copy. A tag
// without the attribute after it takes the attribute of a later tag, as the first reading of the
// page did; once the attribute is nowhere further on, no later tag can have it.
void CollectValues(const String& text, const String& upper, const char* tag, const char* attribute,
                   std::vector<String>& values) {
    const size_t nameLength = std::strlen(attribute);
    size_t from = 0;
    for (;;) {
        size_t at = upper.find(tag, from);
        if (at == String::npos)
            return;
        size_t name = upper.find(attribute, at);
        if (name == String::npos)
            return;
        values.push_back(ValueAt(text, name + nameLength));
        from = name + nameLength;
    }
}

String ImagePath(const String& value, const String& folder) {
    if (value.empty() || value[0] == PathDelim || value.find(':') != String::npos)
        return value;
    return folder + value;
}

String BlanksForEscapes(String value) {
    for (size_t at = value.find("%20"); at != String::npos; at = value.find("%20", at + 1))
        value.replace(at, 3, " ");
    return value;
}

// The size of the image the value names, or -1 when it names no file.
int64_t ImageBytes(const String& value, const String& folder) {
    String path = ImagePath(value, folder);
    if (!path.empty() && !FileExists(path))
        path = ImagePath(BlanksForEscapes(value), folder);
    return path.empty() ? -1 : FileSizeOf(path);
}

} // namespace

TDownloadSize MeasureDownload(const String& pageFile) {
    const String text = ReadFileBytes(pageFile);
    const String upper = UpperCase(text);
    std::vector<String> values;
    CollectValues(text, upper, "<IMG", "SRC", values);
    CollectValues(text, upper, "<BODY", "BACKGROUND", values);

    TDownloadSize size;
    size.Total = static_cast<int64_t>(text.size());
    const String folder = ExtractFilePath(pageFile);
    for (const String& value : values) {
        int64_t bytes = ImageBytes(value, folder);
        if (bytes < 0) {
            ++size.Missing;
            continue;
        }
        size.Total += bytes;
        ++size.Found;
    }
    return size;
}

String DownloadSeconds(int64_t bytes, int bytesPerSecond) {
    return Format("%.1f", static_cast<double>(bytes) / bytesPerSecond);
}

String FormatMinutes(double seconds) {
    const int64_t whole = static_cast<int64_t>(seconds);
    int64_t minutes = (whole - 30) / 60;
    int64_t rest = whole - 60 * minutes;
    if (rest > 60) {
        rest -= 60;
        ++minutes;
    }
    String fraction;
    if (rest >= 8 && rest <= 22)
        fraction = "\xBC";
    else if (rest >= 23 && rest <= 37)
        fraction = "\xBD";
    else if (rest >= 38 && rest <= 52)
        fraction = "\xBE";
    else if (rest > 52)
        ++minutes;
    String text = IntToStr(minutes) + fraction;
    if (minutes == 0 && !fraction.empty())
        text = fraction;
    return text + " mins.";
}
