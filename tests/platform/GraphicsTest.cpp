#include "platform/Graphics.h"
#include "platform/FileUtils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(GraphicsTest, FontSizeAndHeightAreOneValueAt96PixelsPerInch) {
    const struct {
        int Size;
        int Height;
    } cases[] = {{8, -11}, {10, -13}, {12, -16}, {24, -32}};
    for (const auto& c : cases) {
        TFont font;
        font.SetSize(c.Size);
        EXPECT_EQ(font.Height(), c.Height) << c.Size;
        font.SetHeight(c.Height);
        EXPECT_EQ(font.Size(), c.Size) << c.Height;
    }
    TFont standard;
    EXPECT_EQ(standard.Name(), "MS Sans Serif");
    EXPECT_EQ(standard.Size(), 8);
}

TEST(GraphicsTest, FontTellsOfChangesOnlyWhenSomethingChanges) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetName("Arial");
    font.SetName("Arial");
    font.SetStyle({fsBold, fsItalic});
    font.SetStyle(TFontStyles{fsItalic, fsBold});
    TFont copy;
    copy.Assign(font);
    font.Assign(copy);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(copy.Style().Contains(fsBold));
    EXPECT_FALSE(copy.Style().Contains(fsUnderline));
}

TEST(GraphicsTest, SystemColoursTurnIntoFixedRgbValues) {
    const std::pair<TColor, TColor> cases[] = {
        {clBtnFace, RGB(192, 192, 192)},   {clWindow, RGB(255, 255, 255)},
        {clWindowText, RGB(0, 0, 0)},      {clHighlight, RGB(0, 0, 128)},
        {clActiveCaption, RGB(0, 0, 128)}, {clRed, clRed},
        {clNavy, RGB(0, 0, 128)},
    };
    for (const auto& [color, rgb] : cases)
        EXPECT_EQ(ColorToRGB(color), rgb) << IntToHex(color, 8);
    EXPECT_EQ(clBtnFace, 0x8000000Fu);
}

TEST(GraphicsTest, BitmapDrawsSavesAndLoadsBack) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetSize(8, 6);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(0, 0, 4, 6));
    bitmap.Canvas().SetPixels(7, 0, clBlue);
    EXPECT_EQ(bitmap.PixelAt(3, 5), clRed);
    EXPECT_EQ(bitmap.PixelAt(4, 5), clWhite);
    EXPECT_EQ(bitmap.TransparentColor(), clRed); // the bottom-left pixel

    for (const char* name : {"saved.bmp", "saved.png"}) {
        String file = TestSupport::Sandbox(name);
        bitmap.SaveToFile(file);
        TPicture picture;
        picture.LoadFromFile(file);
        EXPECT_EQ(picture.Width(), 8) << name;
        EXPECT_EQ(picture.Height(), 6) << name;
        EXPECT_EQ(picture.Bitmap().PixelAt(7, 0), clBlue) << name;
    }
}

// What the image-map editor relies on: a mark drawn twice in XOR is gone, once it shows.
TEST(GraphicsTest, XorDrawingTogglesAndTheFocusFrameToo) {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(clYellow);
    canvas.Pen().SetMode(pmXor);
    canvas.Brush().SetColor(clYellow);
    const std::vector<TPoint> square = {Point(2, 2), Point(6, 2), Point(6, 6), Point(2, 6)};
    canvas.Polygon(square);
    EXPECT_EQ(bitmap.PixelAt(4, 4), clBlue); // yellow over white
    EXPECT_EQ(bitmap.PixelAt(8, 8), clWhite);
    canvas.Polygon(square);
    EXPECT_EQ(bitmap.PixelAt(4, 4), clWhite);

    canvas.Pen().SetMode(pmCopy);
    auto blackOnEdges = [&bitmap] {
        int black = 0;
        for (int i = 0; i < 10; ++i)
            for (TPoint p : {Point(i, 0), Point(i, 9), Point(0, i), Point(9, i)})
                black += bitmap.PixelAt(p.x, p.y) == clBlack;
        return black;
    };
    canvas.DrawFocusRect(Rect(0, 0, 10, 10));
    EXPECT_GT(blackOnEdges(), 8);
    EXPECT_EQ(bitmap.PixelAt(5, 5), clWhite);
    canvas.DrawFocusRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(blackOnEdges(), 0);
}

TEST(GraphicsTest, PictureFilesThatCannotBeReadNameTheFile) {
    String missing = TestSupport::Sandbox("missing.png");
    String damaged = TestSupport::Sandbox("damaged.gif");
    WriteFileAtomic(damaged, "GIF89a\x01\x00 this is not a picture");
    TPicture picture;
    try {
        picture.LoadFromFile(missing);
        ADD_FAILURE() << "a missing file loaded";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(missing), String::npos) << e.Message();
    }
    try {
        picture.LoadFromFile(damaged);
        ADD_FAILURE() << "a damaged file loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(damaged), String::npos) << e.Message();
    }
    EXPECT_TRUE(picture.Empty());
}

