// GIF pictures read from files built byte by byte here, written and read back, and damaged in
// the ways a file from the net can be.

#include "services/QmGIF.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

using Rows = std::vector<std::vector<int>>;

// A GIF file put together block by block.
struct TGifBuilder {
    String Bytes;

    TGifBuilder& Raw(const String& s) {
        Bytes += s;
        return *this;
    }
    TGifBuilder& Byte(int b) {
        Bytes += static_cast<char>(b);
        return *this;
    }
    TGifBuilder& Word(int w) { return Byte(w & 0xFF).Byte(w >> 8); }
    TGifBuilder& Screen(int width, int height, int flags, int background = 0) {
        return Word(width).Word(height).Byte(flags).Byte(background).Byte(0);
    }
    TGifBuilder& Table(const std::vector<TColor>& colours) {
        for (TColor c : colours)
            Byte(GetRValue(c)).Byte(GetGValue(c)).Byte(GetBValue(c));
        return *this;
    }
    TGifBuilder& GraphicControl(int flags, int delay, int transparent) {
        return Raw("!\xF9\x04").Byte(flags).Word(delay).Byte(transparent).Byte(0);
    }
    TGifBuilder& Comment(const String& text) {
        return Raw("!\xFE").Byte(int(text.size())).Raw(text).Byte(0);
    }
    TGifBuilder& Loop(int count) { return Raw("!\xFF\x0BNETSCAPE2.0\x03\x01").Word(count).Byte(0); }
    TGifBuilder& Descriptor(int left, int top, int width, int height, int flags) {
        return Byte(',').Word(left).Word(top).Word(width).Word(height).Byte(flags);
    }
    // Every pixel as a clear code and its value, so the code width never grows: data that any
    // decoder reads, made without the coder under test.
    TGifBuilder& Pixels(int codeSize, const std::vector<int>& order) {
        std::vector<int> codes;
        for (int p : order) {
            codes.push_back(1 << codeSize);
            codes.push_back(p);
        }
        codes.push_back((1 << codeSize) + 1);
        return Codes(codeSize, codes, codeSize + 1);
    }
    TGifBuilder& Codes(int codeSize, const std::vector<int>& codes, int width) {
        String packed;
        uint32_t accumulator = 0;
        int bits = 0;
        for (int code : codes) {
            accumulator |= uint32_t(code) << bits;
            for (bits += width; bits >= 8; bits -= 8, accumulator >>= 8)
                packed += static_cast<char>(accumulator & 0xFF);
        }
        if (bits > 0)
            packed += static_cast<char>(accumulator & 0xFF);
        Byte(codeSize);
        for (size_t pos = 0; pos < packed.size(); pos += 255) {
            String block = packed.substr(pos, 255);
            Byte(int(block.size())).Raw(block);
        }
        return Byte(0);
    }
    TGifBuilder& Image(int codeSize, const Rows& rows, int flags = 0) {
        Descriptor(0, 0, int(rows[0].size()), int(rows.size()), flags);
        std::vector<int> order;
        for (const auto& row : rows)
            order.insert(order.end(), row.begin(), row.end());
        return Pixels(codeSize, order);
    }
    TGifBuilder& End() { return Byte(';'); }
};

const std::vector<TColor> Four = {clWhite, clRed, clBlue, clBlack};

TGifBuilder Start(int tableBits = 2, const String& signature = "GIF89a") {
    TGifBuilder gif;
    gif.Raw(signature);
    if (tableBits == 0)
        return gif.Screen(4, 3, 0), gif;
    gif.Screen(4, 3, 0x80 | (tableBits - 1));
    std::vector<TColor> table = Four;
    table.resize(size_t(1) << tableBits, clGray);
    return gif.Table(table), gif;
}

void Load(TGIFImage& image, const String& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), int(bytes.size()));
    stream.SetPosition(0);
    image.LoadFromStream(stream);
}

