// The scrolling credits panel: its children make way while it plays, the text moves to its end
// and the play stops (or, cycled, starts over), the text area beside the glyph, the picture each
// tick leaves, and a start that fails leaves it still.

#include "widgets/QmCtrls.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

struct PanelOnForm {
    PanelOnForm() {
        Panel = NewControl<TSecretPanel>(&Form, &Form, "SecretPanel1", 0, 0, 200, 100);
        // Bold: thin antialiased strokes may show no pixel of the text's own colour.
        Panel->Font().SetColor(clNavy);
        Panel->Font().SetStyle(TFontStyles{fsBold});
        Shown = NewControl<TLabel>(&Form, Panel, "Shown", 4, 4, 40, 13);
        Hidden = NewControl<TLabel>(&Form, Panel, "Hidden", 4, 24, 40, 13);
        Hidden->SetVisible(false);
        Panel->Lines().SetText("\r\n  \r\nFirst\r\nSecond\r\n");
        Panel->OnStartPlay = [this](TObject*) { ++Starts; };
        Panel->OnStopPlay = [this](TObject*) { ++Stops; };
    }
    // Ticks until the play ends or the count is reached; the ticks given.
    int Play(int most) {
        int ticks = 0;
        while (ticks < most && Panel->Active() && Panel->Timer()->Running()) {
            Panel->Timer()->FireTimer();
            ++ticks;
        }
        return ticks;
    }
    std::unique_ptr<TBitmap> Shot() {
        auto shot = std::make_unique<TBitmap>();
        shot->SetSize(Panel->Width(), Panel->Height());
        PaintTo(*Panel, shot->Canvas(), 0, 0);
        return shot;
    }

    // Declared first, so they outlive the form, whose panel stops as it is freed.
    int Starts = 0;
    int Stops = 0;
    TForm Form{nullptr};
    TSecretPanel* Panel = nullptr;
    TLabel* Shown = nullptr;
    TLabel* Hidden = nullptr;
};

// 16 x 16 of blue with its transparent colour, fuchsia, in the bottom-left corner.
std::unique_ptr<TBitmap> BlueGlyph(int width = 16, int height = 16) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetSize(width, height);
    FillWith(glyph->Canvas(), TRect{0, 0, width, height}, clBlue);
    glyph->Canvas().SetPixels(0, height - 1, clFuchsia);
    return glyph;
}

// The columns of row y whose pixel has the colour, leftmost and rightmost; (-1, -1) for none.
std::pair<int, int> ColumnsOf(const TBitmap& shot, int y, TColor colour) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < shot.Width(); ++x)
        if (shot.PixelAt(x, y) == ColorToRGB(colour)) {
            if (first < 0)
                first = x;
            last = x;
        }
    return {first, last};
}

// The rows between top and bottom that hold a pixel of the colour.
int RowsWith(const TBitmap& shot, int top, int bottom, TColor colour) {
    int rows = 0;
    for (int y = top; y < bottom; ++y)
        rows += ColumnsOf(shot, y, colour).first >= 0 ? 1 : 0;
    return rows;
}

} // namespace

TEST(QmCtrlsTest, ThePlayHidesTheChildrenRisesToItsEndAndGivesThemBack) {
    PanelOnForm f;
    EXPECT_EQ(f.Panel->BevelOuter(), bvLowered);
    EXPECT_EQ(f.Panel->Interval(), 30u);
    f.Panel->SetActive(true);
    EXPECT_EQ(f.Starts, 1);
    EXPECT_FALSE(f.Shown->Visible());
    EXPECT_TRUE(f.Panel->Timer()->Running());
    // Blank lines before the text take no room: the text area's height plus two lines.
    const int textHeight = 100 - 2 * (1 + 3);
    EXPECT_EQ(f.Panel->ScrollLength(), textHeight + 2 * f.Panel->LineHeight());

    const int length = f.Panel->ScrollLength();
    EXPECT_EQ(f.Play(length + 10), length + 1);
    EXPECT_FALSE(f.Panel->Active());
    EXPECT_EQ(f.Stops, 1);
    EXPECT_EQ(f.Panel->ScrollPosition(), 0);
    EXPECT_FALSE(f.Panel->Timer()->Running());
    EXPECT_TRUE(f.Shown->Visible());
    EXPECT_FALSE(f.Hidden->Visible()); // it was hidden before the play
}

