// The speed button as a user meets it: clicks, exclusive groups, the drop-down menu, the click
// repeated while the button is held, the flat look under the mouse, and the face it draws.

#include "widgets/QmCtrls.h"

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

class QmSpeedButtonTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 300, 200);
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
    }

    TQmSpeedButton* AddButton(int left, int group = 0) {
        auto* button = NewControl<TQmSpeedButton>(Form, Form, "", left, 10, 25, 25);
        button->SetGroupIndex(group);
        button->OnClick = [this, button](TObject*) { Clicks.push_back(button); };
        return button;
    }
    int ClicksOf(TQmSpeedButton* button) const {
        return static_cast<int>(std::count(Clicks.begin(), Clicks.end(), button));
    }

    TForm* Form = nullptr;
    std::vector<TQmSpeedButton*> Clicks;
};

std::unique_ptr<TBitmap> Shot(TQmSpeedButton& button) {
    auto shot = std::make_unique<TBitmap>();
    shot->SetSize(button.Width(), button.Height());
    PaintTo(button, shot->Canvas(), 0, 0);
    return shot;
}

// A 16 x 16 glyph: a red square on the transparent olive, one black pixel in its corner.
std::unique_ptr<TBitmap> RedGlyph() {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetSize(16, 16);
    FillWith(glyph->Canvas(), Rect(0, 0, 16, 16), clOlive);
    FillWith(glyph->Canvas(), Rect(0, 0, 16, 15), clRed);
    glyph->Canvas().SetPixels(0, 0, clBlack);
    return glyph;
}

TEST_F(QmSpeedButtonTest, PlainButtonClicksOnlyWhenReleasedOnIt) {
    TQmSpeedButton* button = AddButton(10);
    TestHooks::ClickMouse(*button, 5, 5);
    EXPECT_EQ(ClicksOf(button), 1);
    EXPECT_EQ(button->State(), sbsUp);

    TestHooks::PressMouse(*button, 5, 5);
    EXPECT_EQ(button->State(), sbsDown);
    TestHooks::MoveHeldMouse(*button, 40, 5);
    EXPECT_EQ(button->State(), sbsUp) << "the pointer left the held button";
    TestHooks::MoveHeldMouse(*button, 5, 24);
    EXPECT_EQ(button->State(), sbsDown) << "and came back";
    TestHooks::MoveHeldMouse(*button, 5, 25);
    EXPECT_EQ(button->State(), sbsUp) << "the row below the button is off it";
    TestHooks::ReleaseMouse(*button, 5, 25);
    EXPECT_EQ(ClicksOf(button), 1) << "released off the button";
    EXPECT_EQ(button->State(), sbsUp);
    EXPECT_FALSE(button->Down()) << "a plain button is never down";
}

TEST_F(QmSpeedButtonTest, GroupButtonsAreExclusive) {
    struct Case {
        bool AllowAllUp;
        bool DownAfterSecondClick;
    };
    for (Case c : {Case{false, true}, Case{true, false}}) {
        TQmSpeedButton* a = AddButton(10, 1);
        TQmSpeedButton* b = AddButton(40, 1);
        TQmSpeedButton* other = AddButton(70, 2);
        a->SetAllowAllUp(c.AllowAllUp);
        EXPECT_EQ(b->AllowAllUp(), c.AllowAllUp) << "the group shares AllowAllUp";

        other->SetDown(true);
        TestHooks::ClickMouse(*a, 5, 5);
        EXPECT_TRUE(a->Down());
        EXPECT_EQ(a->State(), sbsExclusive);
        TestHooks::ClickMouse(*b, 5, 5);
        EXPECT_TRUE(b->Down());
        EXPECT_FALSE(a->Down()) << "pressing one releases the other";
        EXPECT_EQ(a->State(), sbsUp);
        EXPECT_TRUE(other->Down()) << "another group is left alone";

        TestHooks::ClickMouse(*b, 5, 5);
        EXPECT_EQ(b->Down(), c.DownAfterSecondClick) << c.AllowAllUp;
        EXPECT_EQ(ClicksOf(b), 2);
        for (TQmSpeedButton* button : {a, b, other})
            button->Free();
        Clicks.clear();
    }
}

