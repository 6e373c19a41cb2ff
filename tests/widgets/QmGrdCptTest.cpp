// The gradient title bar: the caption strip each border style leaves, the gradient or plain fill
// as the form is active or not, the icon, the caption segments giving way (glued ones together)
// and "..." when the text does not fit, the caption menu, the caption font, and the title the
// desktop shows.

#include "widgets/QmGrdCpt.h"

#include "platform/FileUtils.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct CaptionOnForm {
    // The form's activity as the title bar saw it last: a property set afterwards looks again
    // at the window, which no test shows, so each test activates the form after setting up.
    CaptionOnForm() {
        SetShippedDataFolder(QM_SOURCE_DATA);
        Form.SetBounds(0, 0, 400, 300);
        Caption = NewComponent<TQmGradientCaption>(&Form, "GradientCaption1");
        Caption->RepaintCaption();
    }
    void Activate(bool active) { Form.Perform(WM_NCACTIVATE, active ? 1 : 0, 0); }
    // The window's picture over a fuchsia frame.
    std::unique_ptr<TBitmap> Paint() {
        auto shot = std::make_unique<TBitmap>();
        shot->SetSize(Form.Width(), Form.Height());
        FillWith(shot->Canvas(), TRect{0, 0, Form.Width(), Form.Height()}, clFuchsia);
        Caption->PaintTitleBar(shot->Canvas());
        return shot;
    }
    // Without title-bar buttons or icon the strip is the window less its frame of 4.
    void SetStripWidth(int width) {
        Form.SetBorderIcons({});
        Form.SetBounds(0, 0, width + 8, 300);
    }
    TQmCaption& AddSegment(const String& text, TColor colour) {
        TQmCaption& segment = Caption->Captions().Add();
        segment.SetCaption(text);
        segment.Font().SetColor(colour);
        return segment;
    }

    TForm Form{nullptr};
    TQmGradientCaption* Caption = nullptr;
};

int CountOf(const TBitmap& shot, const TRect& area, TColor colour) {
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            count += shot.PixelAt(x, y) == ColorToRGB(colour) ? 1 : 0;
    return count;
}

} // namespace

