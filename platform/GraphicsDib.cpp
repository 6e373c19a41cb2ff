#include "platform/Graphics.h"
#include "platform/GraphicsPrivate.h"
#include "platform/Peer.h"

#include <QColor>

#include <array>
#include <cstring>
#include <limits>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr TColor PaletteFiller = RGB(128, 128, 128);
// A bitmap of more pixels than this is taken for damage, not for a picture.
constexpr int64_t MaxDibPixels = int64_t(1) << 28;

[[noreturn]] void RaiseInvalidBitmap() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetLE(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

int PaletteEntries(int bitCount) {
    return bitCount <= 8 ? 1 << bitCount : 0;
}

// The 16 colours of the standard palette, in the system's order.
constexpr std::array<TColor, 16> StandardColours = {
    clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
    clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

int NearestStandardColour(TColor colour) {
    int best = 0;
    for (int i = 1; i < int(StandardColours.size()); ++i)
        if (SquaredColourDistance(colour, StandardColours[i]) <
            SquaredColourDistance(colour, StandardColours[best]))
            best = i;
    return best;
}

TColor DibPixel(const TDibImage& dib, int x, int row) {
    if (dib.BitCount <= 8) {
        size_t index = DibIndexAt(dib, x, row);
        return index < dib.Palette.size() ? dib.Palette[index] : clBlack;
    }
    const uint8_t* p = dib.Bits.data() + size_t(row) * DibRowBytes(dib.Width, dib.BitCount) +
                       size_t(x) * (dib.BitCount / 8);
    return RGB(p[2], p[1], p[0]);
}

TPixelFormat FormatOfBits(int bitCount) {
    switch (bitCount) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 32:
        return pf32bit;
    default:
        return pf24bit;
    }
}

std::vector<uint8_t> ReadRest(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    if (size <= 0 || size > std::numeric_limits<int>::max())
        RaiseInvalidBitmap();
    std::vector<uint8_t> data(static_cast<size_t>(size));
    stream.ReadBuffer(data.data(), static_cast<int>(size));
    return data;
}

} // namespace

int DibRowBytes(int width, int bitCount) {
    return static_cast<int>((int64_t(width) * bitCount + 31) / 32 * 4);
}

int DibIndexAt(const TDibImage& dib, int x, int row) {
    const uint8_t* line = dib.Bits.data() + size_t(row) * DibRowBytes(dib.Width, dib.BitCount);
    switch (dib.BitCount) {
    case 1:
        return (line[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (line[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    default:
        return line[x];
    }
}

void SetDibIndex(TDibImage& dib, int x, int row, int index) {
    uint8_t* line = dib.Bits.data() + size_t(row) * DibRowBytes(dib.Width, dib.BitCount);
    switch (dib.BitCount) {
    case 1:
        line[x / 8] |= static_cast<uint8_t>((index & 1) << (7 - x % 8));
        break;
    case 4:
        line[x / 2] |= static_cast<uint8_t>((index & 15) << (x % 2 ? 0 : 4));
        break;
    default:
        line[x] = static_cast<uint8_t>(index);
    }
}

void WriteDibFile(TStream& stream, const TDibImage& dib) {
    int entries = PaletteEntries(dib.BitCount);
    uint32_t offset = FileHeaderSize + InfoHeaderSize + 4 * entries;
    uint32_t imageSize = uint32_t(DibRowBytes(dib.Width, dib.BitCount)) * dib.Height;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLE(out, offset + imageSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, offset, 4);
    PutLE(out, InfoHeaderSize, 4);
    PutLE(out, dib.Width, 4);
    PutLE(out, dib.Height, 4);
    PutLE(out, 1, 2);
    PutLE(out, dib.BitCount, 2);
    PutLE(out, 0, 4); // no compression
    PutLE(out, imageSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, dib.UsedColours, 4);
    PutLE(out, 0, 4);
    for (int i = 0; i < entries; ++i) {
        TColor c = size_t(i) < dib.Palette.size() ? dib.Palette[i] : PaletteFiller;
        out.push_back(static_cast<uint8_t>(GetBValue(c)));
        out.push_back(static_cast<uint8_t>(GetGValue(c)));
        out.push_back(static_cast<uint8_t>(GetRValue(c)));
        out.push_back(0);
    }
    stream.WriteBuffer(out.data(), static_cast<int>(out.size()));
    stream.WriteBuffer(dib.Bits.data(), static_cast<int>(imageSize));
}

TDibImage ReadDibFile(TStream& stream) {
    std::vector<uint8_t> data = ReadRest(stream);
    if (data.size() < FileHeaderSize + InfoHeaderSize || data[0] != 'B' || data[1] != 'M')
        RaiseInvalidBitmap();
    const uint8_t* info = data.data() + FileHeaderSize;
    uint32_t offset = GetLE(data.data() + 10, 4);
    uint32_t headerSize = GetLE(info, 4);
    TDibImage dib;
    dib.Width = static_cast<int32_t>(GetLE(info + 4, 4));
    int32_t height = static_cast<int32_t>(GetLE(info + 8, 4));
    dib.BitCount = static_cast<int>(GetLE(info + 14, 2));
    uint32_t compression = GetLE(info + 16, 4);
    uint32_t used = GetLE(info + 32, 4);
    bool topDown = height < 0;
    if (height == std::numeric_limits<int32_t>::min() || headerSize < InfoHeaderSize ||
        headerSize > data.size() - FileHeaderSize || compression != 0)
        RaiseInvalidBitmap();
    dib.Height = topDown ? -height : height;
    if (dib.Width <= 0 || dib.Height <= 0 || int64_t(dib.Width) * dib.Height > MaxDibPixels)
        RaiseInvalidBitmap();
    if (dib.BitCount != 1 && dib.BitCount != 4 && dib.BitCount != 8 && dib.BitCount != 24 &&
        dib.BitCount != 32)
        RaiseInvalidBitmap();
    size_t rowBytes = DibRowBytes(dib.Width, dib.BitCount);
    if (offset > data.size() || rowBytes * dib.Height > data.size() - offset)
        RaiseInvalidBitmap();
    size_t entries = PaletteEntries(dib.BitCount);
    if (used > 0 && used < entries)
        entries = used;
    size_t paletteStart = FileHeaderSize + headerSize;
    if (paletteStart + 4 * entries > offset)
        RaiseInvalidBitmap();
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* p = data.data() + paletteStart + 4 * i;
        dib.Palette.push_back(RGB(p[2], p[1], p[0]));
    }
    dib.UsedColours = static_cast<int>(used);
    dib.Bits.resize(rowBytes * dib.Height);
    for (int row = 0; row < dib.Height; ++row) {
        int from = topDown ? dib.Height - 1 - row : row;
        std::memcpy(dib.Bits.data() + rowBytes * row, data.data() + offset + rowBytes * from,
                    rowBytes);
    }
    return dib;
}

TPixelFormat TBitmap::PixelFormat() const {
    return FImage->PixelFormat;
}

std::vector<TColor> TBitmap::Palette() const {
    std::vector<TColor> palette;
    if (FImage->Image.format() == QImage::Format_Indexed8)
        for (QRgb rgb : FImage->Image.colorTable())
            palette.push_back(RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)));
    return palette;
}

TDibImage TBitmap::ToDib() const {
    const QImage& image = FImage->Image;
    bool indexed = image.format() == QImage::Format_Indexed8;
    TDibImage dib;
    dib.Width = Width();
    dib.Height = Height();
    dib.BitCount = !indexed                        ? 24
                   : FImage->PixelFormat == pf1bit ? 1
                   : FImage->PixelFormat == pf4bit ? 4
                                                   : 8;
    if (!indexed)
        return ReadDibBits(24);
    dib.Palette = Palette();
    dib.Bits.assign(size_t(DibRowBytes(dib.Width, dib.BitCount)) * dib.Height, 0);
    for (int y = 0; y < dib.Height; ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < dib.Width; ++x)
            SetDibIndex(dib, x, dib.Height - 1 - y, line[x]);
    }
    return dib;
}

