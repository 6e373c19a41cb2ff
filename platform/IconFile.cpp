#include "platform/IconFile.h"
#include "platform/Graphics.h"

#include <QImage>

#include <algorithm>
#include <cstring>

namespace {

[[noreturn]] void InvalidIcon() {
    throw EInvalidGraphic("Icon image is not valid");
}

uint16_t Word(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t DWord(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t Long(const uint8_t* p) {
    return static_cast<int32_t>(DWord(p));
}

const uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsPng(const uint8_t* image, size_t length) {
    return length >= 8 && std::memcmp(image, PngSignature, 8) == 0;
}

// A PNG's size is read from its header first, so a huge one is refused before it is decoded.
TIconPixels DecodePng(const uint8_t* image, size_t length) {
    if (length < 24)
        InvalidIcon();
    const uint32_t width =
        (static_cast<uint32_t>(image[16]) << 24) | (image[17] << 16) | (image[18] << 8) | image[19];
    const uint32_t height =
        (static_cast<uint32_t>(image[20]) << 24) | (image[21] << 16) | (image[22] << 8) | image[23];
    if (width == 0 || height == 0 || width > MaxIconSide || height > MaxIconSide)
        InvalidIcon();
    QImage decoded = QImage::fromData(image, static_cast<int>(length), "PNG");
    if (decoded.isNull() || decoded.width() != static_cast<int>(width) ||
        decoded.height() != static_cast<int>(height))
        InvalidIcon();
    decoded = decoded.convertToFormat(QImage::Format_ARGB32);
    TIconPixels pixels;
    pixels.Width = decoded.width();
    pixels.Height = decoded.height();
    pixels.Pixels.resize(static_cast<size_t>(pixels.Width) * pixels.Height);
    for (int y = 0; y < pixels.Height; ++y)
        std::memcpy(&pixels.Pixels[static_cast<size_t>(y) * pixels.Width], decoded.constScanLine(y),
                    static_cast<size_t>(pixels.Width) * 4);
    return pixels;
}

// A bitmap of twice the icon's height: the colour rows, then the mask rows, both from the bottom.
TIconPixels DecodeDib(const uint8_t* image, size_t length) {
    if (length < 40)
        InvalidIcon();
    const uint32_t headerSize = DWord(image);
    const int32_t width = Long(image + 4);
    const int32_t doubleHeight = Long(image + 8);
    const uint16_t bitCount = Word(image + 14);
    const uint32_t coloursUsed = DWord(image + 32);
    if (headerSize < 40 || headerSize > length || width <= 0 || width > MaxIconSide ||
        doubleHeight <= 0 || doubleHeight > 2 * MaxIconSide)
        InvalidIcon();
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        InvalidIcon();
    const int height = doubleHeight / 2 > 0 ? doubleHeight / 2 : doubleHeight;
    uint64_t paletteSize = 0;
    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        paletteSize = coloursUsed == 0 || coloursUsed > most ? most : coloursUsed;
    }
    const uint64_t colourStride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
    const uint64_t maskStride = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
    const uint64_t colourStart = headerSize + paletteSize * 4;
    const uint64_t maskStart = colourStart + colourStride * height;
    if (maskStart > length)
        InvalidIcon();
    // A 32-bit image may come without its mask: its alpha says what is transparent.
    const bool hasMask = maskStart + maskStride * height <= length;
    if (!hasMask && bitCount != 32)
        InvalidIcon();
    const uint8_t* palette = image + headerSize;
    TIconPixels pixels;
    pixels.Width = width;
    pixels.Height = height;
    pixels.Pixels.resize(static_cast<size_t>(width) * height);
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const uint8_t* line = image + colourStart + colourStride * row;
        uint32_t* out = &pixels.Pixels[static_cast<size_t>(height - 1 - row) * width];
        for (int x = 0; x < width; ++x) {
            uint32_t colour = 0;
            if (bitCount <= 8) {
                const int perByte = 8 / bitCount;
                const int shift = 8 - bitCount * (x % perByte + 1);
                const uint32_t index = (line[x / perByte] >> shift) & ((1u << bitCount) - 1);
                if (index < paletteSize) {
                    const uint8_t* entry = palette + index * 4;
                    colour = 0xFF000000u | (entry[2] << 16) | (entry[1] << 8) | entry[0];
                } else {
                    colour = 0xFF000000u;
                }
            } else {
                const uint8_t* p = line + static_cast<size_t>(x) * (bitCount / 8);
                const uint32_t alpha = bitCount == 32 ? p[3] : 0xFF;
                anyAlpha = anyAlpha || (bitCount == 32 && alpha != 0);
                colour = (alpha << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
            }
            out[x] = colour;
        }
    }
    if (bitCount == 32 && anyAlpha)
        return pixels;
    for (int row = 0; row < height; ++row) {
        const uint8_t* mask = image + maskStart + maskStride * row;
        uint32_t* out = &pixels.Pixels[static_cast<size_t>(height - 1 - row) * width];
        for (int x = 0; x < width; ++x) {
            const bool transparent = hasMask && ((mask[x / 8] >> (7 - x % 8)) & 1);
            out[x] = transparent ? 0 : (out[x] | 0xFF000000u);
        }
    }
    return pixels;
}

} // namespace

TIconDirectory ReadIconDirectory(const uint8_t* data, size_t size) {
    if (size < 6 || Word(data) != 0)
        InvalidIcon();
    TIconDirectory directory;
    directory.Type = Word(data + 2);
    const size_t count = Word(data + 4);
    if ((directory.Type != IconResource && directory.Type != CursorResource) || count == 0 ||
        6 + 16 * count > size)
        InvalidIcon();
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = data + 6 + 16 * i;
        TIconDirEntry entry;
        entry.Width = p[0] == 0 ? 256 : p[0];
        entry.Height = p[1] == 0 ? 256 : p[1];
        entry.Planes = Word(p + 4);
        entry.BitCount = Word(p + 6);
        entry.BytesInRes = DWord(p + 8);
        entry.ImageOffset = DWord(p + 12);
        if (entry.BytesInRes == 0 ||
            static_cast<uint64_t>(entry.ImageOffset) + entry.BytesInRes > size)
            InvalidIcon();
        directory.Entries.push_back(entry);
    }
    return directory;
}

int ImageBitCount(const uint8_t* data, size_t size, const TIconDirEntry& entry) {
    if (static_cast<uint64_t>(entry.ImageOffset) + entry.BytesInRes > size ||
        entry.BytesInRes < 16 || IsPng(data + entry.ImageOffset, entry.BytesInRes))
        return 0;
    return Word(data + entry.ImageOffset + 14);
}

TIconPixels DecodeIconFile(const uint8_t* data, size_t size) {
    const TIconDirectory directory = ReadIconDirectory(data, size);
    const TIconDirEntry* best = nullptr;
    for (const TIconDirEntry& entry : directory.Entries) {
        if (!best) {
            best = &entry;
            continue;
        }
        const int area = entry.Width * entry.Height;
        const int bestArea = best->Width * best->Height;
        if (area > bestArea || (area == bestArea && ImageBitCount(data, size, entry) >
                                                        ImageBitCount(data, size, *best)))
            best = &entry;
    }
    const uint8_t* image = data + best->ImageOffset;
    return IsPng(image, best->BytesInRes) ? DecodePng(image, best->BytesInRes)
                                          : DecodeDib(image, best->BytesInRes);
}
