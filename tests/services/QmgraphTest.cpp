// Bitmaps turned into BMP file images and true-colour pixels reduced to 8-bit palettes, checked
// on tiny images whose every index and palette entry is known.

#include "services/Qmgraph.h"

#include "TestSupport.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// A 24-bit bitmap of the colours, given top row first.
std::unique_ptr<TBitmap> Bitmap24(const std::vector<std::vector<TColor>>& rows) {
    TDibImage dib;
    dib.Width = static_cast<int>(rows[0].size());
    dib.Height = static_cast<int>(rows.size());
    dib.BitCount = 24;
    int rowBytes = DibRowBytes(dib.Width, 24);
    dib.Bits.assign(size_t(rowBytes) * dib.Height, 0);
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x) {
            uint8_t* p = dib.Bits.data() + size_t(dib.Height - 1 - y) * rowBytes + 3 * x;
            TColor c = rows[y][x];
            p[0] = uint8_t(GetBValue(c));
            p[1] = uint8_t(GetGValue(c));
            p[2] = uint8_t(GetRValue(c));
        }
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromDib(dib);
    return bitmap;
}

// The converted image, with the whole palette as the file holds it (a reader takes only the
// entries that the count of colours used names).
TDibImage Convert(const TBitmap& bitmap, TColourMapping mapping, int code = 3) {
    auto stream = ConvertBitmapToFormat(bitmap, code, mapping);
    EXPECT_EQ(stream->Position(), 0);
    TDibImage dib = ReadDibFile(*stream);
    if (dib.BitCount == 8) {
        const auto* entry = static_cast<const uint8_t*>(stream->Memory()) + 14 + 40;
        dib.Palette.clear();
        for (int i = 0; i < 256; ++i, entry += 4)
            dib.Palette.push_back(RGB(entry[2], entry[1], entry[0]));
    }
    return dib;
}

} // namespace

TEST(QmgraphTest, PixelFormatCodesAndColourCounts) {
    TBitmap device;
    device.SetSize(2, 2);
    EXPECT_EQ(PixelFormatOfBitmap(device), 0);
    EXPECT_EQ(PixelFormatOfBitmap(*Bitmap24({{clRed}})), 4);
    const int counts[] = {0, 2, 16, 256, 0, 0};
    for (int code = 0; code <= 5; ++code)
        EXPECT_EQ(ColourCountOfFormat(code), counts[code]) << code;
}

TEST(QmgraphTest, LevelTablesTakeTheNearestLevelAndTheLowerOneOnATie) {
    const TLevelTable& eight = LevelTable(8);
    EXPECT_EQ(eight.Nearest[18], 0) << "18 lies as far from 0 as from 0x24";
    EXPECT_EQ(eight.Nearest[19], 1);
    EXPECT_EQ(eight.Nearest[255], 7);
    EXPECT_EQ(LevelTable(7).Nearest[0x80], 3);
    EXPECT_EQ(LevelTable(6).Nearest[0x19], 0);
    EXPECT_EQ(LevelTable(6).Nearest[0x1A], 1);
    EXPECT_EQ(LevelTable(4).Nearest[0xAA], 2);
}

TEST(QmgraphTest, FixedPalettesGiveTheirIndexesAndPalettes) {
    struct Case {
        TColourMapping Mapping;
        TColor Colour;
        int Index;
        TColor Entry;
        int Used;
    };
    const Case cases[] = {
        {cmLevels784, RGB(0x80, 0x49, 0xAA), 3 * 32 + 2 * 4 + 2, RGB(0x80, 0x49, 0xAA), 224},
        {cmLevels784, clWhite, 223, clWhite, 224},
        {cmLevels784, RGB(0x2A, 0x12, 0x2A), 32, RGB(0x2B, 0, 0), 224},
        {cmLevels666, RGB(0xFF, 0x00, 0x66), 5 * 36 + 2, RGB(0xFF, 0, 0x66), 216},
        {cmLevels666, RGB(0x34, 0x98, 0xCB), 36 + 3 * 6 + 4, RGB(0x33, 0x99, 0xCC), 216},
        {cmGrey, clRed, 76, RGB(76, 76, 76), 0},
        {cmGrey, clWhite, 255, clWhite, 0},
        {cmGrey, RGB(10, 200, 30), 123, RGB(123, 123, 123), 0},
    };
    for (const Case& c : cases) {
        TDibImage dib = Convert(*Bitmap24({{c.Colour}}), c.Mapping);
        EXPECT_EQ(dib.BitCount, 8);
        EXPECT_EQ(DibIndexAt(dib, 0, 0), c.Index) << c.Mapping << " " << c.Colour;
        ASSERT_EQ(dib.Palette.size(), 256u);
        EXPECT_EQ(dib.Palette[c.Index], c.Entry) << c.Mapping;
        EXPECT_EQ(dib.UsedColours, c.Used) << c.Mapping;
    }
    TDibImage levels = Convert(*Bitmap24({{clBlack}}), cmLevels784);
    EXPECT_EQ(levels.Palette[224], RGB(128, 128, 128)) << "entries past the levels are grey";
}