TEST_F(QmSpeedButtonTest, GroupButtonReleasedOffItStaysAsItWas) {
    TQmSpeedButton* a = AddButton(10, 1);
    a->SetDown(true);
    TestHooks::PressMouse(*a, 5, 5);
    TestHooks::ReleaseMouse(*a, 60, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), sbsExclusive);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(QmSpeedButtonTest, ClickGivesTheFormItsModalResultAndTheAcceleratorClicks) {
    TQmSpeedButton* button = AddButton(10);
    button->SetCaption("&Go");
    button->SetModalResult(mrOk);
    EXPECT_EQ(button->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(button->Perform(CM_DIALOGCHAR, 'g', 0), 1);
    EXPECT_EQ(ClicksOf(button), 1);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    button->SetEnabled(false);
    EXPECT_EQ(button->Perform(CM_DIALOGCHAR, 'g', 0), 0) << "not while disabled";
}

TEST_F(QmSpeedButtonTest, DownNeedsAGroup) {
    TQmSpeedButton* plain = AddButton(10);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST_F(QmSpeedButtonTest, PressShowsTheDropDownMenuWithoutClicking) {
    TQmSpeedButton* button = AddButton(10);
    auto* menu = new TPopupMenu(Form);
    button->SetDropDownMenu(menu);
    // The press that closes the open menu arrives over the button, another one beside it.
    menu->OnPopup = [this, button](TObject*) {
        PostMessage(Form->Handle(), WM_LBUTTONDOWN, 0,
                    MAKELPARAM(button->Left() + 5, button->Top() + 5));
        PostMessage(Form->Handle(), WM_LBUTTONDOWN, 0,
                    MAKELPARAM(button->Left() + 60, button->Top() + 5));
    };

    TestHooks::ClickMouse(*button, 5, 5);
    ASSERT_EQ(TestHooks::Popups().size(), 1u);
    EXPECT_EQ(TestHooks::Popups()[0].Component, button);
    EXPECT_EQ(TestHooks::Popups()[0].Point, button->ClientToScreen(Point(-1, 25)));
    EXPECT_TRUE(Clicks.empty()) << "showing the menu is all the press does";
    EXPECT_EQ(button->State(), sbsUp);

    TMessage queued;
    ASSERT_TRUE(PeekPostedMessage(Form->Handle(), WM_LBUTTONDOWN, queued));
    EXPECT_EQ(LOWORD(queued.LParam), button->Left() + 60) << "only the press on the button goes";
    Application->ProcessMessages();

    menu->Free();
    EXPECT_EQ(button->DropDownMenu(), nullptr) << "a freed menu is forgotten";
}

TEST_F(QmSpeedButtonTest, MenuOpensWhereItsPositionAndAlignmentSay) {
    TQmSpeedButton* button = AddButton(10);
    auto* menu = new TPopupMenu(Form);
    button->SetDropDownMenu(menu);
    struct Case {
        TQmDropDownMenuPos Position;
        TPopupAlignment Alignment;
        TPoint Anchor;
    };
    const Case cases[] = {
        {dmpBottom, paLeft, {-1, 25}},   {dmpBottom, paRight, {26, 25}},
        {dmpBottom, paCenter, {12, 25}}, {dmpRight, paLeft, {25, -1}},
        {dmpRight, paRight, {-1, -1}},   {dmpRight, paCenter, {12, 25}},
    };
    for (const Case& c : cases) {
        button->SetMenuPosition(c.Position);
        menu->SetAlignment(c.Alignment);
        EXPECT_EQ(button->MenuAnchorPoint(), c.Anchor) << c.Position << " " << c.Alignment;
    }
    menu->SetAutoPopup(false);
    EXPECT_FALSE(button->ShowDropDownMenu(Point(0, 0), false));
    EXPECT_TRUE(button->ShowDropDownMenu(Point(0, 0), true));
}

TEST_F(QmSpeedButtonTest, HeldButtonRepeatsItsClick) {
    TQmSpeedButton* button = AddButton(10);
    button->SetAllowTimer(true);
    TestHooks::PressMouse(*button, 5, 5);
    TTimer* timer = button->RepeatTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(button->MouseCapture());
    EXPECT_EQ(button->State(), sbsDown);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 500) << "the pause before the first repeat";
    EXPECT_TRUE(Clicks.empty());

    ASSERT_TRUE(TestHooks::FireTimer(*timer));
    EXPECT_EQ(ClicksOf(button), 1);
    EXPECT_EQ(timer->Interval(), 100) << "then the repeat interval";
    ASSERT_TRUE(TestHooks::FireTimer(*timer));
    EXPECT_EQ(ClicksOf(button), 2);

    TestHooks::MoveHeldMouse(*button, 60, 5);
    ASSERT_TRUE(TestHooks::FireTimer(*timer));
    EXPECT_EQ(ClicksOf(button), 2) << "no repeat while the pointer is off the button";
    TestHooks::MoveHeldMouse(*button, 5, 5);
    ASSERT_TRUE(TestHooks::FireTimer(*timer));
    EXPECT_EQ(ClicksOf(button), 3);

    TestHooks::ReleaseMouse(*button, 5, 5);
    EXPECT_EQ(ClicksOf(button), 4) << "the release on the button clicks once more";
    EXPECT_FALSE(timer->Enabled());

    button->SetAllowTimer(false);
    EXPECT_EQ(button->RepeatTimer(), nullptr);
}

TEST_F(QmSpeedButtonTest, FailingRepeatStopsTheTimer) {
    TQmSpeedButton* button = AddButton(10);
    button->SetAllowTimer(true);
    button->OnClick = [](TObject*) { throw std::runtime_error("click failed"); };
    TestHooks::PressMouse(*button, 5, 5);
    EXPECT_THROW(TestHooks::FireTimer(*button->RepeatTimer()), std::runtime_error);
    EXPECT_FALSE(button->RepeatTimer()->Enabled());
    button->OnClick = nullptr;
    TestHooks::ReleaseMouse(*button, 5, 5);
}

TEST_F(QmSpeedButtonTest, FlatButtonFollowsTheMouse) {
    Form->Show();
    TQmSpeedButton* button = AddButton(10);
    button->SetFlat(true);
    int entered = 0;
    int left = 0;
    button->OnMouseEnter = [&entered](TObject*) { ++entered; };
    button->OnMouseLeave = [&left](TObject*) { ++left; };
    Application->ProcessMessages();
    ASSERT_TRUE(Application->Active());

    EXPECT_EQ(Shot(*button)->PixelAt(0, 0), ColorToRGB(clBtnFace)) << "no frame";
    button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(button->MouseInside());
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(Shot(*button)->PixelAt(0, 0), ColorToRGB(clBtnHighlight)) << "the frame shows";
    button->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button->MouseInside());
    EXPECT_EQ(left, 1);

    // A right click finds the pointer over the button without pressing it.
    TestHooks::SetCursorPos(button->ClientToScreen(Point(5, 5)));
    TestHooks::ClickMouse(*button, 5, 5, mbRight);
    EXPECT_TRUE(button->MouseInside());
    EXPECT_EQ(button->State(), sbsUp);
    EXPECT_TRUE(Clicks.empty());
}

