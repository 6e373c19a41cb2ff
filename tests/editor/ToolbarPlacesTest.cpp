// The main window's toolbars moved by the user, dragged to another dock or row or floated by a
// double click, are where they were left after the window is made again; damaged places in the
// registry leave them where the window starts them.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/TestHooks.h"
#include "platform/Win32Draw.h"
#include "tags/WindowLayout.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

const String ToolbarsKey = ProductKey + "\\Toolbars";

String StoredValue(const String& toolbar, const String& name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(ToolbarsKey + "\\" + toolbar))
        return "(none)";
    return reg.ReadString(name);
}

// The window closes as the user closes it, and the program starts again.
std::unique_ptr<THTMLEMainForm> Restart(std::unique_ptr<THTMLEMainForm> form) {
    bool canClose = true;
    form->FormCloseQuery(form.get(), canClose);
    EXPECT_TRUE(canClose);
    form.reset();
    Application->ProcessMessages();
    return MakeMainWindow();
}

// The toolbar's drag handle dragged until the pointer is at a point of the dock's client area.
void DragHandleTo(TQmToolbar& toolbar, TQmDock& dock, int x, int y) {
    const TPoint screen = dock.ClientToScreen(TPoint{x, y});
    const TPoint local = toolbar.ScreenToClient(screen);
    TestHooks::DragMouse(toolbar, 5, 5, local.x, local.y);
}

} // namespace

TEST(ToolbarPlaces, DraggedToAnotherDockAndKeptThere) {
    auto form = MakeMainWindow();
    ASSERT_EQ(form->StdToolbar->DockedTo(), form->DockStd);
    DragHandleTo(*form->StdToolbar, *form->QmDock3, 0, 40);
    EXPECT_EQ(form->StdToolbar->DockedTo(), form->QmDock3);
    EXPECT_GT(form->QmDock3->Width(), 0);
    EXPECT_EQ(form->DockStd->Height(), 0);

    form = Restart(std::move(form));
    EXPECT_EQ(StoredValue("StdToolbar", "DockedTo"), "QmDock3");
    EXPECT_EQ(StoredValue("EditToolbar", "DockedTo"), "DockEdit");
    EXPECT_EQ(form->StdToolbar->DockedTo(), form->QmDock3);
    EXPECT_EQ(form->EditToolbar->DockedTo(), form->DockEdit);
    EXPECT_GT(form->QmDock3->Width(), 0);
}

TEST(ToolbarPlaces, DraggedToANewRowAndKeptThere) {
    auto form = MakeMainWindow();
    const int rowThickness = form->DockEdit->Height();
    // The outline's middle lies past the end of the only row less 5 pixels: a new row after it.
    DragHandleTo(*form->StdToolbar, *form->DockEdit, 40, rowThickness - 6);
    EXPECT_EQ(form->StdToolbar->DockedTo(), form->DockEdit);
    EXPECT_EQ(form->StdToolbar->DockRow(), 1);
    EXPECT_EQ(form->EditToolbar->DockRow(), 0);
    EXPECT_EQ(form->DockEdit->Height(), 2 * rowThickness);

    form = Restart(std::move(form));
    EXPECT_EQ(StoredValue("StdToolbar", "DockedTo"), "DockEdit");
    EXPECT_EQ(StoredValue("StdToolbar", "DockRow"), "1");
    EXPECT_EQ(form->StdToolbar->DockedTo(), form->DockEdit);
    EXPECT_EQ(form->StdToolbar->DockRow(), 1);
    EXPECT_EQ(form->EditToolbar->DockRow(), 0);
}

TEST(ToolbarPlaces, FloatedByDoubleClickAndDockedAgain) {
    auto form = MakeMainWindow();
    TestHooks::DoubleClickMouse(*form->EditToolbar, 5, 5);
    TQmToolbar& toolbar = *form->EditToolbar;
    ASSERT_TRUE(toolbar.Floating());
    EXPECT_EQ(toolbar.DockedTo(), nullptr);
    EXPECT_EQ(toolbar.ClientWidth(), toolbar.Width() - 2 * FloatingFrameSize());
    // Moved by its caption away from the docks, it floats where it was let go.
    const TPoint grab = toolbar.ClientToScreen(TPoint{10, 8});
    TestHooks::DragMouse(toolbar, 10, 8, 10 + 400 - grab.x, 8 + 300 - grab.y);
    ASSERT_TRUE(toolbar.Floating());
    const TRect floating = toolbar.GetTrueBounds();
    EXPECT_EQ(floating.Left, 400 - 10);
    EXPECT_EQ(floating.Top, 300 - 8);

    form = Restart(std::move(form));
    EXPECT_EQ(StoredValue("EditToolbar", "DockedTo"), "nil");
    EXPECT_EQ(StoredValue("EditToolbar", "FloatLeft"),
              IntToStr(floating.Left + FloatingFrameSize()));
    ASSERT_TRUE(form->EditToolbar->Floating());
    EXPECT_EQ(form->EditToolbar->GetTrueBounds(), floating);

    // Its caption double-clicked, it goes back to the front of the first row of its own dock.
    TestHooks::DoubleClickMouse(*form->EditToolbar, 10, 8);
    EXPECT_EQ(form->EditToolbar->DockedTo(), form->DockEdit);
    EXPECT_EQ(form->EditToolbar->DockRow(), 0);
    EXPECT_EQ(form->EditToolbar->DockPos(), 0);
    form = Restart(std::move(form));
    EXPECT_EQ(StoredValue("EditToolbar", "DockedTo"), "DockEdit");
    EXPECT_EQ(form->EditToolbar->DockedTo(), form->DockEdit);
    EXPECT_FALSE(form->EditToolbar->Floating());
}