TEST(QmGrdCptTest, TheCaptionStripEndsBeforeTheButtonsTheBorderStyleShows) {
    struct Case {
        TFormBorderStyle Style;
        TBorderIcons Icons;
        TRect Strip;
    };
    const Case cases[] = {
        {bsSizeable, {biSystemMenu, biMinimize, biMaximize}, {4, 4, 342, 22}},
        {bsSizeable, {biSystemMenu, biMinimize}, {4, 4, 342, 22}}, // both shown all the same
        {bsSizeable, {biSystemMenu, biHelp}, {4, 4, 360, 22}},
        {bsSizeable, {biSystemMenu, biMaximize, biHelp}, {4, 4, 342, 22}}, // help gives way
        {bsSizeable, {biMinimize, biMaximize}, {4, 4, 396, 22}}, // nothing without system menu
        {bsSingle, {biSystemMenu}, {3, 3, 379, 21}},
        {bsDialog, {biSystemMenu, biMinimize, biHelp}, {3, 3, 361, 21}},
        {bsToolWindow, {biSystemMenu, biMaximize}, {3, 3, 383, 17}},
        {bsSizeToolWin, {biSystemMenu}, {4, 4, 382, 18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Style << " " << c.Icons.Bits());
        CaptionOnForm f;
        f.Form.SetBorderStyle(c.Style);
        f.Form.SetBorderIcons(c.Icons);
        f.Form.SetBounds(0, 0, 400, 300);
        TBorderIcons icons;
        EXPECT_EQ(f.Caption->GetTitleBarRect(icons), c.Strip);
    }
}

TEST(QmGrdCptTest, AnActiveFormHasTheGradientAndAnInactiveOneThePlainColour) {
    CaptionOnForm f;
    f.Activate(true);
    EXPECT_TRUE(f.Caption->FormActive());
    auto shot = f.Paint();
    EXPECT_EQ(shot->PixelAt(2, 10), ColorToRGB(clFuchsia));   // the frame is the desktop's
    EXPECT_EQ(shot->PixelAt(350, 10), ColorToRGB(clFuchsia)); // and so are the buttons
    EXPECT_EQ(shot->PixelAt(10, 22), ColorToRGB(clFuchsia));
    // From black a quarter of the way along at the left edge to the caption colour on the right.
    const TColor left = shot->PixelAt(4, 21);
    const TColor right = shot->PixelAt(341, 21);
    const TColor end = ColorToRGB(clGradientActiveCaption);
    EXPECT_NE(left, 0u);
    EXPECT_NEAR(GetBValue(left), GetBValue(end) / 5, 8);
    EXPECT_NEAR(GetBValue(right), GetBValue(end), 8);
    EXPECT_LT(GetBValue(shot->PixelAt(100, 21)), GetBValue(shot->PixelAt(300, 21)));

    f.Activate(false);
    EXPECT_FALSE(f.Caption->FormActive());
    shot = f.Paint();
    EXPECT_EQ(CountOf(*shot, TRect{4, 21, 342, 22}, clGradientInactiveCaption), 338);
    f.Caption->SetGradientInactive(true);
    shot = f.Paint();
    EXPECT_LT(GetBValue(shot->PixelAt(4, 21)), 100);
}

// Steps count modulo 256, and fewer than two leave the start colour alone.
TEST(QmGrdCptTest, GradientStepsCountModulo256) {
    CaptionOnForm f;
    f.Caption->SetStartColor(clRed);
    auto stripOf = [&](int steps) {
        f.Caption->SetGradientSteps(steps);
        f.Activate(true);
        auto shot = f.Paint();
        std::vector<TColor> row;
        for (int x = 24; x < 342; ++x)
            row.push_back(shot->PixelAt(x, 21));
        return row;
    };
    EXPECT_EQ(stripOf(300), stripOf(44));
    EXPECT_NE(stripOf(44), stripOf(64));
    for (int steps : {0, 1, 256})
        EXPECT_EQ(stripOf(steps), std::vector<TColor>(318, ColorToRGB(clRed))) << steps;
}

TEST(QmGrdCptTest, TheSmallIconStandsAtTheLeftOfSingleAndSizeableForms) {
    for (TFormBorderStyle style : {bsSizeable, bsSingle, bsDialog}) {
        SCOPED_TRACE(style);
        CaptionOnForm f;
        f.Form.SetBorderStyle(style);
        f.Form.SetBounds(0, 0, 400, 300);
        f.Activate(true);
        auto shot = f.Paint();
        const int frame = style == bsSizeable ? 4 : 3;
        // The icon's top-left patch is navy, its corner transparent.
        const bool navy = shot->PixelAt(frame + 2 + 4, frame + 1 + 4) == ColorToRGB(clNavy);
        EXPECT_EQ(navy, style != bsDialog);
        EXPECT_NE(shot->PixelAt(frame + 2, frame + 1), ColorToRGB(clFuchsia));
    }
}

TEST(QmGrdCptTest, TheCaptionTextTakesTheInactiveColourWithTheForm) {
    CaptionOnForm f;
    f.Caption->SetFormCaption("Quiltmarker");
    f.Activate(true);
    const TRect text{26, 4, 342, 22};
    auto shot = f.Paint();
    EXPECT_GT(CountOf(*shot, text, clCaptionText), 20);
    f.Activate(false);
    shot = f.Paint();
    EXPECT_EQ(CountOf(*shot, text, clCaptionText), 0);
    EXPECT_GT(CountOf(*shot, text, clInactiveCaptionText), 20);
    f.Caption->SetFontInactiveColor(clRed);
    shot = f.Paint();
    EXPECT_GT(CountOf(*shot, text, clRed), 20);
}

// Segments A (red, glued to B) and B (lime) before the caption (white): the pair gives way
// together before the caption is shortened, and the caption shows "..." even when nothing fits.
TEST(QmGrdCptTest, SegmentsGiveWayFromTheLeftGluedOnesTogether) {
    struct Case {
        bool Glued;
        int Room; // the strip's width beyond what the texts that fit need
        const char* Fits;
        bool Red, Lime, White;
    };
    const Case cases[] = {
        {true, 1, "ABC", true, true, true},  {true, 0, "BC", false, false, true},
        {false, 0, "BC", false, true, true}, {true, -1, "C", false, false, true},
        {true, 0, "", false, false, true}, // a strip of 10: "..." drawn though it does not fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Glued << " " << c.Room << " " << c.Fits);
        CaptionOnForm f;
        f.Caption->SetGradientActive(false); // the plain caption colour behind the text
        f.AddSegment("Alpha", clRed).SetGlueNext(c.Glued);
        f.AddSegment("Beta", clLime);
        f.Caption->SetFormCaption("Quiltmarker");
        const String fits = c.Fits;
        int needed = 2 + 2;
        if (fits.find('A') != String::npos)
            needed += f.Caption->Captions().CaptionAt(0).MeasureWidth();
        if (fits.find('B') != String::npos)
            needed += f.Caption->Captions().CaptionAt(1).MeasureWidth();
        if (fits.find('C') != String::npos)
            needed += f.Caption->MeasureFormCaption();
        f.SetStripWidth(fits.empty() ? 10 : needed + c.Room);
        f.Activate(true);
        auto shot = f.Paint();
        const TRect strip{4, 4, f.Form.Width() - 4, 22};
        EXPECT_EQ(CountOf(*shot, strip, clRed) > 0, c.Red);
        EXPECT_EQ(CountOf(*shot, strip, clLime) > 0, c.Lime);
        EXPECT_EQ(CountOf(*shot, strip, clWhite) > 0, c.White);
    }
}

// From the right, a segment that cannot show a character is left out, and so is what follows.
TEST(QmGrdCptTest, FromTheRightTheFirstSegmentsStay) {
    CaptionOnForm f;
    f.Caption->SetGradientActive(false);
    f.Caption->SetHideDirection(hdRightToLeft);
    f.AddSegment("Alpha", clRed);
    f.AddSegment("Beta", clLime);
    f.Caption->SetFormCaption("Quiltmarker");
    const int alpha = f.Caption->Captions().CaptionAt(0).MeasureWidth();
    f.SetStripWidth(2 + 2 + alpha + 3);
    f.Activate(true);
    auto shot = f.Paint();
    const TRect strip{4, 4, f.Form.Width() - 4, 22};
    EXPECT_GT(CountOf(*shot, strip, clRed), 0);
    EXPECT_EQ(CountOf(*shot, strip, clLime), 0);
    EXPECT_EQ(CountOf(*shot, strip, clWhite), 0);
}

TEST(QmGrdCptTest, ARightClickInTheTitleBarShowsTheCaptionMenu) {
    CaptionOnForm f;
    f.Form.Perform(WM_NCRBUTTONDOWN, 2, MAKELPARAM(50, 10));
    f.Form.Perform(WM_NCRBUTTONUP, 2, MAKELPARAM(50, 10));
    EXPECT_TRUE(TestHooks::Popups().empty()); // no menu: the desktop's own behaviour

    auto* menu = NewComponent<TPopupMenu>(&f.Form, "CaptionMenu");
    f.Caption->SetPopupMenu(menu);
    EXPECT_EQ(f.Form.Perform(WM_NCRBUTTONDOWN, 2, MAKELPARAM(50, 10)), 0);
    f.Form.Perform(WM_NCRBUTTONUP, 2, MAKELPARAM(60, 12));
    ASSERT_EQ(TestHooks::Popups().size(), 1u);
    EXPECT_EQ(TestHooks::Popups()[0].Menu, menu);
    EXPECT_EQ(TestHooks::Popups()[0].Component, f.Caption);
    EXPECT_EQ(TestHooks::Popups()[0].Point, (TPoint{60, 12}));

    delete menu;
    EXPECT_EQ(f.Caption->PopupMenu(), nullptr);
}

TEST(QmGrdCptTest, TheCaptionFontFollowsTheSystemUntilItIsSet) {
    CaptionOnForm f;
    TQmCaption& own = f.AddSegment("Own", clRed);
    TQmCaption& parent = f.Caption->Captions().Add();
    EXPECT_TRUE(f.Caption->DefaultFont());
    EXPECT_FALSE(own.ParentFont());
    EXPECT_TRUE(parent.ParentFont());
    f.Caption->Font().SetSize(14);
    EXPECT_FALSE(f.Caption->DefaultFont());
    EXPECT_EQ(parent.Font().Size(), 14);
    EXPECT_EQ(own.Font().Size(), 8);
    f.Caption->SetDefaultFont(true);
    EXPECT_EQ(f.Caption->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(f.Caption->Font().Size(), 8);
    EXPECT_EQ(f.Caption->Font().Style(), TFontStyles{fsBold});
    EXPECT_EQ(f.Caption->Font().Color(), clCaptionText);
}

// The desktop draws the title bar: it shows the component's caption while the component works.
TEST(QmGrdCptTest, TheTitleBarShowsTheComponentsCaptionWhileActive) {
    CaptionOnForm f;
    f.Form.SetCaption("Own title");
    f.Caption->SetFormCaption("Quiltmarker");
    EXPECT_EQ(f.Form.TitleBarText(), "Quiltmarker");
    EXPECT_EQ(f.Form.Caption(), "Own title");
    int deactivations = 0;
    f.Caption->OnDeactivate = [&](TObject*) { ++deactivations; };
    f.Caption->SetActive(false);
    EXPECT_EQ(f.Form.TitleBarText(), "");
    EXPECT_EQ(deactivations, 1);
}