TEST(QmCtrlsTest, ACycledPlayStartsOverAndNewLinesRestartIt) {
    PanelOnForm f;
    f.Panel->SetCycled(true);
    f.Panel->SetActive(true);
    const int length = f.Panel->ScrollLength();
    EXPECT_EQ(f.Play(length + 1), length + 1);
    EXPECT_TRUE(f.Panel->Active());
    EXPECT_EQ(f.Panel->ScrollPosition(), 0);
    f.Play(5);
    f.Panel->Lines().Add("Third");
    EXPECT_EQ(f.Panel->ScrollPosition(), 0);
    EXPECT_EQ(f.Panel->ScrollLength(), length + f.Panel->LineHeight());
    EXPECT_EQ(f.Stops, 0);
}

TEST(QmCtrlsTest, AFailedStartLeavesThePanelStill) {
    PanelOnForm f;
    f.Panel->OnStartPlay = [](TObject*) { throw std::runtime_error("no"); };
    EXPECT_THROW(f.Panel->SetActive(true), std::runtime_error);
    EXPECT_FALSE(f.Panel->Active());
    EXPECT_FALSE(f.Panel->Timer()->Running());
    EXPECT_TRUE(f.Shown->Visible());
}

// A 200 x 100 panel with a lowered bevel: the text area is (4, 4, 196, 96) before the glyph.
TEST(QmCtrlsTest, TheGlyphTakesItsSideOfTheTextArea) {
    struct Case {
        TGlyphLayout Layout;
        int GlyphWidth;
        TPoint Origin;
        TRect Text;
    };
    const Case cases[] = {
        {glGlyphLeft, 16, {7, 42}, {27, 4, 196, 96}},
        {glGlyphRight, 16, {177, 42}, {4, 4, 173, 96}},
        {glGlyphTop, 16, {92, 7}, {4, 30, 196, 96}},    // 3 pixels more than at the side
        {glGlyphBottom, 16, {92, 77}, {4, 4, 196, 70}}, // likewise
        {glGlyphLeft, 0, {4, 50}, {4, 4, 196, 96}},     // no glyph takes no room
        {glGlyphTop, 0, {100, 4}, {4, 4, 196, 96}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Layout << " " << c.GlyphWidth);
        PanelOnForm f;
        if (c.GlyphWidth > 0)
            f.Panel->SetGlyph(*BlueGlyph(c.GlyphWidth, 16));
        f.Panel->SetGlyphLayout(c.Layout);
        f.Panel->SetActive(true);
        EXPECT_EQ(f.Panel->GlyphOrigin().x, c.Origin.x);
        EXPECT_EQ(f.Panel->GlyphOrigin().y, c.Origin.y);
        EXPECT_EQ(f.Panel->TextRect(), c.Text);
    }
}

TEST(QmCtrlsTest, APanelTooSmallForItsMarginsHasNoTextArea) {
    PanelOnForm f;
    f.Panel->SetBounds(0, 0, 8, 40);
    f.Panel->SetActive(true);
    EXPECT_TRUE(IsRectEmpty(f.Panel->TextRect()));
    f.Play(3);
    auto shot = f.Shot();
    EXPECT_EQ(RowsWith(*shot, 0, 40, clNavy), 0);
}

TEST(QmCtrlsTest, SizeAndFontChangesWhilePlayingLayTheTextOutAgain) {
    PanelOnForm f;
    f.Panel->SetActive(true);
    const int lineHeight = f.Panel->LineHeight();
    f.Panel->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(f.Panel->TextRect(), (TRect{4, 4, 296, 146}));
    EXPECT_EQ(f.Panel->ScrollLength(), 142 + 2 * lineHeight);
    f.Panel->Font().SetSize(f.Panel->Font().Size() * 3);
    EXPECT_GT(f.Panel->LineHeight(), 2 * lineHeight);
    EXPECT_EQ(f.Panel->ScrollLength(), 142 + 2 * f.Panel->LineHeight());
    f.Panel->SetTextStyle(bvRaised); // the engraved copy takes a pixel more
    EXPECT_EQ(f.Panel->ScrollLength(), 142 + 2 * f.Panel->LineHeight());
    f.Panel->SetColor(clTeal); // the next tick paints the text area's background anew
    f.Play(1);
    auto shot = f.Shot();
    EXPECT_EQ(shot->PixelAt(10, 10), ColorToRGB(clTeal));
}