TEST(GraphicsTest, TransparentBitmapLeavesItsTransparentColourOut) {
    TBitmap glyph;
    glyph.SetSize(2, 2);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect(Rect(0, 0, 2, 2));
    glyph.Canvas().SetPixels(1, 0, clGreen);
    glyph.SetTransparent(true);

    TBitmap target;
    target.SetSize(4, 4);
    target.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(target.PixelAt(2, 1), clGreen);
    EXPECT_EQ(target.PixelAt(1, 2), clWhite);
}

namespace {

// A BMP file image written out by hand: a 2 x 2 picture of the given depth.
String BmpBytes(int bitCount, int32_t height, uint32_t offsetDelta = 0, size_t cut = 0) {
    int entries = bitCount <= 8 ? 1 << bitCount : 0;
    int rowBytes = DibRowBytes(2, bitCount);
    uint32_t offset = 14 + 40 + 4 * entries + offsetDelta;
    String out = "BM";
    auto dword = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += char(v >> (8 * i));
    };
    dword(offset + rowBytes * 2);
    dword(0);
    dword(offset);
    dword(40);
    dword(2);
    dword(uint32_t(height));
    out += String("\x01\x00", 2);
    out += char(bitCount);
    out += '\0';
    dword(0);
    dword(rowBytes * 2);
    for (int i = 0; i < 4; ++i)
        dword(0);
    for (int i = 0; i < entries; ++i)
        out += String(i == 1 ? "\x00\x00\xFF\x00" : "\xFF\x00\x00\x00", 4); // 1 red, others blue
    out += String(offsetDelta, '\0');
    // Stored row 0: index 1 / red pixels, stored row 1: index 0 / blue pixels.
    for (int row = 0; row < 2; ++row) {
        String line(rowBytes, '\0');
        for (int x = 0; x < 2; ++x) {
            if (bitCount == 8)
                line[x] = char(row == 0 ? 1 : 0);
            else if (bitCount == 24 || bitCount == 32)
                line.replace(x * bitCount / 8, 3,
                             String(row == 0 ? "\x00\x00\xFF" : "\xFF\x00\x00", 3));
        }
        out += line;
    }
    return out.substr(0, out.size() - cut);
}

TMemoryStream StreamOf(const String& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), int(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

} // namespace

TEST(GraphicsTest, BmpImagesLoadAtTheirDepthBottomRowFirstOrTopDown) {
    struct Case {
        int Bits;
        int32_t Height;
        TPixelFormat Format;
        TColor Top;
    };
    const Case cases[] = {{8, 2, pf8bit, clBlue},
                          {8, -2, pf8bit, clRed},
                          {24, 2, pf24bit, clBlue},
                          {32, -2, pf32bit, clRed}};
    for (const Case& c : cases) {
        TMemoryStream stream = StreamOf(BmpBytes(c.Bits, c.Height));
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        EXPECT_EQ(bitmap.PixelFormat(), c.Format) << c.Bits;
        EXPECT_EQ(bitmap.PixelAt(1, 0), c.Top) << c.Bits << " " << c.Height;
        EXPECT_EQ(bitmap.PixelAt(0, 1), c.Top == clRed ? clBlue : clRed);
    }
    TMemoryStream stream = StreamOf(BmpBytes(8, 2));
    TBitmap indexed;
    indexed.LoadFromStream(stream);
    EXPECT_EQ(indexed.Palette().size(), 256u);
    TMemoryStream saved;
    indexed.SaveToStream(saved);
    EXPECT_EQ(String(static_cast<const char*>(saved.Memory()), size_t(saved.Size())),
              BmpBytes(8, 2))
        << "an indexed bitmap writes back the same bytes";
    indexed.Canvas().SetPixels(0, 0, clLime);
    EXPECT_EQ(indexed.PixelFormat(), pfDevice) << "drawing gives the device's depth";
    EXPECT_EQ(indexed.PixelAt(0, 0), clLime);
    EXPECT_EQ(indexed.PixelAt(1, 1), clRed);
}

TEST(GraphicsTest, DamagedBmpImagesAreRefused) {
    String good = BmpBytes(8, 2);
    auto patched = [&](size_t at, const String& bytes) {
        String copy = good;
        copy.replace(at, bytes.size(), bytes);
        return copy;
    };
    const std::pair<const char*, String> cases[] = {
        {"not BM", patched(0, "XX")},
        {"pixels cut", BmpBytes(8, 2, 0, 1)},
        {"headers cut", good.substr(0, 40)},
        {"width 0", patched(18, String(4, '\0'))},
        {"huge height", patched(22, "\xFF\xFF\xFF\x7F")},
        {"16 bits", patched(28, "\x10")},
        {"compressed", patched(30, "\x01")},
        {"offset beyond the file", patched(10, "\xFF\xFF\x00\x00")},
        {"palette over the pixels", patched(10, String("\x40\x00\x00\x00", 4))},
    };
    for (const auto& [name, bytes] : cases) {
        TMemoryStream stream = StreamOf(bytes);
        TBitmap bitmap;
        EXPECT_EQ(TestSupport::MessageOf<EInvalidGraphic>([&] { bitmap.LoadFromStream(stream); }),
                  "Bitmap image is not valid")
            << name;
        EXPECT_TRUE(bitmap.Empty()) << name;
    }
}
