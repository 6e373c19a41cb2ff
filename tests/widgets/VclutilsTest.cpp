// The drawing, message, block and string routines the widget units share.

#include "widgets/Vclutils.h"
#include "widgets/Qmconst.h"
#include "widgets/Strutils.h"

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<TBitmap> Filled(int width, int height, TColor colour) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    FillWith(bitmap->Canvas(), Rect(0, 0, width, height), colour);
    return bitmap;
}

// ---- Text fitted with "..."

TEST(VclutilsTest, FitTextWithEllipsisDropsCharactersUntilItFits) {
    std::unique_ptr<TBitmap> bitmap = Filled(10, 10, clWhite);
    TCanvas& canvas = bitmap->Canvas();
    struct Case {
        int Width;
        String Expected;
    };
    const Case cases[] = {
        {canvas.TextWidth("abcdef"), "abcdef"},
        {canvas.TextWidth("ab..."), "ab..."},
        {canvas.TextWidth("..."), "..."},
        {0, "..."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitTextWithEllipsis("abcdef", canvas, c.Width), c.Expected) << c.Width;
    EXPECT_EQ(FitTextWithEllipsis("abcdefghij", canvas, canvas.TextWidth("abcde...")), "abcde...");
}

// ---- Gradients, patterns and disabled glyphs

TEST(VclutilsTest, GradientBandsStepFromStartToEnd) {
    struct Case {
        GradientDirection Direction;
        int Count;
        TPoint Pixel;
        TColor Expected;
    };
    const TColor grey4 = RGB(4, 4, 4); // 255 x 1 / 63, rounded
    const Case cases[] = {
        {gdLeftToRight, 64, {0, 0}, clBlack},  {gdLeftToRight, 64, {1, 5}, grey4},
        {gdLeftToRight, 64, {63, 0}, clWhite}, {gdLeftToRight, 64, {99, 9}, clWhite},
        {gdRightToLeft, 64, {0, 0}, clWhite},  {gdRightToLeft, 64, {63, 0}, clBlack},
        {gdRightToLeft, 64, {99, 0}, clBlack}, {gdTopToBottom, 2, {50, 0}, clBlack},
        {gdTopToBottom, 2, {50, 9}, clWhite},  {gdBottomToTop, 2, {50, 0}, clWhite},
        {gdLeftToRight, 1, {99, 9}, clBlack},  {gdLeftToRight, 0, {50, 5}, clBlack},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TBitmap> bitmap = Filled(100, 10, clRed);
        FillGradientBands(bitmap->Canvas(), Rect(0, 0, 100, 10), clBlack, clWhite, c.Direction,
                          c.Count);
        EXPECT_EQ(bitmap->PixelAt(c.Pixel.x, c.Pixel.y), c.Expected)
            << c.Direction << " " << c.Count << " at " << c.Pixel.x << "," << c.Pixel.y;
    }
}

TEST(VclutilsTest, CheckerPatternAlternatesByParity) {
    std::unique_ptr<TBitmap> pattern = BuildCheckerPattern(clRed, clBlue);
    ASSERT_EQ(pattern->Width(), 8);
    ASSERT_EQ(pattern->Height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pattern->PixelAt(x, y), (x + y) % 2 ? clRed : clBlue) << x << "," << y;
}

TEST(VclutilsTest, DisabledGlyphEngravesTheMaskColour) {
    std::unique_ptr<TBitmap> glyph = Filled(4, 4, clWhite);
    glyph->Canvas().SetPixels(1, 1, clBlack);
    struct Case {
        bool WithHighlight;
        TPoint Pixel;
        TColor Expected;
    };
    const Case cases[] = {
        {true, {1, 1}, clGray},  {true, {2, 2}, clYellow},  {true, {0, 0}, clSilver},
        {false, {1, 1}, clGray}, {false, {2, 2}, clSilver},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TBitmap> disabled =
            BuildDisabledGlyph(*glyph, clBlack, clSilver, clYellow, clGray, c.WithHighlight);
        EXPECT_EQ(disabled->PixelAt(c.Pixel.x, c.Pixel.y), c.Expected)
            << c.WithHighlight << " at " << c.Pixel.x << "," << c.Pixel.y;
    }
    std::unique_ptr<TBitmap> standard = BuildStandardDisabledGlyph(*glyph, clBlack);
    EXPECT_EQ(standard->PixelAt(1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(standard->PixelAt(2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(standard->PixelAt(3, 0), ColorToRGB(clBtnFace));
}

TEST(VclutilsTest, EmbossedImageDrawsOnlyTheOpaquePixels) {
    TImageList images(3, 3);
    std::unique_ptr<TBitmap> image = Filled(3, 3, clFuchsia);
    image->Canvas().SetPixels(0, 0, clRed);
    images.AddEmpty();
    images.ReplaceMasked(0, *image, clFuchsia);
    std::unique_ptr<TBitmap> target = Filled(6, 6, clWhite);
    DrawEmbossedImage(images, target->Canvas(), 1, 1, 0, clYellow, clGray, true);
    EXPECT_EQ(target->PixelAt(1, 1), clGray);
    EXPECT_EQ(target->PixelAt(2, 2), clYellow);
    EXPECT_EQ(target->PixelAt(3, 3), clWhite) << "a left-out pixel";
}

// ---- Bitmaps drawn stretched and transparent

TEST(VclutilsTest, StretchedBitmapLeavesTheTransparentColourOut) {
    // Left column red, right column green (the transparent colour).
    std::unique_ptr<TBitmap> source = Filled(2, 2, clRed);
    FillWith(source->Canvas(), Rect(1, 0, 2, 2), clLime);
    struct Case {
        TColor Transparent;
        int Width;
        TPoint Pixel;
        TColor Expected;
    };
    const Case cases[] = {
        {clLime, 4, {1, 3}, clRed},
        {clLime, 4, {2, 0}, clBlue},
        {NoTransparentColor, 4, {3, 3}, clLime},
        {clLime, 0, {0, 1}, clRed},
        {clLime, 0, {2, 0}, clBlue},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TBitmap> target = Filled(4, 4, clBlue);
        StretchBitmapWithTransparency(target->Canvas(), *source, c.Transparent, 0, 0, c.Width,
                                      c.Width, 0, 0, 0, 0);
        EXPECT_EQ(target->PixelAt(c.Pixel.x, c.Pixel.y), c.Expected)
            << c.Width << " at " << c.Pixel.x << "," << c.Pixel.y;
    }
    std::unique_ptr<TBitmap> target = Filled(4, 4, clBlue);
    DrawBitmapPartStretched(target->Canvas(), 0, 0, 4, 4, Rect(1, 0, 2, 1), *source,
                            NoTransparentColor);
    EXPECT_EQ(target->PixelAt(0, 0), clLime) << "only the part asked for, stretched";
    EXPECT_EQ(target->PixelAt(3, 3), clLime);
}

TEST(VclutilsTest, PaintBehindControlShowsParentAndEarlierSiblings) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.SetColor(clRed);
    auto* image = NewControl<TImage>(&form, &form, "Image1", 0, 0, 20, 20);
    FillWith(image->Canvas(), Rect(0, 0, 20, 20), clLime);
    auto* control = NewControl<TImage>(&form, &form, "Image2", 10, 10, 30, 30);
    auto* later = NewControl<TImage>(&form, &form, "Image3", 10, 10, 30, 30);
    FillWith(later->Canvas(), Rect(0, 0, 30, 30), clBlue);

    std::unique_ptr<TBitmap> behind = Filled(30, 30, clWhite);
    PaintBehindControl(control, behind->Canvas());
    EXPECT_EQ(behind->PixelAt(0, 0), clLime) << "the sibling before it";
    EXPECT_EQ(behind->PixelAt(15, 15), clRed) << "the parent";
}

// ---- Messages, the application, blocks

TEST(VclutilsTest, DropQueuedMessageRemovesTheFirstOneButNeverAQuit) {
    TForm form(nullptr);
    const HWND window = form.Handle();
    PostMessage(window, WM_USER, 1, 0);
    PostMessage(window, WM_USER, 2, 0);
    PostMessage(window, WM_QUIT, 3, 0);
    EXPECT_TRUE(DropQueuedMessage(window, WM_USER));
    TMessage next;
    ASSERT_TRUE(PeekPostedMessage(window, WM_USER, next));
    EXPECT_EQ(next.WParam, 2u);
    EXPECT_FALSE(DropQueuedMessage(nullptr, WM_QUIT));
    EXPECT_TRUE(PeekPostedMessage(window, WM_QUIT, next)) << "the program still ends";
    EXPECT_FALSE(DropQueuedMessage(window, WM_PAINT));
    RemovePostedMessage(window, WM_QUIT);
    Application->ProcessMessages();
    EXPECT_FALSE(PeekPostedMessage(window, WM_USER, next));
}

TEST(VclutilsTest, ReportNotImplementedTellsAndEndsSilently) {
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_THROW(ReportNotImplemented(), EAbort);
    ASSERT_FALSE(TestHooks::Prompts().empty());
    EXPECT_EQ(TestHooks::Prompts().back().Text, "Function not yet implemented");
    EXPECT_EQ(TestHooks::Prompts().back().Icon(), UINT{MB_ICONINFORMATION});
    EXPECT_EQ(LoadStringResource(61257), "Function not yet implemented");
    EXPECT_EQ(LoadStringResource(1), "");
}

TEST(VclutilsTest, BlocksAreZeroedComparedAndCopied) {
    EXPECT_EQ(AllocZeroedGlobalBlock(0), nullptr);
    EXPECT_EQ(AllocZeroedGlobalBlock(-5), nullptr);
    void* block = AllocZeroedGlobalBlock(8);
    ASSERT_NE(block, nullptr);
    const char zeros[8] = {};
    EXPECT_TRUE(BlocksEqual(block, zeros, 8));
    char text[] = "abcdefgh";
    CopyBlock(OffsetPointer(text, 2), text, 5);
    EXPECT_STREQ(text, "ababcdeh") << "overlapping blocks";
    EXPECT_FALSE(BlocksEqual(text, "ababcdeX", 8));
    EXPECT_TRUE(BlocksEqual(text, "ababcdeX", 7));
    FreeGlobalBlock(block);
    EXPECT_EQ(block, nullptr);
    FreeGlobalBlock(block);
}

TEST(VclutilsTest, RectangleSizes) {
    EXPECT_EQ(WidthOfRect(Rect(3, 4, 10, 20)), 7);
    EXPECT_EQ(HeightOfRect(Rect(3, 4, 10, 20)), 16);
    EXPECT_EQ(ColourWithPaletteFlag(clBtnFace), ColorToRGB(clBtnFace) | 0x02000000u);
}

TEST(VclutilsTest, HandAndDragCursorsTakeTheirNumbers) {
    RegisterQmCursors();
    EXPECT_EQ(Screen->Cursors(crQmHand), LoadCursor(HInstance, "QM_HANDCUR"));
    EXPECT_EQ(Screen->Cursors(crQmDrag), LoadCursor(HInstance, "QM_DRAGCUR"));
    EXPECT_NE(Screen->Cursors(crQmHand), Screen->Cursors(crQmDrag));
    Screen->SetCursors(crQmHand, nullptr);
    Screen->SetCursors(crQmDrag, nullptr);
}

// ---- Strings

TEST(StrutilsTest, ReplaceAllText) {
    struct Case {
        String Text, Search, Replacement, Expected;
    };
    const Case cases[] = {
        {"abab", "ab", "x", "xx"}, {"aaa", "a", "aa", "aaaaaa"}, {"a-b-c", "-", "", "abc"},
        {"abc", "", "x", "abc"},   {"abc", "z", "x", "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAllText(c.Text, c.Search, c.Replacement), c.Expected) << c.Text;
}

TEST(StrutilsTest, RepeatCharAndAllCharsInSet) {
    EXPECT_EQ(RepeatChar('x', 3), "xxx");
    EXPECT_EQ(RepeatChar('x', 0), "");
    EXPECT_EQ(RepeatChar('x', -1), "");
    const TCharSet digits = CharSetOf("0123456789");
    EXPECT_TRUE(AllCharsInSet("", digits));
    EXPECT_TRUE(AllCharsInSet("2026", digits));
    EXPECT_FALSE(AllCharsInSet("20a6", digits));
    EXPECT_FALSE(AllCharsInSet("\xE9", digits));
    EXPECT_TRUE(AllCharsInSet("\xE9", CharSetOf("\xE9")));
}

} // namespace
