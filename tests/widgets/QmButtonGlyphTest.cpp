// The speed buttons' glyph painter: the strip cut into state images, the looks it makes for the
// states the strip has no cell for, the shared image lists, and the face it lays out.

#include "widgets/QmCtrls.h"

#include "platform/SysUtils.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TBitmap> Strip(int width, int height, TColor colour) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    FillWith(bitmap->Canvas(), Rect(0, 0, width, height), colour);
    return bitmap;
}

// The image of a state drawn over white.
std::unique_ptr<TBitmap> StateImage(TQmButtonGlyph& glyph, SpeedButtonState state) {
    const int index = glyph.GetStateImage(state);
    EXPECT_NE(index, -1);
    TGlyphList* list = glyph.ImageList();
    auto image = Strip(list->Width(), list->Height(), clWhite);
    list->Draw(image->Canvas(), 0, 0, index);
    return image;
}

TEST(QmButtonGlyphTest, StripSizeSetsTheNumberOfCells) {
    struct Case {
        int Width;
        int Expected;
    };
    for (Case c : {Case{64, 4}, Case{96, 1}, Case{32, 2}, Case{50, 3}}) {
        TQmButtonGlyph glyph;
        glyph.SetNumGlyphs(3);
        glyph.SetGlyph(*Strip(c.Width, 16, clRed));
        EXPECT_EQ(glyph.NumGlyphs(), c.Expected) << c.Width;
    }
}

TEST(QmButtonGlyphTest, NewCountReleasesImagesAndZeroOrSameKeepsThem) {
    TQmButtonGlyph glyph;
    glyph.SetGlyph(*Strip(32, 16, clRed));
    ASSERT_EQ(glyph.NumGlyphs(), 2);
    const int up = glyph.GetStateImage(sbsUp);
    ASSERT_NE(up, -1);
    EXPECT_EQ(glyph.GetStateImage(sbsDown), up) << "two cells have no down cell";
    TGlyphList* list = glyph.ImageList();
    glyph.SetNumGlyphs(0);
    glyph.SetNumGlyphs(2);
    EXPECT_EQ(list->UsedCount(), 1) << "kept";
    glyph.SetNumGlyphs(1);
    EXPECT_EQ(glyph.ImageList(), nullptr) << "released, and the list given back";
}