String Save(TGIFImage& image) {
    TMemoryStream stream;
    image.SaveToStream(stream);
    return String(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

void ExpectPixels(TGIFFrame& frame, const std::vector<std::vector<TColor>>& rows) {
    TBitmap& bitmap = frame.DecodedBitmap();
    ASSERT_EQ(bitmap.Height(), int(rows.size()));
    ASSERT_EQ(bitmap.Width(), int(rows[0].size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            ASSERT_EQ(bitmap.PixelAt(int(x), int(y)), rows[y][x]) << x << "," << y;
}

std::vector<std::vector<TColor>> Colours(const Rows& rows, const std::vector<TColor>& table) {
    std::vector<std::vector<TColor>> out;
    for (const auto& row : rows) {
        out.emplace_back();
        for (int i : row)
            out.back().push_back(table[i]);
    }
    return out;
}

const Rows Picture = {{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 1, 2, 2}};

// A bitmap of palette indexes at 1, 4 or 8 bits.
std::unique_ptr<TBitmap> IndexedBitmap(int bits, const Rows& rows,
                                       const std::vector<TColor>& palette) {
    TDibImage dib;
    dib.Width = int(rows[0].size());
    dib.Height = int(rows.size());
    dib.BitCount = bits;
    dib.Palette = palette;
    dib.Bits.assign(size_t(DibRowBytes(dib.Width, bits)) * dib.Height, 0);
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x)
            SetDibIndex(dib, x, dib.Height - 1 - y, rows[y][x]);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromDib(dib);
    return bitmap;
}

class QmGIFTest : public testing::Test {
protected:
    void TearDown() override { GifLoadDamagedData = false; }
};

} // namespace

TEST_F(QmGIFTest, ReadsOneFrameWithTheGlobalTable) {
    for (String signature : {"GIF87a", "GIF89a", "gif89a", "GiF87A"}) {
        TGIFImage image;
        Load(image, Start(2, signature).Image(2, Picture).End().Bytes);
        ASSERT_EQ(image.FrameCount(), 1) << signature;
        EXPECT_EQ(image.FormatVersion, signature[4] == '7' ? 1 : 2);
        EXPECT_EQ(image.CurrentFrame, 0);
        EXPECT_EQ(image.Width(), 4);
        EXPECT_EQ(image.Height(), 3);
        EXPECT_EQ(image.ScreenBackground, clWhite);
        ExpectPixels(image.FrameAt(0), Colours(Picture, Four));
    }
}

TEST_F(QmGIFTest, TheBackgroundIsWrittenAsItsEntryInTheGlobalTable) {
    TGifBuilder gif;
    gif.Raw("GIF87a").Screen(4, 3, 0x81, 2).Table(Four).Image(2, Picture).End();
    TGIFImage image;
    Load(image, gif.Bytes);
    EXPECT_EQ(image.ScreenBackground, clBlue);
    EXPECT_EQ(Save(image)[11], 2);
    image.ScreenBackground = clYellow;
    EXPECT_EQ(Save(image)[11], 0) << "a colour not in the table";
}

TEST_F(QmGIFTest, ReadsTheRecordedSampleWithGrowingCodes) {
    // The 10 x 10 sample of red, blue and white squares that GIF primers take apart, with its
    // LZW data as it stands there: repeated strings, a code made from itself, a wider code.
    const char data[] = "\x02\x16\x8C\x2D\x99\x87\x2A\x1C\xDC\x33\xA0\x02\x75\xEC\x95\xFA\xA8"
                        "\xDE\x60\x8C\x04\x91\x4C\x01\x00";
    TGifBuilder gif;
    gif.Raw("GIF89a").Screen(10, 10, 0x91).Table(Four).Descriptor(0, 0, 10, 10, 0);
    gif.Raw(String(data, sizeof data - 1)).End();
    TGIFImage image;
    Load(image, gif.Bytes);
    const Rows expected = {{1, 1, 1, 1, 1, 2, 2, 2, 2, 2}, {1, 1, 1, 1, 1, 2, 2, 2, 2, 2},
                           {1, 1, 1, 1, 1, 2, 2, 2, 2, 2}, {1, 1, 1, 0, 0, 0, 0, 2, 2, 2},
                           {1, 1, 1, 0, 0, 0, 0, 2, 2, 2}, {2, 2, 2, 0, 0, 0, 0, 1, 1, 1},
                           {2, 2, 2, 0, 0, 0, 0, 1, 1, 1}, {2, 2, 2, 2, 2, 1, 1, 1, 1, 1},
                           {2, 2, 2, 2, 2, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 1, 1, 1, 1, 1}};
    ExpectPixels(image.FrameAt(0), Colours(expected, Four));
}

TEST_F(QmGIFTest, ReadsLocalTablesInterlacingTransparencyAndLooping) {
    const std::vector<TColor> local = {clYellow, clLime};
    TGifBuilder gif = Start(0);
    gif.Loop(65535).GraphicControl(0x09, 250, 1);
    gif.Descriptor(0, 0, 1, 10, 0xC0).Table(local);
    // The rows come in the four passes: 0 8 | 4 | 2 6 | 1 3 5 7 9.
    gif.Pixels(2, {1, 1, 1, 1, 1, 0, 0, 0, 0, 0});
    gif.GraphicControl(0, 5, 0).Comment("frame two");
    gif.Descriptor(0, 0, 2, 1, 0x80).Table(local).Pixels(2, {1, 0});
    gif.Comment("closing").Comment("words").End();
    TGIFImage image;
    Load(image, gif.Bytes);
    ASSERT_EQ(image.FrameCount(), 2);
    EXPECT_TRUE(image.GlobalColourTable().empty());
    EXPECT_TRUE(image.LoopEnabled);
    EXPECT_EQ(image.LoopCount, 30000);
    TGIFFrame& first = image.FrameAt(0);
    EXPECT_TRUE(first.InterlacedRows);
    EXPECT_TRUE(first.OwnColourTable);
    EXPECT_EQ(first.TransparentKey, clLime);
    EXPECT_EQ(first.DelayMilliseconds, 2500);
    EXPECT_EQ(first.Disposal, 2);
    const Rows column = {{1}, {0}, {1}, {0}, {1}, {0}, {1}, {0}, {1}, {0}};
    ExpectPixels(first, Colours(column, local));
    TGIFFrame& second = image.FrameAt(1);
    EXPECT_EQ(second.TransparentKey, clNone) << "the flag is off";
    EXPECT_EQ(second.CommentLines().Text(), "frame two\r\n");
    ExpectPixels(second, {{clLime, clYellow}});
    EXPECT_EQ(image.Comment().Text(), "closing\r\n\r\n\r\n\r\nwords\r\n");
}

TEST_F(QmGIFTest, AFrameWithoutSizeTakesTheScreensAndAPlainTextDropsWhatWasGathered) {
    TGifBuilder gif = Start();
    gif.GraphicControl(1, 0, 2).Raw("!\x01\x0C").Raw(String(12, '\0')).Raw(String("\x02hi\x00", 4));
    gif.Descriptor(0, 0, 0, 0, 0);
    std::vector<int> order(12, 3);
    gif.Pixels(2, order).Byte(0).Byte(0).End();
    TGIFImage image;
    Load(image, gif.Bytes);
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_EQ(image.FrameAt(0).Item().Width, 4);
    EXPECT_EQ(image.FrameAt(0).Item().Height, 3);
    EXPECT_EQ(image.FrameAt(0).ExtensionCount(), 0);
    EXPECT_EQ(image.FrameAt(0).TransparentKey, clNone);
}

TEST_F(QmGIFTest, DelaysBeyondSixteenBitsOfMillisecondsSaturate) {
    TGIFImage image;
    Load(image, Start().GraphicControl(0, 6554, 0).Image(2, Picture).End().Bytes);
    EXPECT_EQ(image.FrameAt(0).DelayMilliseconds, 65535);
}

TEST_F(QmGIFTest, DamagedAndRefusedFiles) {
    const String good = Start().Image(2, Picture).End().Bytes;
    struct Case {
        const char* Name;
        String Bytes;
        String Message;
    };
    TGifBuilder tooLarge = Start();
    tooLarge.Descriptor(0, 0, 65535, 65535, 0).Pixels(2, {0}).End();
    TGifBuilder beyondData = Start();
    beyondData.Descriptor(0, 0, 300, 300, 0).Pixels(2, {0}).End();
    TGifBuilder aboveNext = Start();
    aboveNext.Descriptor(0, 0, 4, 3, 0).Codes(2, {4, 1, 7, 5}, 3).End();
    TGifBuilder ownCode = Start();
    ownCode.Descriptor(0, 0, 4, 3, 0).Codes(2, {4, 6, 5}, 3).End();
    const Case cases[] = {
        {"other version", "GIF88a" + good.substr(6), "Unknown GIF version"},
        {"other signature", "PNG89a" + good.substr(6), "Unknown GIF version"},
        {"short header", "GIF8", "Stream read error"},
        {"nothing", "", "Stream read error"},
        {"table cut", good.substr(0, 20), "Stream read error"},
        {"unknown extension", Start().Raw(String("!\x42\x00", 3)).End().Bytes,
         "Unrecognized extension block: 42"},
        {"stray byte", Start().Byte('x').Bytes, "Stream read error"},
        {"sub-block cut", good.substr(0, good.size() - 4), "Stream read error"},
        {"descriptor cut", Start().Raw(String(",\x00\x00\x04", 4)).Bytes, "Stream read error"},
        {"extension cut", Start().Raw("!\xFE\x09onl").Bytes, "Stream read error"},
        {"code size 1", Start().Descriptor(0, 0, 4, 3, 0).Raw(String("\x01\x01\x00\x00;", 5)).Bytes,
         "GIF code size not in range 2 to 9"},
        {"code size 10",
         Start().Descriptor(0, 0, 4, 3, 0).Raw(String("\x0A\x01\x00\x00;", 5)).Bytes,
         "GIF code size not in range 2 to 9"},
        {"sizes beyond the data", tooLarge.Bytes, "GIF encoded data is corrupt"},
        {"sizes beyond a small file", beyondData.Bytes, "GIF encoded data is corrupt"},
        {"code beyond the table", aboveNext.Bytes, "GIF encoded data is corrupt"},
        {"code of itself first", ownCode.Bytes, "GIF encoded data is corrupt"},
    };
    for (const Case& c : cases) {
        TGIFImage image;
        String message;
        try {
            Load(image, c.Bytes);
            message = "(nothing raised)";
        } catch (const Exception& error) {
            message = error.Message();
        }
        EXPECT_EQ(message, c.Message) << c.Name;
        EXPECT_EQ(image.FrameCount(), 0) << c.Name;
    }
}

TEST_F(QmGIFTest, WithTheDamageSwitchACutFrameLoadsMarkedDamaged) {
    GifLoadDamagedData = true;
    String cut = Start().Image(2, Picture).End().Bytes;
    cut.resize(cut.size() - 6);
    TGIFImage image;
    Load(image, cut);
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_TRUE(image.FrameAt(0).Damaged);
    ExpectPixels(image.FrameAt(0), Colours({{0, 1, 2, 3}, {3, 2, 1, 0}, {0, 0, 0, 0}}, Four));

    TGIFImage clamped;
    Load(clamped, Start().Descriptor(0, 0, 1, 1, 0).Raw(String("\x0A\x01\x00\x00;", 5)).Bytes);
    EXPECT_TRUE(clamped.FrameAt(0).Damaged) << "a code size out of range is clamped";
}

TEST_F(QmGIFTest, AFormStreamLengthBeyondTheStreamIsRefusedBeforeReading) {
    TMemoryStream stream;
    uint32_t length = 0x7FFFFFF0;
    stream.WriteBuffer(&length, 4);
    stream.WriteBuffer("GIF89a", 6);
    stream.SetPosition(0);
    TGIFImage image;
    EXPECT_EQ(TestSupport::MessageOf<EReadError>([&] { image.ReadData(stream); }),
              "Stream read error");
}

TEST_F(QmGIFTest, SizeCannotChangeAndAnEmptyImageCannotBeWritten) {
    TGIFImage image;
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(TestSupport::MessageOf<EInvalidGraphicOperation>([&] { Save(image); }),
              "No GIF Data to write");
    Load(image, Start().Image(2, Picture).End().Bytes);
    EXPECT_FALSE(image.Empty());
    EXPECT_EQ(TestSupport::MessageOf<EInvalidGraphicOperation>([&] { image.SetWidth(8); }),
              "Cannot change the Size of a GIF image");
    EXPECT_EQ(TestSupport::MessageOf<EInvalidGraphicOperation>([&] { image.SetHeight(8); }),
              "Cannot change the Size of a GIF image");
    TGIFImage blank;
    blank.AppendFrame(TBitmap());
    EXPECT_EQ(TestSupport::MessageOf<EInvalidGraphicOperation>([&] { Save(blank); }),
              "No GIF Data to write");
}

TEST_F(QmGIFTest, IndexedBitmapsRoundTripAtTheirDepth) {
    std::vector<TColor> palette256(256);
    for (int i = 0; i < 256; ++i)
        palette256[i] = RGB(i, 255 - i, i / 2);
    const Rows wide = {{200, 3, 3, 3, 3, 77, 255, 0, 0}, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
    struct Case {
        int Bits;
        Rows Indexes;
        std::vector<TColor> Palette;
        int ScreenFlags;
    };
    const std::vector<TColor> sixteen = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                                         clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                                         clBlue,  clFuchsia, clAqua,   clWhite};
    const Case cases[] = {
        {1, {{0, 1, 1, 0, 1, 0, 0, 1, 1}, {1, 1, 1, 0, 0, 0, 1, 0, 1}}, {clBlack, clWhite}, 0x80},
        {4, {{15, 0, 9, 9, 9, 9, 9, 4, 1}, {2, 2, 2, 2, 2, 2, 2, 2, 3}}, sixteen, 0xB3},
        {8, wide, palette256, 0xF7},
    };
    for (const Case& c : cases) {
        TGIFImage image;
        image.Assign(*IndexedBitmap(c.Bits, c.Indexes, c.Palette));
        String bytes = Save(image);
        EXPECT_EQ(bytes.substr(0, 6), "GIF87a") << c.Bits;
        EXPECT_EQ(uint8_t(bytes[10]), c.ScreenFlags) << c.Bits;
        TGIFImage back;
        Load(back, bytes);
        ASSERT_EQ(back.FrameCount(), 1);
        EXPECT_EQ(back.FrameAt(0).Item().Bits, c.Bits);
        EXPECT_EQ(back.FrameAt(0).DecodedBitmap().PixelFormat(), c.Bits == 1   ? pf1bit
                                                                 : c.Bits == 4 ? pf4bit
                                                                               : pf8bit);
        ExpectPixels(back.FrameAt(0), Colours(c.Indexes, c.Palette));
    }
}

TEST_F(QmGIFTest, ATrueColourBitmapIsReducedAndRoundTrips) {
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    const std::vector<std::vector<TColor>> colours = {{clRed, clLime, clBlue},
                                                      {clWhite, clBlack, RGB(10, 20, 30)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            bitmap.Canvas().SetPixels(x, y, colours[y][x]);
    TGIFImage image;
    image.Assign(bitmap);
    TGIFImage back;
    Load(back, Save(image));
    ExpectPixels(back.FrameAt(0), colours);

    image.Assign(bitmap);
    image.FrameAt(0).GreyReduction = true;
    Load(back, Save(image));
    EXPECT_EQ(back.FrameAt(0).DecodedBitmap().PixelAt(0, 0), RGB(76, 76, 76));
}

TEST_F(QmGIFTest, SeveralFramesKeepTheirTablesDelaysTransparencyAndLoop) {
    const std::vector<TColor> two = {clNavy, clYellow};
    TGIFImage image;
    image.Assign(*IndexedBitmap(8, Picture, Four));
    image.AppendFrame(*IndexedBitmap(1, {{1, 0, 1}}, two));
    EXPECT_EQ(image.FormatVersion, 2);
    EXPECT_EQ(image.CurrentFrame, 1);
    TGIFFrame& second = image.FrameAt(1);
    second.Position = TPoint{5, 7};
    second.DelayMilliseconds = 1230;
    second.TransparentKey = clYellow;
    second.Disposal = 2;
    second.InterlacedRows = true;
    image.LoopEnabled = true;
    image.LoopCount = 3;
    String bytes = Save(image);
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
    EXPECT_NE(bytes.find(String("NETSCAPE2.0\x03\x01\x03\x00\x00", 16)), String::npos);
    TGIFImage back;
    Load(back, bytes);
    ASSERT_EQ(back.FrameCount(), 2);
    EXPECT_EQ(back.ScreenSize.cx, 8);
    EXPECT_EQ(back.ScreenSize.cy, 8);
    EXPECT_TRUE(back.LoopEnabled);
    EXPECT_EQ(back.LoopCount, 3);
    EXPECT_FALSE(back.FrameAt(0).OwnColourTable);
    ExpectPixels(back.FrameAt(0), Colours(Picture, Four));
    TGIFFrame& read = back.FrameAt(1);
    EXPECT_TRUE(read.OwnColourTable);
    EXPECT_EQ(read.Item().Flags, 0x40 | 0x80);
    EXPECT_EQ(read.Position.x, 5);
    EXPECT_EQ(read.Position.y, 7);
    EXPECT_EQ(read.DelayMilliseconds, 1230);
    EXPECT_EQ(read.TransparentKey, clYellow);
    EXPECT_EQ(read.Disposal, 2);
    EXPECT_TRUE(read.InterlacedRows);
    ExpectPixels(read, {{clYellow, clNavy, clYellow}});
    EXPECT_EQ(Save(back), bytes) << "a read image writes the same bytes";
}

TEST_F(QmGIFTest, VersionAndLoopFollowWhatTheImageHolds) {
    TGIFImage image;
    image.Assign(*IndexedBitmap(8, Picture, Four));
    image.LoopEnabled = true;
    String single = Save(image);
    EXPECT_EQ(single.substr(0, 6), "GIF87a");
    EXPECT_EQ(single.find("NETSCAPE"), String::npos) << "one frame never loops";
    image.Comment().Add("made here");
    String commented = Save(image);
    EXPECT_EQ(commented.substr(0, 6), "GIF89a");
    EXPECT_EQ(commented.substr(commented.size() - 14), String("!\xFE\x09made here\x00;", 14));
    TGIFImage back;
    Load(back, commented);
    EXPECT_EQ(back.Comment().Text(), "made here\r\n");
}

TEST_F(QmGIFTest, NoiseLargerThanTheCodeTableRoundTrips) {
    // Enough different strings to fill the table several times over, in both row orders.
    std::mt19937 random(7);
    Rows noise(120, std::vector<int>(150));
    std::vector<TColor> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = RGB(i, i ^ 0x55, 255 - i);
    for (auto& row : noise)
        for (int& v : row)
            v = random() % 256;
    for (bool interlaced : {false, true}) {
        TGIFImage image;
        image.Assign(*IndexedBitmap(8, noise, palette));
        image.FrameAt(0).InterlacedRows = interlaced;
        TGIFImage back;
        Load(back, Save(image));
        EXPECT_FALSE(back.FrameAt(0).Damaged);
        ExpectPixels(back.FrameAt(0), Colours(noise, palette));
    }
}

TEST_F(QmGIFTest, AssignedImagesShareTheirDataUntilOneChanges) {
    TGIFImage image;
    Load(image, Start().Image(2, Picture).End().Bytes);
    TGIFImage copy;
    copy.Assign(image);
    EXPECT_TRUE(copy.Equals(image));
    copy.Comment().Add("mine");
    EXPECT_FALSE(copy.Equals(image));
    EXPECT_EQ(image.Comment().Count(), 0);
    TBitmap bitmap;
    copy.AssignTo(bitmap);
    EXPECT_EQ(bitmap.PixelAt(1, 0), clRed);
    TGIFImage single;
    single.Assign(copy.FrameAt(0));
    TGIFImage back;
    Load(back, Save(single));
    ExpectPixels(back.FrameAt(0), Colours(Picture, Four));
}

TEST_F(QmGIFTest, FormStreamDataIsLengthPrefixed) {
    TGIFImage image;
    image.Assign(*IndexedBitmap(8, Picture, Four));
    TMemoryStream stream;
    image.WriteData(stream);
    stream.WriteBuffer("tail", 4);
    stream.SetPosition(0);
    TGIFImage back;
    back.ReadData(stream);
    EXPECT_EQ(stream.Position(), stream.Size() - 4);
    ExpectPixels(back.FrameAt(0), Colours(Picture, Four));
}

TEST_F(QmGIFTest, ProgressIsReportedFromStartToEnd) {
    TGIFImage image;
    std::vector<TProgressStage> stages;
    String lastMessage;
    image.ProgressHandler = [&](TObject*, TProgressStage stage, int, bool, const TRect&,
                                const String& message) {
        stages.push_back(stage);
        lastMessage = message;
    };
    Load(image, Start().Image(2, Picture).End().Bytes);
    EXPECT_EQ(stages, (std::vector<TProgressStage>{psStarting, psRunning, psEnding}));
    EXPECT_THROW(Load(image, "GIF88a"), EInvalidGraphicOperation);
    EXPECT_EQ(lastMessage, "Unknown GIF version");
}

TEST_F(QmGIFTest, TheClipboardGetsABitmapAndTheGifAndLoadingPrefersTheGif) {
    TGIFImage image;
    image.Assign(*IndexedBitmap(8, Picture, Four));
    image.AppendFrame(*IndexedBitmap(8, {{3, 3}}, Four));
    UINT format = 0;
    String data;
    image.SaveToClipboardFormat(format, data);
    EXPECT_EQ(format, CF_BITMAP) << "frames without encoded data: no GIF";
    EXPECT_FALSE(Clipboard()->HasFormat(CF_GIF));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

    Save(image);
    image.SaveToClipboardFormat(format, data);
    EXPECT_EQ(format, CF_GIF);
    EXPECT_EQ(CF_GIF, RegisterClipboardFormat("GIF Image"));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    TGIFImage pasted;
    pasted.LoadFromClipboardFormat(CF_BITMAP, String());
    ASSERT_EQ(pasted.FrameCount(), 2);
    ExpectPixels(pasted.FrameAt(0), Colours(Picture, Four));
    ExpectPixels(pasted.FrameAt(1), {{clBlack, clBlack}});

    TBitmap bitmap;
    bitmap.SetSize(2, 1);
    bitmap.Canvas().SetPixels(1, 0, clRed);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    String block(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
    SetClipboardData(CF_BITMAP, block);
    TGIFImage fromBitmap;
    fromBitmap.LoadFromClipboardFormat(CF_BITMAP, block);
    ASSERT_EQ(fromBitmap.FrameCount(), 1);
    ExpectPixels(fromBitmap.FrameAt(0), {{clWhite, clRed}});
}

// Once registered, a picture loads ".gif" files (in any case) as GIF images and draws them as any
// picture; its bitmap is then a new one, and a bitmap still reads a GIF file by itself.
TEST_F(QmGIFTest, APictureLoadsGifFilesAsGifImagesOnceRegistered) {
    RegisterGifPictureFormats();
    EXPECT_EQ(TPicture::FileFormatDescription("gif"), "CompuServe GIF Image");
    EXPECT_EQ(TPicture::FileFormatDescription("GIF"), "CompuServe GIF Image");
    EXPECT_EQ(TPicture::FileFormatDescription("png"), "");
    std::unique_ptr<TGraphic> pasted = TPicture::GraphicForClipboardFormat(CF_GIF);
    EXPECT_NE(dynamic_cast<TGIFImage*>(pasted.get()), nullptr);

    auto write = [](const String& name, const String& bytes) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), int(bytes.size()));
        const String file = TestSupport::Sandbox(name);
        stream.SaveToFile(file);
        return file;
    };
    const String gifFile = write("picture.GIF", Start(2).Image(2, Picture).End().Bytes);
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(gifFile);
    EXPECT_EQ(changes, 1);
    auto* gif = dynamic_cast<TGIFImage*>(picture.Graphic());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 3);

    TBitmap surface;
    surface.SetSize(6, 5);
    surface.Canvas().Brush().SetColor(clGray);
    surface.Canvas().FillRect(TRect{0, 0, 6, 5});
    surface.Canvas().Draw(1, 1, *picture.Graphic());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 3;
            ASSERT_EQ(surface.PixelAt(x, y), inside ? Four[Picture[y - 1][x - 1]] : clGray)
                << x << "," << y;
        }

    EXPECT_THROW(picture.LoadFromFile(write("damaged.gif", "GIF90a")), EInvalidGraphicOperation);
    EXPECT_EQ(picture.Graphic(), gif);

    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    bitmap.SaveToFile(TestSupport::Sandbox("picture.bmp"));
    picture.LoadFromFile(TestSupport::Sandbox("picture.bmp"));
    EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 2);

    picture.LoadFromFile(gifFile);
    changes = 0;
    TBitmap& replaced = picture.Bitmap();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Graphic(), &replaced);
    replaced.LoadFromFile(gifFile);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(replaced.PixelAt(x, y), Four[Picture[y][x]]) << x << "," << y;
}

// A frame assigned from a GIF image becomes a copy of the image's current frame, its encoded data
// included, not a picture of it.
TEST_F(QmGIFTest, AFrameAssignedFromAnImageCopiesItsCurrentFrame) {
    TGIFImage image;
    Load(image, Start(2).Image(2, Picture).End().Bytes);
    TGIFImage other;
    other.Assign(*IndexedBitmap(8, {{3, 3}}, Four));
    TGIFFrame& frame = other.FrameAt(0);
    frame.Assign(static_cast<const TGraphic&>(image));
    ASSERT_FALSE(image.FrameAt(0).Item().Data.empty());
    EXPECT_EQ(frame.Item().Data, image.FrameAt(0).Item().Data);
    ExpectPixels(frame, Colours(Picture, Four));
}