// ---- The face

TEST_F(QmSpeedButtonTest, GlyphSitsInsideTheFrameAndMovesWhenPressed) {
    TQmSpeedButton* button = AddButton(10, 1);
    button->SetGlyph(*RedGlyph());
    button->SetAllowAllUp(true);

    std::unique_ptr<TBitmap> up = Shot(*button);
    EXPECT_EQ(up->PixelAt(4, 4), clBlack) << "the glyph's corner at (4, 4)";
    EXPECT_EQ(up->PixelAt(5, 5), clRed);
    EXPECT_EQ(up->PixelAt(0, 0), ColorToRGB(clBtnHighlight)) << "the frame's light edge";
    EXPECT_EQ(up->PixelAt(24, 24), ColorToRGB(clWindowFrame)) << "and its dark one";
    EXPECT_EQ(up->PixelAt(4, 19), ColorToRGB(clBtnFace)) << "the transparent row left out";

    button->SetDown(true);
    std::unique_ptr<TBitmap> down = Shot(*button);
    EXPECT_EQ(down->PixelAt(5, 5), clBlack) << "pressed, at (5, 5)";
    EXPECT_EQ(down->PixelAt(0, 0), ColorToRGB(clWindowFrame));
    // The checker pattern of a down group button around the glyph.
    EXPECT_NE(down->PixelAt(3, 22), down->PixelAt(4, 22));
}

TEST_F(QmSpeedButtonTest, DisabledAndFlatButtonsShowTheirOwnLooks) {
    TQmSpeedButton* button = AddButton(10);
    button->SetGlyph(*RedGlyph());
    button->SetEnabled(false);
    std::unique_ptr<TBitmap> disabled = Shot(*button);
    EXPECT_EQ(disabled->PixelAt(4, 4), ColorToRGB(clBtnShadow)) << "the black corner engraved";
    EXPECT_EQ(disabled->PixelAt(5, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(disabled->PixelAt(8, 8), ColorToRGB(clBtnFace)) << "the red is gone";
    EXPECT_EQ(button->State(), sbsDisabled);

    button->SetEnabled(true);
    button->SetFlat(true);
    std::unique_ptr<TBitmap> away = Shot(*button);
    const int grey = (77 * 255) >> 8;
    EXPECT_EQ(away->PixelAt(8, 8), RGB(grey, grey, grey)) << "greyed while the mouse is away";
    EXPECT_EQ(away->PixelAt(0, 0), ColorToRGB(clBtnFace)) << "and no frame";
    button->SetGrayedInactive(false);
    EXPECT_EQ(Shot(*button)->PixelAt(8, 8), clRed);
}

TEST_F(QmSpeedButtonTest, TransparentFaceShowsTheParent) {
    Form->SetColor(clRed);
    TQmSpeedButton* button = AddButton(10);
    EXPECT_EQ(Shot(*button)->PixelAt(12, 12), ColorToRGB(clBtnFace));
    button->SetTransparent(true);
    EXPECT_EQ(Shot(*button)->PixelAt(12, 12), clRed);
}

TEST_F(QmSpeedButtonTest, NumGlyphsIsKeptWithinFive) {
    TQmSpeedButton* button = AddButton(10);
    button->SetNumGlyphs(9);
    EXPECT_EQ(button->NumGlyphs(), 5);
    button->SetNumGlyphs(0);
    EXPECT_EQ(button->NumGlyphs(), 5);
}

} // namespace