TEST(QmButtonGlyphTest, StatesWithoutACellOfTheirOwn) {
    // One cell: a black corner pixel on red, white and silver pixels, the bottom row olive
    // (transparent), one pixel in the button face colour.
    auto strip = Strip(8, 8, clRed);
    FillWith(strip->Canvas(), Rect(0, 7, 8, 8), clOlive);
    strip->Canvas().SetPixels(0, 0, clBlack);
    strip->Canvas().SetPixels(4, 4, clWhite);
    strip->Canvas().SetPixels(5, 4, clSilver);
    strip->Canvas().SetPixels(6, 4, ColorToRGB(clBtnFace));
    TQmButtonGlyph glyph;
    glyph.SetGlyph(*strip);
    ASSERT_EQ(glyph.NumGlyphs(), 1);
    EXPECT_EQ(glyph.TransparentColor(), clOlive);

    EXPECT_EQ(glyph.GetStateImage(sbsDown), glyph.GetStateImage(sbsUp)) << "down shows up";
    auto up = StateImage(glyph, sbsUp);
    EXPECT_EQ(up->PixelAt(1, 1), clRed);
    EXPECT_EQ(up->PixelAt(1, 7), clWhite) << "transparent row left out";

    auto disabled = StateImage(glyph, sbsDisabled);
    EXPECT_EQ(disabled->PixelAt(0, 0), ColorToRGB(clBtnShadow)) << "engraved";
    EXPECT_EQ(disabled->PixelAt(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(disabled->PixelAt(3, 3), clWhite) << "the rest left out";
    EXPECT_EQ(disabled->PixelAt(4, 4), clWhite) << "white vanishes";

    auto inactive = StateImage(glyph, sbsInactive);
    const int grey = (77 * 255) >> 8;
    EXPECT_EQ(inactive->PixelAt(1, 1), RGB(grey, grey, grey));
    EXPECT_EQ(inactive->PixelAt(6, 4), ColorToRGB(clBtnFace)) << "the face keeps its colour";
    EXPECT_EQ(inactive->PixelAt(1, 7), clWhite) << "transparent stays transparent";
}

TEST(QmButtonGlyphTest, CellsOfTheStripServeTheirStates) {
    auto strip = Strip(40, 8, clOlive);
    const TColor cells[] = {clRed, clLime, clBlue, clYellow, clAqua};
    for (int i = 0; i < 5; ++i)
        FillWith(strip->Canvas(), Rect(i * 8, 0, i * 8 + 8, 7), cells[i]);
    TQmButtonGlyph glyph;
    glyph.SetGlyph(*strip);
    ASSERT_EQ(glyph.NumGlyphs(), 5);
    for (SpeedButtonState state : {sbsUp, sbsDisabled, sbsDown, sbsExclusive, sbsInactive})
        EXPECT_EQ(StateImage(glyph, state)->PixelAt(2, 2), cells[state]) << state;
}

TEST(QmButtonGlyphTest, PaintersOfOneSizeShareAListAndReuseItsSlots) {
    auto strip = Strip(16, 16, clRed);
    auto first = std::make_unique<TQmButtonGlyph>();
    auto second = std::make_unique<TQmButtonGlyph>();
    first->SetGlyph(*strip);
    second->SetGlyph(*strip);
    first->GetStateImage(sbsUp);
    second->GetStateImage(sbsUp);
    TGlyphList* list = first->ImageList();
    EXPECT_EQ(second->ImageList(), list);
    EXPECT_EQ(list->Count(), 2);
    first->ReleaseImages();
    second->GetStateImage(sbsInactive);
    EXPECT_EQ(list->Count(), 2) << "the freed slot was used again";
    first.reset();
    ASSERT_NE(QmCtrls::GlyphCache(), nullptr);
    second.reset();
    EXPECT_EQ(QmCtrls::GlyphCache(), nullptr) << "the last painter frees the cache";
}

TEST(QmButtonGlyphTest, ImageSmallerThanTheListIsRefused) {
    TGlyphList list(16, 16);
    try {
        list.AddMaskedImage(*Strip(8, 8, clRed), clOlive);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Unable to Replace Image");
    }
    EXPECT_EQ(list.UsedCount(), 0);
}

TEST(QmButtonGlyphTest, EmptyGlyphDrawsNothingAndTakesNoRoom) {
    TQmButtonGlyph glyph;
    EXPECT_EQ(glyph.GetStateImage(sbsUp), -1);
    auto canvas = Strip(40, 20, clWhite);
    const TFaceLayout face = glyph.LayOutFace(canvas->Canvas(), Rect(0, 0, 40, 20), "", blGlyphLeft,
                                              -1, 1, false, DT_CENTER);
    EXPECT_EQ(face.GlyphSize.cx, 0);
    EXPECT_EQ(face.TextSize.cx, 0);
}

TEST(QmButtonGlyphTest, CaptionTooWideEndsInEllipsisUnlessWrapped) {
    TQmButtonGlyph glyph;
    auto bitmap = Strip(10, 10, clWhite);
    TCanvas& canvas = bitmap->Canvas();
    const String caption = "Caption text";
    const int room = canvas.TextWidth("Capti...");
    const TRect client = Rect(0, 0, room, 40);
    TFaceLayout face = glyph.LayOutFace(canvas, client, caption, blGlyphTop, -1, 1, false, 0);
    EXPECT_EQ(face.Caption, "Capti...");
    glyph.WordWrap = true;
    face = glyph.LayOutFace(canvas, client, caption, blGlyphTop, -1, 1, false, 0);
    EXPECT_EQ(face.Caption, caption);
}

TEST(QmButtonGlyphTest, GlyphAndCaptionSpreadAlongTheLayout) {
    TQmButtonGlyph glyph;
    glyph.SetGlyph(*Strip(16, 16, clRed));
    auto bitmap = Strip(10, 10, clWhite);
    TCanvas& canvas = bitmap->Canvas();
    const int textWidth = canvas.TextWidth("OK");
    const TRect client = Rect(2, 3, 102, 43);
    struct Case {
        TButtonLayout Layout;
        int Margin;
        int Spacing;
        int GlyphX;
        int TextX;
    };
    const Case cases[] = {
        {blGlyphLeft, 4, 2, 2 + 4, 2 + 4 + 16 + 2},
        {blGlyphRight, 4, 2, 2 + 100 - 4 - 16, 2 + 100 - 4 - 16 - 2 - textWidth},
        {blGlyphLeft, -1, -1, 2 + (100 - 16 - textWidth) / 3,
         2 + 2 * ((100 - 16 - textWidth) / 3) + 16},
    };
    for (const Case& c : cases) {
        const TFaceLayout face =
            glyph.LayOutFace(canvas, client, "OK", c.Layout, c.Margin, c.Spacing, false, 0);
        EXPECT_EQ(face.GlyphPos.x, c.GlyphX) << c.Layout << " " << c.Margin;
        EXPECT_EQ(face.TextRect.Left, c.TextX) << c.Layout << " " << c.Margin;
        EXPECT_EQ(face.GlyphPos.y, 3 + 20 - 8) << "centred across";
    }
}

} // namespace