// Horizontally the block of lines comes in from the right, centred top to bottom without the
// blank lines after it.
TEST(QmCtrlsTest, HorizontalScrollingCentresTheBlockAndRunsItsWidthAndTheAreas) {
    PanelOnForm f;
    f.Panel->Lines().SetText("Wide line of text\r\nShort\r\n\r\n  \r\n");
    f.Panel->SetScrollDirection(sdHorizontal);
    f.Panel->SetActive(true);
    const int lineHeight = f.Panel->LineHeight();
    const int free = 92 - 2 * lineHeight;
    EXPECT_EQ(f.Panel->TextRect(), (TRect{4, 4 + free / 2, 196, 96 - free / 2}));
    const int widest = f.Panel->Canvas().TextWidth("Wide line of text");
    EXPECT_EQ(f.Panel->ScrollLength(), widest + 192);
    f.Play(192 + widest / 2);
    auto shot = f.Shot();
    const TRect text = f.Panel->TextRect();
    EXPECT_GT(RowsWith(*shot, text.Top, text.Top + lineHeight, clNavy), 0);
    EXPECT_EQ(RowsWith(*shot, 0, text.Top, clNavy), 0);
    EXPECT_EQ(RowsWith(*shot, text.Bottom, 100, clNavy), 0);
}

// Each tick paints the text over what OnPaintClient gives the area, engraved, at its alignment;
// the glyph stands beside it.
TEST(QmCtrlsTest, ATickPaintsTheLinesOverThePanelsOwnBackground) {
    for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify}) {
        SCOPED_TRACE(alignment);
        PanelOnForm f;
        f.Panel->Lines().SetText("MMMM\r\n");
        f.Panel->Font().SetColor(clNavy);
        f.Panel->Font().SetStyle(TFontStyles{fsBold});
        f.Panel->SetTextStyle(bvLowered);
        f.Panel->SetAlignment(alignment);
        f.Panel->SetGlyph(*BlueGlyph());
        f.Panel->OnPaintClient = [](TObject*, TCanvas& canvas, const TRect& rect) {
            FillWith(canvas, rect, clYellow);
        };
        f.Panel->SetActive(true);
        const TRect text = f.Panel->TextRect();
        f.Play(text.Height()); // the line's top at the area's top
        auto shot = f.Shot();

        EXPECT_EQ(shot->PixelAt(f.Panel->GlyphOrigin().x + 1, f.Panel->GlyphOrigin().y),
                  ColorToRGB(clBlue));
        EXPECT_EQ(shot->PixelAt(f.Panel->GlyphOrigin().x, f.Panel->GlyphOrigin().y + 15),
                  ColorToRGB(clYellow)); // the glyph's transparent corner
        EXPECT_EQ(shot->PixelAt(text.Left + 1, text.Bottom - 2), ColorToRGB(clYellow));
        const int lineHeight = f.Panel->LineHeight();
        EXPECT_GT(RowsWith(*shot, text.Top, text.Top + lineHeight, clNavy), 3);
        EXPECT_GT(RowsWith(*shot, text.Top, text.Top + lineHeight + 1, clBtnHighlight), 3);
        EXPECT_EQ(RowsWith(*shot, text.Top + lineHeight + 1, text.Bottom, clNavy), 0);

        int left = shot->Width();
        int right = -1;
        for (int y = text.Top; y < text.Top + lineHeight; ++y) {
            auto [first, last] = ColumnsOf(*shot, y, clNavy);
            if (first >= 0) {
                left = std::min(left, first);
                right = std::max(right, last);
            }
        }
        const int margin = text.Right - right - (left - text.Left);
        if (alignment == taLeftJustify)
            EXPECT_LE(left - text.Left, 2);
        else if (alignment == taRightJustify)
            EXPECT_LE(text.Right - right, 3);
        else
            EXPECT_LE(std::abs(margin), 3);
    }
}

TEST(QmCtrlsTest, AStillPanelShowsItsChildrenAndNoGlyph) {
    PanelOnForm f;
    f.Panel->SetGlyph(*BlueGlyph());
    auto shot = f.Shot();
    EXPECT_EQ(RowsWith(*shot, 0, 100, clBlue), 0);
    EXPECT_EQ(shot->PixelAt(0, 0), ColorToRGB(clBtnShadow)); // the lowered bevel
    EXPECT_EQ(shot->PixelAt(199, 99), ColorToRGB(clBtnHighlight));
}