TDibImage TBitmap::ReadDibBits(int bitCount) const {
    TDibImage dib;
    dib.Width = Width();
    dib.Height = Height();
    dib.BitCount = bitCount;
    if (bitCount == 1)
        dib.Palette = {clBlack, clWhite};
    else if (bitCount == 4)
        dib.Palette.assign(StandardColours.begin(), StandardColours.end());
    int rowBytes = DibRowBytes(dib.Width, bitCount);
    dib.Bits.assign(size_t(rowBytes) * dib.Height, 0);
    for (int y = 0; y < dib.Height; ++y) {
        int row = dib.Height - 1 - y;
        for (int x = 0; x < dib.Width; ++x) {
            TColor c = PixelAt(x, y);
            if (bitCount == 1)
                SetDibIndex(dib, x, row, ColourBrightness(c) >= 128 ? 1 : 0);
            else if (bitCount == 4)
                SetDibIndex(dib, x, row, NearestStandardColour(c));
            else {
                uint8_t* p = dib.Bits.data() + size_t(row) * rowBytes + size_t(x) * 3;
                p[0] = static_cast<uint8_t>(GetBValue(c));
                p[1] = static_cast<uint8_t>(GetGValue(c));
                p[2] = static_cast<uint8_t>(GetRValue(c));
            }
        }
    }
    return dib;
}

void TBitmap::LoadFromDib(const TDibImage& dib) {
    QImage image;
    if (dib.BitCount <= 8) {
        image = QImage(dib.Width, dib.Height, QImage::Format_Indexed8);
        QList<QRgb> table;
        for (int i = 0; i < PaletteEntries(dib.BitCount); ++i) {
            TColor c = size_t(i) < dib.Palette.size() ? dib.Palette[i] : PaletteFiller;
            table.push_back(qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
        image.setColorTable(table);
        for (int y = 0; y < dib.Height; ++y) {
            uchar* line = image.scanLine(y);
            for (int x = 0; x < dib.Width; ++x)
                line[x] = static_cast<uchar>(DibIndexAt(dib, x, dib.Height - 1 - y));
        }
    } else {
        image = QImage(dib.Width, dib.Height, QImage::Format_RGB888);
        for (int y = 0; y < dib.Height; ++y) {
            uchar* line = image.scanLine(y);
            for (int x = 0; x < dib.Width; ++x) {
                TColor c = DibPixel(dib, x, dib.Height - 1 - y);
                line[3 * x] = static_cast<uchar>(GetRValue(c));
                line[3 * x + 1] = static_cast<uchar>(GetGValue(c));
                line[3 * x + 2] = static_cast<uchar>(GetBValue(c));
            }
        }
    }
    FImage->Image = image;
    FImage->PixelFormat = FormatOfBits(dib.BitCount);
    Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
    LoadFromDib(ReadDibFile(stream));
}

void TBitmap::SaveToStream(TStream& stream) const {
    if (Empty())
        RaiseInvalidBitmap();
    WriteDibFile(stream, ToDib());
}
