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
