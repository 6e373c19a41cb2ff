// Toolbars dragged, floated and sized by the user, their floating window, the docks' bound lines
// and the position store's errors.

#include "widgets/QmToolbars.h"

#include "TestSupport.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"
#include "platform/ToolWindow.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

#include <map>

using TestSupport::MessageOf;

namespace {

class QmToolbarsDockingTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Top = NewControl<TQmDock>(Form, Form, "Top");
        Toolbar = NewComponent<TQmToolbar>(Form, "Toolbar");
        for (int group = 0; group < 3; ++group) {
            for (int i = 0; i < 2; ++i) {
                auto* button = NewControl<TQmToolbarButton>(Form, Toolbar, "");
                button->SetBounds(Toolbar->ControlCount() * 100, 0, 20, 20);
            }
            NewControl<TQmToolbarSep>(Form, Toolbar, "");
        }
        Toolbar->SetDockedTo(Top);
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
        TestHooks::SetKeyDown(VK_CONTROL, false);
    }

    // A point of the toolbar's own coordinates where the screen point lies.
    TPoint At(const TPoint& screen) const { return Toolbar->ScreenToClient(screen); }

    void Press(int x, int y, TMouseButton button = mbLeft) {
        Toolbar->Perform(button == mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN,
                         button == mbLeft ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
    }
    void Release(int x, int y) { Toolbar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    void Float() {
        Toolbar->SetDockedTo(nullptr);
        Toolbar->SetTrueBounds(200, 200, Toolbar->Width(), Toolbar->Height());
    }

    TForm* Form = nullptr;
    TQmDock* Top = nullptr;
    TQmToolbar* Toolbar = nullptr;
};

// ---- Dragging

TEST_F(QmToolbarsDockingTest, DragFollowsCtrlAndIsCancelledByASecondPress) {
    const TPoint inDock = Top->ClientToScreen(TPoint{60, 4});
    const TPoint away = Form->ClientToScreen(TPoint{150, 150});

    // Over the dock the outline is one pixel thick; away from it, as thick as the frame.
    Press(5, 5);
    ASSERT_TRUE(Toolbar->Dragging());
    TestHooks::MoveMouse(*Toolbar, At(inDock).x, At(inDock).y);
    EXPECT_EQ(Toolbar->DragTarget(), Top);
    EXPECT_EQ(Toolbar->DragOutline()->Thickness(), 1);
    EXPECT_EQ(TScreenOutline::Current(), Toolbar->DragOutline());
    // Ctrl pressed during the drag keeps it floating at once; let go, the dock takes it again.
    TestHooks::PressKey(*Toolbar, VK_CONTROL);
    EXPECT_EQ(Toolbar->DragTarget(), Top);
    TestHooks::MoveMouse(*Toolbar, At(away).x, At(away).y);
    EXPECT_EQ(Toolbar->DragTarget(), nullptr);
    EXPECT_EQ(Toolbar->DragOutline()->Thickness(), FloatingFrameSize());
    // The right button changes nothing; a second left press cancels.
    TestHooks::ClickMouse(*Toolbar, At(away).x, At(away).y, mbRight);
    EXPECT_TRUE(Toolbar->Dragging());
    Press(At(away).x, At(away).y);
    EXPECT_FALSE(Toolbar->Dragging());
    EXPECT_EQ(TScreenOutline::Current(), nullptr);
    EXPECT_EQ(Toolbar->DockedTo(), Top);

    // Held from the start, Ctrl keeps it off the dock; let go, the dock takes it at once.
    TestHooks::SetKeyDown(VK_CONTROL, true);
    Press(5, 5);
    TestHooks::MoveMouse(*Toolbar, At(inDock).x, At(inDock).y, TShiftState{ssCtrl});
    EXPECT_EQ(Toolbar->DragTarget(), nullptr);
    TestHooks::PressKey(*Toolbar, VK_CONTROL);
    EXPECT_EQ(Toolbar->DragTarget(), Top);
    EXPECT_EQ(Toolbar->DragOutline()->Thickness(), 1);
    Press(At(inDock).x, At(inDock).y);
    EXPECT_EQ(Toolbar->DockedTo(), Top);

    // With Ctrl held, released over the dock, it floats there.
    TestHooks::SetKeyDown(VK_CONTROL, true);
    Press(5, 5);
    TestHooks::MoveMouse(*Toolbar, At(inDock).x, At(inDock).y, TShiftState{ssCtrl});
    EXPECT_EQ(Toolbar->DragTarget(), nullptr);
    Release(At(inDock).x, At(inDock).y);
    EXPECT_TRUE(Toolbar->Floating());
    EXPECT_EQ(Top->Height(), 0);
}

// Dropped with its middle in the first 5 pixels of the dock, a toolbar opens a row before the
// others; lower down, it joins the row it is over.
TEST_F(QmToolbarsDockingTest, DroppedAtTheDocksStartOpensARowBeforeTheOthers) {
    auto* other = NewComponent<TQmToolbar>(Form, "Other");
    NewControl<TQmToolbarButton>(Form, other, "")->SetBounds(0, 0, 20, 20);
    other->SetDockRow(1);
    other->SetDockedTo(Top);
    ASSERT_EQ(other->Top(), Toolbar->Height());
    const TPoint start = Top->ClientToScreen(TPoint{40, -2});
    const TPoint local = other->ScreenToClient(start);
    TestHooks::DragMouse(*other, 5, 5, local.x, local.y);
    EXPECT_EQ(other->DockRow(), 0);
    EXPECT_EQ(Toolbar->DockRow(), 1);
    EXPECT_EQ(other->Top(), 0);
    EXPECT_EQ(Top->Height(), 2 * Toolbar->Height());

    const TPoint middle = Top->ClientToScreen(TPoint{200, Toolbar->Top() + 6});
    const TPoint there = other->ScreenToClient(middle);
    TestHooks::DragMouse(*other, 5, 5, there.x, there.y);
    EXPECT_EQ(other->DockRow(), 0);
    EXPECT_EQ(Toolbar->DockRow(), 0);
    EXPECT_EQ(Top->Height(), Toolbar->Height());
}

TEST_F(QmToolbarsDockingTest, FloatingToolbarHasFrameCaptionAndCloseButton) {
    Float();
    Toolbar->SetCaption("Tools");
    const int frame = FloatingFrameSize();
    const int caption = FloatingCaptionHeight();
    EXPECT_EQ(GrowRectByFloatingFrame(Rect(10, 20, 110, 50)),
              Rect(10 - frame, 20, 110 + frame, 50 + 2 * frame + caption));
    EXPECT_EQ(ShrinkRectByFloatingFrame(GrowRectByFloatingFrame(Rect(10, 20, 110, 50))),
              Rect(10, 20, 110, 50));
    // The children lie inside the frame and below the caption.
    EXPECT_EQ(Toolbar->Controls(0)->Left(), frame + 4);
    EXPECT_EQ(Toolbar->Controls(0)->Top(), frame + caption + 2);
    EXPECT_EQ(Toolbar->GetCloseButtonRect().Right, Toolbar->Width() - frame);
    EXPECT_EQ(Toolbar->GetCaptionRect().Right, Toolbar->GetCloseButtonRect().Left);
    Toolbar->SetCloseButton(false);
    EXPECT_EQ(Toolbar->GetCaptionRect().Right, Toolbar->Width() - frame);
    Toolbar->SetCloseButton(true);

    // Pressed and let go outside, the close button leaves it shown; let go on it, it hides.
    int closed = 0;
    Toolbar->OnClose = [&](TObject*) { ++closed; };
    const TRect button = Toolbar->GetCloseButtonRect();
    const int x = (button.Left + button.Right) / 2;
    const int y = (button.Top + button.Bottom) / 2;
    TestHooks::DragMouse(*Toolbar, x, y, x - 40, y);
    EXPECT_TRUE(Toolbar->Visible());
    EXPECT_EQ(closed, 0);
    TestHooks::DragMouse(*Toolbar, x, y, x - 40, y + 1);
    EXPECT_TRUE(Toolbar->Visible());
    TestHooks::ClickMouse(*Toolbar, x, y);
    EXPECT_FALSE(Toolbar->Visible());
    EXPECT_EQ(closed, 1);
}

TEST_F(QmToolbarsDockingTest, ToolbarPutOnTheFormFloatsWhereItLay) {
    TQmToolbar* onForm = nullptr;
    Form->BuildForm([&] {
        onForm = NewComponent<TQmToolbar>(Form, "OnForm");
        onForm->SetParent(Form);
        onForm->SetBounds(30, 40, 60, 30);
    });
    EXPECT_TRUE(onForm->Floating());
    EXPECT_EQ(onForm->Parent(), nullptr);
    const TPoint screen = Form->ClientToScreen(TPoint{30, 40});
    EXPECT_EQ(onForm->GetTrueBounds().Left, screen.x);
    EXPECT_EQ(onForm->GetTrueBounds().Top, screen.y);
}

// ---- Sizing through the wrap layouts

TEST_F(QmToolbarsDockingTest, SizesSnapToTheWrapLayouts) {
    Float();
    auto window = [](TSize client) {
        TRect r = GrowRectByFloatingFrame(Rect(0, 0, client.cx, client.cy));
        return TSize{r.Width(), r.Height()};
    };
    // One line, two groups a line, one group a line, and each control on a line of its own.
    std::vector<TSize> layouts;
    for (int wrap : {0, 94, 48, 34})
        layouts.push_back(window(Toolbar->ArrangeControls(false, false, wrap, nullptr)));
    EXPECT_EQ(Toolbar->BuildSizeList(false), layouts);
    std::vector<TSize> byHeight(layouts.rbegin(), layouts.rend());
    EXPECT_EQ(Toolbar->BuildSizeList(true), byHeight);

    // The right edge dragged leftwards: a small move keeps the size, a larger one steps to the
    // next narrower layout only.
    const int y = Toolbar->Height() / 2;
    const int right = Toolbar->Width() - 2;
    TestHooks::DragMouse(*Toolbar, right, y, right - 5, y);
    EXPECT_EQ(Toolbar->Width(), layouts[0].cx);
    EXPECT_EQ(Toolbar->Height(), layouts[0].cy);
    Press(right, y);
    TestHooks::MoveMouse(*Toolbar, right - 20, y);
    EXPECT_EQ(Toolbar->DragOutline()->Rect().Width(), layouts[1].cx);
    TestHooks::MoveMouse(*Toolbar, layouts[2].cx + 1, y);
    EXPECT_EQ(Toolbar->DragOutline()->Rect().Width(), layouts[2].cx);
    EXPECT_EQ(Toolbar->DragOutline()->Rect().Height(), layouts[2].cy);
    Release(layouts[2].cx + 1, y);
    // The wrap width kept gives that layout again.
    EXPECT_EQ(window(Toolbar->ArrangeControls(false, false, Toolbar->FloatingWrapWidth(), nullptr)),
              layouts[2]);
    EXPECT_EQ(Toolbar->Width(), layouts[2].cx);
    EXPECT_EQ(Toolbar->Height(), layouts[2].cy);
    EXPECT_EQ(Toolbar->GetTrueBounds().Left, 200);
}

// ---- Hiding with the application and the form

TEST_F(QmToolbarsDockingTest, FloatingToolbarsHideWhileTheProgramIsNotInUse) {
    Form->Show();
    auto* docked = NewComponent<TQmToolbar>(Form, "Docked");
    docked->SetDockedTo(Top);
    Float();
    const TRect bounds = Toolbar->GetTrueBounds();
    TMessage deactivate{CM_DEACTIVATE, 0, 0, 0};
    CallMainWindowHooks(deactivate);
    EXPECT_TRUE(Toolbar->Hidden());
    EXPECT_FALSE(docked->Hidden());
    EXPECT_EQ(Toolbar->GetTrueBounds(), bounds);
    EXPECT_TRUE(Toolbar->Visible());
    TMessage activate{CM_ACTIVATE, 0, 0, 0};
    CallMainWindowHooks(activate);
    EXPECT_FALSE(Toolbar->Hidden());
    Form->SetWindowState(wsMinimized);
    ShowHideFloatingToolbars(Form, true);
    EXPECT_TRUE(Toolbar->Hidden());
}

// ---- Bound lines

TEST_F(QmToolbarsDockingTest, BoundLinesLieOutsideTheClientArea) {
    const int thickness = Top->Height();
    Top->SetBoundLines(TDockBoundLines{blTop, blBottom, blLeft});
    EXPECT_EQ(Top->Height(), thickness + 2);
    EXPECT_EQ(Top->ClientRect(), Rect(0, 0, Top->Width() - 1, thickness));
    EXPECT_EQ(Toolbar->Top(), 1);
    EXPECT_EQ(Toolbar->Left(), 1);
    TBitmap picture;
    picture.SetSize(Top->Width(), Top->Height());
    PaintTo(*Top, picture.Canvas(), 0, 0);
    EXPECT_EQ(picture.PixelAt(Top->Width() / 2, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.PixelAt(Top->Width() / 2, Top->Height() - 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.PixelAt(0, Top->Height() / 2), ColorToRGB(clBtnShadow));
}

// ---- The position store

TEST_F(QmToolbarsDockingTest, StoreNeedsNamedToolbarsAndDocks) {
    std::map<String, String> store;
    auto writeInteger = [&](const String& s, const String& n, int v, void*) {
        store[s + "." + n] = IntToStr(v);
        return v;
    };
    auto writeString = [&](const String& s, const String& n, const String& v, void*) {
        store[s + "." + n] = v;
        return v;
    };
    auto readInteger = [&](const String& s, const String& n, int v, void*) {
        auto found = store.find(s + "." + n);
        return found == store.end() ? v : StrToIntDef(found->second, v);
    };
    auto readString = [&](const String& s, const String& n, const String& v, void*) {
        auto found = store.find(s + "." + n);
        return found == store.end() ? v : found->second;
    };
    SaveToolbarPositionsEx(Form, writeInteger, writeString, nullptr);
    EXPECT_EQ(store["Toolbar.DockedTo"], "Top");
    EXPECT_EQ(store["Toolbar.Visible"], "1");

    Top->SetName("");
    EXPECT_EQ(MessageOf<Exception>(
                  [&] { SaveToolbarPositionsEx(Form, writeInteger, writeString, nullptr); }),
              "DockTo's Name property not set");
    Top->SetName("Top");
    Toolbar->SetName("");
    EXPECT_EQ(MessageOf<Exception>(
                  [&] { SaveToolbarPositionsEx(Form, writeInteger, writeString, nullptr); }),
              "Name property not set");
    // Loading stops at the nameless toolbar and still arranges every dock.
    Toolbar->SetDockRow(3);
    EXPECT_EQ(MessageOf<Exception>(
                  [&] { LoadToolbarPositionsEx(Form, readInteger, readString, nullptr); }),
              "Name property not set");
    EXPECT_EQ(Toolbar->DockRow(), 0);
}

} // namespace
