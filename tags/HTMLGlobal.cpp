#include "tags/HTMLGlobal.h"

#include "editor/DialogGuard.h"
#include "platform/Classes.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>

TGlobalForm* GlobalForm = nullptr;

namespace {

struct TPaletteEntry {
    TColor Colour;
    const char* Hex;
    const char* Name;
};

// The squares of the 16-colour picker in their order, with their HTML texts.
constexpr std::array<TPaletteEntry, 16> Palette{{
    {0x000000, "#000000", "Black"},
    {0x000080, "#800000", "Maroon"},
    {0x008000, "#008000", "Green"},
    {0x008080, "#808000", "Olive"},
    {0x800000, "#000080", "Navy"},
    {0x800080, "#800080", "Purple"},
    {0x808000, "#008080", "Teal"},
    {0xC0C0C0, "#C0C0C0", "Silver"},
    {0x808080, "#808080", "Gray"},
    {0x0000FF, "#FF0000", "Red"},
    {0x00FF00, "#00FF00", "Lime"},
    {0x00FFFF, "#FFFF00", "Yellow"},
    {0xFF0000, "#0000FF", "Blue"},
    {0xFF00FF, "#FF00FF", "Fuchsia"},
    {0xFFFF00, "#00FFFF", "Aqua"},
    {0xFFFFFF, "#FFFFFF", "White"},
}};

struct TImageSize {
    int64_t Width = 0;
    int64_t Height = 0;
};
using TMeasure = std::function<std::optional<TImageSize>(TStream& file)>;

// Up to count bytes from offset; fewer where the file ends (or cannot be read further).
String ReadAt(TStream& file, int64_t offset, int count) {
    String bytes(count, '\0');
    if (file.Seek(offset, soFromBeginning) != offset)
        return "";
    int got = file.Read(bytes.data(), count);
    bytes.resize(got > 0 ? got : 0);
    return bytes;
}

unsigned Byte(const String& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

uint32_t LittleEndian16(const String& bytes, size_t at) {
    return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

uint32_t BigEndian16(const String& bytes, size_t at) {
    return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}

uint32_t LittleEndian32(const String& bytes, size_t at) {
    return LittleEndian16(bytes, at) | LittleEndian16(bytes, at + 2) << 16;
}

uint32_t BigEndian32(const String& bytes, size_t at) {
    return BigEndian16(bytes, at) << 16 | BigEndian16(bytes, at + 2);
}

std::optional<TImageSize> GifSize(TStream& file) {
    String head = ReadAt(file, 0, 12);
    if (head.size() < 12 || head.compare(0, 4, "GIF8") != 0)
        return std::nullopt;
    return TImageSize{LittleEndian16(head, 6), LittleEndian16(head, 8)};
}

std::optional<TImageSize> PngSize(TStream& file) {
    String head = ReadAt(file, 0, 24);
    if (head.size() < 24 || head.compare(1, 3, "PNG") != 0)
        return std::nullopt;
    return TImageSize{BigEndian32(head, 16), BigEndian32(head, 20)};
}

// The oldest bitmaps have a 12-byte header with 16-bit sizes. A bitmap stored top-down keeps a
// negative height; its size is the same either way.
std::optional<TImageSize> BmpSize(TStream& file) {
    String head = ReadAt(file, 0, 26);
    if (head.size() < 26 || head.compare(0, 2, "BM") != 0)
        return std::nullopt;
    if (LittleEndian32(head, 14) == 12)
        return TImageSize{LittleEndian16(head, 18), LittleEndian16(head, 20)};
    auto width = static_cast<int32_t>(LittleEndian32(head, 18));
    auto height = static_cast<int32_t>(LittleEndian32(head, 22));
    if (width < 0)
        return std::nullopt;
    return TImageSize{width, std::abs(static_cast<int64_t>(height))};
}

// Frame headers of every coding process; C4, C8 and CC are other markers in the same range.
bool IsFrameMarker(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length.
bool IsStandaloneMarker(unsigned marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// The frame header may lie behind any number of segments (JFIF, Exif with its thumbnail,
// tables), so the segments are walked from the start of the image to the first frame header.
// Image data begins at the first scan, which always follows the frame header.
std::optional<TImageSize> JpegSize(TStream& file) {
    String start = ReadAt(file, 0, 2);
    if (start.size() < 2 || Byte(start, 0) != 0xFF || Byte(start, 1) != 0xD8)
        return std::nullopt;
    int64_t at = 2;
    for (;;) {
        String mark = ReadAt(file, at, 2);
        if (mark.size() < 2 || Byte(mark, 0) != 0xFF)
            return std::nullopt;
        unsigned marker = Byte(mark, 1);
        ++at;
        if (marker == 0xFF) // a fill byte before the marker
            continue;
        ++at;
        if (IsStandaloneMarker(marker))
            continue;
        if (marker == 0xD9 || marker == 0xDA)
            return std::nullopt;
        String segment = ReadAt(file, at, 7);
        if (segment.size() < 2)
            return std::nullopt;
        if (IsFrameMarker(marker)) {
            if (segment.size() < 7)
                return std::nullopt;
            return TImageSize{BigEndian16(segment, 5), BigEndian16(segment, 3)};
        }
        uint32_t length = BigEndian16(segment, 0);
        if (length < 2)
            return std::nullopt;
        at += length;
    }
}

String ImageSize(const TGlobalForm& form, const String& fileName, char selector,
                 const TMeasure& measure) {
    std::optional<TImageSize> size;
    try {
        TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
        size = measure(file);
    } catch (const EFOpenError&) {
        Application->MessageBox(form.MissingImageMessage + fileName, "Quiltmarker",
                                MB_OK | MB_ICONERROR);
        return "0";
    }
    if (!size)
        return "0";
    return IntToStr(selector == 'H' || selector == 'h' ? size->Height : size->Width);
}

// The length of the leading whole folder names, each with its delimiter, that both folders
// share, compared with their case: on this file system "IMG" and "img" are two folders.
size_t CommonFolderLength(const String& a, const String& b) {
    size_t common = 0;
    for (size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i)
        if (a[i] == PathDelim)
            common = i + 1;
    return common;
}

} // namespace

TGlobalForm::TGlobalForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("GlobalForm");
        SetCaption("GlobalForm");
        OnCreate = Handler(this, &TGlobalForm::FormCreate);
    });
}

void TGlobalForm::FormCreate(TObject* /*Sender*/) {
    MissingImageMessage = "Cannot find the image file ";
}

String TGlobalForm::GetGifSize(const String& fileName, char selector) {
    return ImageSize(*this, fileName, selector, GifSize);
}

String TGlobalForm::GetJpegSize(const String& fileName, char selector) {
    return ImageSize(*this, fileName, selector, JpegSize);
}

String TGlobalForm::GetPngSize(const String& fileName, char selector) {
    return ImageSize(*this, fileName, selector, PngSize);
}

String TGlobalForm::GetBmpSize(const String& fileName, char selector) {
    return ImageSize(*this, fileName, selector, BmpSize);
}

TColor TGlobalForm::ColourFromIndex(int index) const {
    return index >= 0 && index < static_cast<int>(Palette.size()) ? Palette[index].Colour : 0;
}

String TGlobalForm::ColourToHex(TColor colour) const {
    String bgr = IntToHex(colour & 0xFFFFFF, 6);
    return bgr.substr(4, 2) + bgr.substr(2, 2) + bgr.substr(0, 2);
}

String TGlobalForm::ColourNameOfHex(const String& hex) const {
    for (const TPaletteEntry& entry : Palette)
        if (hex == entry.Hex)
            return entry.Name;
    return "";
}

String TGlobalForm::HTMLColourText(TColor colour) const {
    const String hex = "#" + ColourToHex(colour);
    const String name = ColourNameOfHex(hex);
    return name.empty() ? hex : name;
}

String TGlobalForm::RelativeURL(const String& filePath, const String& referenceFolder) const {
    size_t cut = filePath.rfind(PathDelim);
    if (cut == String::npos)
        return filePath;
    const String fileFolder = filePath.substr(0, cut + 1);
    const String name = filePath.substr(cut + 1);
    const String folder =
        IncludeTrailingPathDelimiter(referenceFolder.empty() ? fileFolder : referenceFolder);

    size_t common = CommonFolderLength(folder, fileFolder);
    const String up = folder.substr(common);
    const String down = fileFolder.substr(common);
    if (up.empty() && !down.empty())
        return "./" + down + name;
    String url;
    for (char c : up)
        if (c == PathDelim)
            url += "../";
    return url + down + name;
}

void TGlobalForm::KeepFormOnScreen(TForm* form) const {
    ::KeepFormOnScreen(form);
}

bool TGlobalForm::IsKeyDown(int virtualKey) const {
    return GetAsyncKeyState(virtualKey) < 0;
}

String FileURL(const String& path) {
    if (path.empty())
        return "";
    String address = "file://";
    for (char c : path) {
        switch (c) {
        case '%':
            address += "%25";
            break;
        case '#':
            address += "%23";
            break;
        case '?':
            address += "%3F";
            break;
        case '"':
            address += "%22";
            break;
        default:
            address += c;
        }
    }
    return address;
}

TImageSizeReader ImageSizeReaderFor(const String& lowerName) {
    static const std::pair<const char*, TImageSizeReader> readers[] = {
        {".gif", &TGlobalForm::GetGifSize},
        {".jpg", &TGlobalForm::GetJpegSize},
        {".bmp", &TGlobalForm::GetBmpSize},
        {".png", &TGlobalForm::GetPngSize},
    };
    for (const auto& [extension, reader] : readers)
        if (lowerName.find(extension) != String::npos)
            return reader;
    return nullptr;
}