// Whatever the store holds, the toolbar comes back where the window starts it, or on screen.
TEST(ToolbarPlaces, DamagedPlacesLeaveTheToolbarWhereTheWindowStartsIt) {
    struct Case {
        const char* What;
        std::initializer_list<TStoredValue> Values;
    };
    const Case cases[] = {
        {"floating off every screen",
         {{"DockedTo", String("nil")},
          {"DockRow", String("0")},
          {"DockPos", String("0")},
          {"FloatLeft", String("5000")},
          {"FloatTop", String("5000")},
          {"FloatRight", String("5200")},
          {"FloatBottom", String("5030")},
          {"FloatRightX", String("0")}}},
        {"damaged value",
         {{"DockedTo", String("nil")},
          {"DockRow", String("0")},
          {"DockPos", String("0")},
          {"FloatLeft", String("abc")},
          {"FloatTop", String("10")},
          {"FloatRight", String("200")},
          {"FloatBottom", String("40")},
          {"FloatRightX", String("0")}}},
        {"missing value",
         {{"DockedTo", String("nil")}, {"FloatLeft", String("10")}, {"FloatTop", String("10")}}},
        {"negative size",
         {{"DockedTo", String("nil")},
          {"DockRow", String("0")},
          {"DockPos", String("0")},
          {"FloatLeft", String("300")},
          {"FloatTop", String("10")},
          {"FloatRight", String("100")},
          {"FloatBottom", String("40")},
          {"FloatRightX", String("0")}}},
        {"dock that is gone",
         {{"DockedTo", String("QmDock9")},
          {"DockRow", String("0")},
          {"DockPos", String("0")},
          {"FloatLeft", String("0")},
          {"FloatTop", String("0")},
          {"FloatRight", String("0")},
          {"FloatBottom", String("0")},
          {"FloatRightX", String("0")}}},
        {"nil in capitals", {{"DockedTo", String("NIL")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TRegistry reg;
        reg.DeleteKey(ToolbarsKey);
        Store(ToolbarsKey + "\\StdToolbar", c.Values);
        auto form = MakeMainWindow();
        EXPECT_EQ(form->StdToolbar->DockedTo(), form->DockStd);
        EXPECT_FALSE(form->StdToolbar->Floating());
        EXPECT_TRUE(form->StdToolbar->Visible());
        EXPECT_GE(form->StdToolbar->Left(), 0);
        EXPECT_TRUE(TestHooks::Prompts().empty());
    }
}

TEST(ToolbarPlaces, OutOfRangePlacesAreBroughtBackIntoView) {
    // Partly off the work area: floated fully inside it.
    Store(ToolbarsKey + "\\StdToolbar", {{"DockedTo", String("nil")},
                                         {"DockRow", String("0")},
                                         {"DockPos", String("0")},
                                         {"FloatLeft", String("1000")},
                                         {"FloatTop", String("0x2bc")},
                                         {"FloatRight", String("1200")},
                                         {"FloatBottom", String("730")},
                                         {"FloatRightX", String("0")}});
    // A huge position and a negative row in the bottom dock: its first row, within the dock.
    Store(ToolbarsKey + "\\EditToolbar", {{"Visible", String("1")},
                                          {"DockedTo", String("QmDock1")},
                                          {"DockRow", String("-5")},
                                          {"DockPos", String("2147483647")},
                                          {"FloatLeft", String("0")},
                                          {"FloatTop", String("0")},
                                          {"FloatRight", String("0")},
                                          {"FloatBottom", String("0")},
                                          {"FloatRightX", String("0")}});
    auto form = MakeMainWindow();
    ASSERT_TRUE(form->StdToolbar->Floating());
    const TRect area = Screen->WorkAreaRect();
    const TRect bounds = form->StdToolbar->GetTrueBounds();
    EXPECT_EQ(Intersection(bounds, area), bounds);
    EXPECT_EQ(form->EditToolbar->DockedTo(), form->QmDock1);
    EXPECT_EQ(form->EditToolbar->DockRow(), 0);
    EXPECT_EQ(form->EditToolbar->DockPos() + form->EditToolbar->Width(),
              form->QmDock1->ClientWidth());
}

// A toolbar that its stored place left out of view goes back to the dock the window starts it in.
TEST(ToolbarPlaces, AToolbarOutOfViewIsDockedHomeWhenTheStateIsLoaded) {
    auto form = MakeMainWindow();
    TestHooks::DoubleClickMouse(*form->EditToolbar, 5, 5);
    ASSERT_TRUE(form->EditToolbar->Floating());
    form->EditToolbar->SetLeft(-form->EditToolbar->Width());
    TestHooks::DoubleClickMouse(*form->StdToolbar, 5, 5);
    ASSERT_TRUE(form->StdToolbar->Floating());

    form->WindowLayout->LoadFormState();
    EXPECT_EQ(form->EditToolbar->DockedTo(), form->DockEdit);
    EXPECT_TRUE(form->StdToolbar->Floating());
}