TEST(QmgraphTest, ChannelRampsOfWhiteRepeatAlongRowsAndShiftFromRowToRow) {
    TDibImage dib = Convert(
        *Bitmap24({{clWhite, clWhite, clWhite, clWhite}, {clWhite, clWhite, clWhite, clWhite}}),
        cmChannelRamps);
    const int bottom[] = {63, 127, 191, 63};
    const int top[] = {127, 191, 63, 127};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(DibIndexAt(dib, x, 0), bottom[x]) << x;
        EXPECT_EQ(DibIndexAt(dib, x, 1), top[x]) << x;
    }
    EXPECT_EQ(dib.Palette[63], RGB(252, 0, 0));
    EXPECT_EQ(dib.Palette[64 + 10], RGB(0, 40, 0));
    EXPECT_EQ(dib.Palette[128 + 63], RGB(0, 0, 252));
    EXPECT_EQ(dib.Palette[192], clBlack);
}

TEST(QmgraphTest, HistogramKeepsFullMasksUpTo2049ColoursAndDropsBlueFirst) {
    // Every colour has an odd blue, so a blue mask of 0xFE shows in the palette.
    auto image = [](int colours) {
        std::vector<std::vector<TColor>> rows(1);
        for (int i = 0; i < colours; ++i)
            rows[0].push_back(RGB(i & 0xFF, i >> 8, 1));
        rows[0].push_back(RGB(0, 0, 1)); // the most frequent colour
        return Bitmap24(rows);
    };
    TDibImage full = Convert(*image(2049), cmFrequency);
    EXPECT_EQ(full.Palette[0], RGB(0, 0, 1));
    EXPECT_EQ(GetBValue(full.Palette[255]), 1);
    TDibImage masked = Convert(*image(2050), cmFrequency);
    EXPECT_EQ(masked.Palette[0], RGB(0, 0, 0));
    EXPECT_EQ(GetBValue(masked.Palette[255]), 0);
    EXPECT_EQ(masked.Palette[1], RGB(2, 0, 0)) << "then red loses its lowest bit";
}

TEST(QmgraphTest, HistogramOrdersByFrequencyAndMapsTheRestToTheNearestEntry) {
    TDibImage dib =
        Convert(*Bitmap24({{clBlue, clRed, clRed, clBlue, clRed, RGB(250, 0, 0)}}), cmFrequency);
    EXPECT_EQ(dib.Palette[0], clRed);
    EXPECT_EQ(dib.Palette[1], clBlue);
    EXPECT_EQ(dib.Palette[2], RGB(250, 0, 0));
    EXPECT_EQ(dib.Palette[3], RGB(128, 128, 128));
    const int indexes[] = {1, 0, 0, 1, 0, 2};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(DibIndexAt(dib, x, 0), indexes[x]) << x;

    // With a palette of two, the third colour takes the entry nearest to it.
    TDibImage source = Bitmap24({{clRed, clRed, clBlue, RGB(250, 0, 0)}})->ReadDibBits(24);
    ReduceTo8Bits(source, cmFrequency, 2);
    EXPECT_EQ(source.Palette[0], clRed);
    EXPECT_EQ(source.Palette[1], clBlue);
    EXPECT_EQ(DibIndexAt(source, 3, 0), 0) << "near red";
}

TEST(QmgraphTest, MedianCutBoxes) {
    struct Case {
        std::vector<TColor> Pixels;
        std::vector<TColor> Palette;
        std::vector<int> Indexes;
        int Used;
    };
    const Case cases[] = {
        {{RGB(0x35, 0x80, 0xF0), RGB(0x35, 0x80, 0xF0)}, {RGB(63, 143, 255)}, {0, 0}, 1},
        {{RGB(0x0F, 0x0F, 0x0F)}, {clBlack}, {0}, 1},
        {{clBlack, clBlack, clBlack, clWhite}, {clBlack, clWhite}, {0, 0, 0, 1}, 2},
        {{clWhite, clBlack, clRed}, {clBlack, RGB(255, 15, 15), clWhite}, {2, 0, 1}, 3},
        // Black and the dark red make exactly half the pixels: they stay together.
        {{clBlack, RGB(0x70, 0, 0), clWhite, clWhite},
         {clBlack, clWhite, RGB(127, 15, 15)},
         {0, 2, 1, 1},
         3},
    };
    for (const Case& c : cases) {
        TDibImage dib = Convert(*Bitmap24({c.Pixels}), cmMedianCut);
        EXPECT_EQ(dib.UsedColours, c.Used);
        for (size_t i = 0; i < c.Palette.size(); ++i)
            EXPECT_EQ(dib.Palette[i], c.Palette[i]) << i;
        EXPECT_EQ(dib.Palette[c.Palette.size()], clBlack) << "entries past the boxes";
        for (size_t x = 0; x < c.Indexes.size(); ++x)
            EXPECT_EQ(DibIndexAt(dib, int(x), 0), c.Indexes[x]) << x;
    }
}

TEST(QmgraphTest, BmpImageHasItsHeadersPaddingAndRowsBottomFirst) {
    auto bitmapOwner = Bitmap24({{clWhite, clWhite, clWhite}, {clBlack, clBlack, clBlack}});
    const TBitmap& bitmap = *bitmapOwner;
    auto stream = ConvertBitmapToFormat(bitmap, 3, cmGrey);
    const auto* bytes = static_cast<const uint8_t*>(stream->Memory());
    auto dword = [&](int at) {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24;
    };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(dword(2), 14 + 40 + 1024 + 8);
    EXPECT_EQ(stream->Size(), 14 + 40 + 1024 + 8);
    EXPECT_EQ(dword(10), 14 + 40 + 1024);
    EXPECT_EQ(dword(14), 40);
    EXPECT_EQ(dword(18), 3);
    EXPECT_EQ(dword(22), 2);
    EXPECT_EQ(bytes[28], 8);
    EXPECT_EQ(dword(34), 8) << "image size: 4-byte rows";
    const uint8_t rows[] = {0, 0, 0, 0, 255, 255, 255, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(bytes[1078 + i], rows[i]) << i;

    TDibImage oneBit = Convert(bitmap, cmFrequency, 1);
    EXPECT_EQ(oneBit.BitCount, 1);
    EXPECT_EQ(oneBit.Bits, (std::vector<uint8_t>{0x00, 0, 0, 0, 0xE0, 0, 0, 0}));
    TDibImage fourBit = Convert(*Bitmap24({{clRed, RGB(0, 0, 120)}}), cmFrequency, 2);
    EXPECT_EQ(fourBit.BitCount, 4);
    EXPECT_EQ(fourBit.Bits[0], 0x94) << "red is entry 9, a dark blue the navy of entry 4";
    TDibImage full = Convert(bitmap, cmGrey, 4);
    EXPECT_EQ(full.BitCount, 24);
}

TEST(QmgraphTest, ABitmapAlreadyInTheFormatIsSavedUnchangedExceptForGrey) {
    TBitmap bitmap;
    TDibImage dib;
    dib.Width = 2;
    dib.Height = 1;
    dib.BitCount = 8;
    dib.Palette = {clRed, clLime};
    dib.Bits = {0, 1, 0, 0};
    bitmap.LoadFromDib(dib);
    ASSERT_EQ(PixelFormatOfBitmap(bitmap), 3);
    TMemoryStream own;
    bitmap.SaveToStream(own);
    auto same = ConvertBitmapToFormat(bitmap, 3, cmFrequency);
    ASSERT_EQ(same->Size(), own.Size());
    EXPECT_EQ(0, std::memcmp(same->Memory(), own.Memory(), size_t(own.Size())));
    TDibImage grey = Convert(bitmap, cmGrey);
    EXPECT_EQ(DibIndexAt(grey, 0, 0), 76);
    EXPECT_EQ(DibIndexAt(grey, 1, 0), 149);
    EXPECT_EQ(grey.Palette[1], RGB(1, 1, 1));
}

TEST(QmgraphTest, ConvertingForAColourCountPicksTheFormat) {
    auto bitmapOwner = Bitmap24({{clRed, clBlue}});
    const TBitmap& bitmap = *bitmapOwner;
    const std::pair<int, int> cases[] = {{2, 1}, {16, 4}, {17, 8}, {256, 8}, {257, 24}};
    for (auto [count, bits] : cases)
        EXPECT_EQ(ReadDibFile(*ConvertBitmapForColours(bitmap, count)).BitCount, bits) << count;
}

TEST(QmgraphTest, AnEmptyBitmapOrAnUnknownFormatIsRefused) {
    TBitmap empty;
    EXPECT_EQ(TestSupport::MessageOf<EInvalidGraphic>(
                  [&] { ConvertBitmapToFormat(empty, 3, cmFrequency); }),
              "Bitmap image is not valid");
    auto bitmapOwner = Bitmap24({{clRed}});
    const TBitmap& bitmap = *bitmapOwner;
    for (int code : {0, 5}) {
        TestHooks::AnswerMessageBox(IDOK);
        EXPECT_THROW(ConvertBitmapToFormat(bitmap, code, cmFrequency), EAbort) << code;
        EXPECT_EQ(TestHooks::Prompts().back().Text, "Function not yet implemented");
    }
}
