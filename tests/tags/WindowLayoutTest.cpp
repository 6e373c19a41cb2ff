// The window's layout: the tag bar's pages scrolled with their scroll buttons, the splitters
// dragged and double-clicked, full screen and the toolbars, and the window's state kept through a
// close and a new start, damaged or absurd stored values included.

#include "tags/WindowLayout.h"

#include "TestSupport.h"
#include "editor/EditorPreferences.h"
#include "editor/MainWindowSupport.h"
#include "platform/Buttons.h"
#include "platform/Registry.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "tags/TagButtons.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"
#include "widgets/Splitters.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace MainWindowSupport;

namespace {

const String FormStateKey = ProductKey + "\\Form State";

String Stored(const String& name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(FormStateKey) || !reg.ValueExists(name))
        return "(none)";
    return IntToStr(reg.ReadInteger(name));
}

class WindowLayoutTest : public testing::Test {
protected:
    void SetUp() override { Form = MakeMainWindow(); }

    TWindowLayout& Layout() { return *Form->WindowLayout; }
    TTagButtons& Bar() { return *Form->TagButtons; }

    // The window closed as the user closes it, and the program started again.
    void Restart() {
        bool canClose = false;
        Form->FormCloseQuery(Form.get(), canClose);
        ASSERT_TRUE(canClose);
        TCloseAction action = caHide;
        Form->FormClose(Form.get(), action);
        Form.reset();
        Form = MakeMainWindow();
    }

    void Resize(int width) {
        Form->SetBounds(0, 0, width, 600);
        Application->ProcessMessages();
        Form->FormResize(Form.get());
    }

    // The page's buttons that scrolling shows, by name, that show now.
    std::set<String> ShownButtons(TTabSheet* page) {
        std::set<String> shown;
        for (int i = 0; i < page->ControlCount(); ++i) {
            TControl* control = page->Controls(i);
            if (!dynamic_cast<TSpeedButton*>(control) && control->Visible())
                shown.insert(control->Name());
        }
        return shown;
    }

    std::unique_ptr<THTMLEMainForm> Form;
};

// Every page has its own pair of scroll buttons at its two ends, and the help number of its own.
TEST_F(WindowLayoutTest, EveryPageHasItsScrollButtonsAndHelp) {
    struct TCase {
        TTabSheet* TTagButtons::*Page;
        int Pair;
        int Help;
    };
    const TCase cases[] = {
        {&TTagButtons::CommonSheet, 1, 25000},   {&TTagButtons::LayoutPage, 2, 25010},
        {&TTagButtons::FontSheet, 3, 25020},     {&TTagButtons::ListSheet, 4, 25030},
        {&TTagButtons::TablesPage, 5, 25040},    {&TTagButtons::FormSheet, 6, 25050},
        {&TTagButtons::FramesPage, 7, 25060},    {&TTagButtons::CharSheet, 8, 25070},
        {&TTagButtons::StyleSheet, 9, 0},        {&TTagButtons::ScriptsSheet, 13, 0},
        {&TTagButtons::SpecialSheet, 10, 25080}, {&TTagButtons::ApplicationPage, 11, 25090},
        {&TTagButtons::UserSheet, 12, 0},
    };
    Resize(900);
    for (const TCase& c : cases) {
        TTabSheet* page = Bar().*c.Page;
        TSpeedButton* left = Layout().LeftScrolls[c.Pair - 1];
        TSpeedButton* right = Layout().RightScrolls[c.Pair - 1];
        EXPECT_EQ(left->Parent(), page) << page->Name();
        EXPECT_EQ(left->Name(), "LeftScroll" + IntToStr(c.Pair));
        EXPECT_EQ(right->Name(), "RightScroll" + IntToStr(c.Pair));
        EXPECT_EQ(left->Left(), 0) << page->Name();
        EXPECT_EQ(right->Left(), page->Width() - 12) << page->Name();
        EXPECT_EQ(page->HelpContext(), c.Help) << page->Name();
    }
}

// In a narrow window the right scroll button, pressed with the mouse, brings every button of the
// page into view in turn, 24 pixels a press; the left one takes them back.
TEST_F(WindowLayoutTest, ScrollButtonsReachEveryButtonInANarrowWindow) {
    Resize(420);
    TTabSheet* page = Bar().CommonSheet;
    Bar().ButtonsPage->SetActivePage(page);
    TSpeedButton* left = Layout().LeftScrolls[0];
    TSpeedButton* right = Layout().RightScrolls[0];
    EXPECT_FALSE(left->Enabled());
    ASSERT_TRUE(right->Enabled());
    const std::set<String> shownAtStart = ShownButtons(page);
    std::set<String> everShown = shownAtStart;
    const int boldLeft = Bar().BoldButton->Left();
    // The first button stands right against the left scroll button: one press hides it and
    // offers the left scroll button.
    TestHooks::ClickMouse(*right, 5, 5);
    EXPECT_EQ(Bar().BoldButton->Left(), boldLeft - 24);
    EXPECT_FALSE(Bar().ImageMapButton->Visible());
    EXPECT_TRUE(left->Enabled());
    TestHooks::ClickMouse(*right, 5, 5);
    int presses = 2;
    while (right->Enabled() && presses < 200) {
        std::set<String> shown = ShownButtons(page);
        everShown.insert(shown.begin(), shown.end());
        TestHooks::ClickMouse(*right, 5, 5);
        ++presses;
    }
    std::set<String> shown = ShownButtons(page);
    everShown.insert(shown.begin(), shown.end());
    EXPECT_FALSE(right->Enabled());
    for (int i = 0; i < page->ControlCount(); ++i) {
        TControl* control = page->Controls(i);
        if (!dynamic_cast<TSpeedButton*>(control) && control->Tag() < 1000) {
            EXPECT_TRUE(everShown.count(control->Name())) << control->Name();
        }
    }
    for (int i = 0; i < presses; ++i)
        TestHooks::ClickMouse(*left, 5, 5);
    EXPECT_EQ(Bar().BoldButton->Left(), boldLeft);
    EXPECT_FALSE(left->Enabled());
    // Scrolled back, every button that was there is there again, the image-map button included.
    EXPECT_EQ(ShownButtons(page), shownAtStart);
}

// A page whose buttons all fit offers neither scroll button and shows them all; a button that
// its own command shows is hidden when it leaves the room and stays hidden when it comes back.
TEST_F(WindowLayoutTest, ShiftingHidesAndShowsByTag) {
    Resize(1600);
    TTabSheet* page = Bar().FramesPage;
    Layout().ShiftTagButtons(page, 0);
    EXPECT_FALSE(Layout().LeftScrolls[6]->Enabled());
    EXPECT_FALSE(Layout().RightScrolls[6]->Enabled());
    for (int i = 0; i < page->ControlCount(); ++i)
        EXPECT_TRUE(page->Controls(i)->Visible()) << page->Controls(i)->Name();

    TControl* first = Bar().FrameSetButton;
    TControl* second = Bar().FrameButton;
    second->SetTag(1000);
    Layout().ShiftTagButtons(page, -24);
    EXPECT_FALSE(first->Visible());
    EXPECT_TRUE(Layout().LeftScrolls[6]->Enabled());
    Layout().ShiftTagButtons(page, -second->Width());
    EXPECT_FALSE(second->Visible());
    Layout().ShiftTagButtons(page, 24 + second->Width());
    EXPECT_TRUE(first->Visible());
    EXPECT_FALSE(second->Visible());
    EXPECT_FALSE(Layout().LeftScrolls[6]->Enabled());
}

// Each shift item of the tag bar's menu is offered while the scroll button making the same shift
// is, and shifts as it does.
TEST_F(WindowLayoutTest, ButtonBarMenuFollowsTheScrollButtons) {
    Resize(420);
    Bar().ButtonsPage->SetActivePage(Bar().CommonSheet);
    Layout().ButtonBarMenu->OnPopup(Layout().ButtonBarMenu);
    EXPECT_TRUE(Layout().ShiftButtonsLeft1->Enabled());
    EXPECT_FALSE(Layout().ShiftButtonsRight1->Enabled());
    const int boldLeft = Bar().BoldButton->Left();
    for (int press = 0; press < 2; ++press)
        Layout().ShiftButtonsLeft1->Click();
    EXPECT_EQ(Bar().BoldButton->Left(), boldLeft - 48);
    Layout().ButtonBarMenu->OnPopup(Layout().ButtonBarMenu);
    EXPECT_TRUE(Layout().ShiftButtonsRight1->Enabled());
    for (int press = 0; press < 2; ++press)
        Layout().ShiftButtonsRight1->Click();
    EXPECT_EQ(Bar().BoldButton->Left(), boldLeft);
    Layout().ButtonBarMenu->OnPopup(Layout().ButtonBarMenu);
    EXPECT_FALSE(Layout().ShiftButtonsRight1->Enabled());
}

// Dragging a splitter sizes its panel; a double-click on the toolbar splitter gives the toolbar
// area the standard toolbar's width, kept by the drag that ends it, and a second one shows all
// the tag buttons.
TEST_F(WindowLayoutTest, SplittersByMouse) {
    Resize(1000);
    const int paneWidth = Form->LeftPanel->Width();
    TestHooks::DragMouse(*Layout().SplitIt2, 0, 10, 40, 10);
    EXPECT_EQ(Form->LeftPanel->Width(), paneWidth + 40);
    const int toolbarWidth = Form->ToolbarPanel->Width();
    TestHooks::DragMouse(*Layout().SplitIt1, 0, 10, -40, 10);
    EXPECT_EQ(Form->ToolbarPanel->Width(), toolbarWidth - 40);

    const int standard = Form->StdToolbar->Width();
    TestHooks::DoubleClickMouse(*Layout().SplitIt1, 2, 10);
    EXPECT_EQ(Form->ToolbarPanel->Width(), standard);
    EXPECT_EQ(Layout().SplitIt1->Left(), standard);
    EXPECT_EQ(Layout().SplitIt1->Tag(), 0);
    // A drag that the double-click's press starts and moves ends on the normal view all the same.
    Form->ToolbarPanel->SetWidth(standard + 100);
    Layout().SplitIt1DblClick(Layout().SplitIt1);
    Layout().SplitIt1Split(Layout().SplitIt1, standard + 60);
    Layout().SplitIt1->OnMouseUp(Layout().SplitIt1, mbLeft, {}, 60, 10);
    EXPECT_EQ(Form->ToolbarPanel->Width(), standard);
    EXPECT_EQ(Layout().SplitIt1->Tag(), 0);

    Resize(500);
    TestHooks::DoubleClickMouse(*Layout().SplitIt1, 2, 10);
    EXPECT_LT(Form->ToolbarPanel->Width(), standard);
    EXPECT_GE(Form->ToolbarPanel->Width(), 1);
}

// Full screen hides the top area and the file pane; the second time the pane comes back only
// when the user had not hidden it. Nothing is stored.
TEST_F(WindowLayoutTest, FullScreenAndBack) {
    for (bool paneShown : {true, false}) {
        Form->LeftPanelVisible = paneShown;
        Form->LeftPanel->SetVisible(paneShown);
        Layout().FullScreen1->Click();
        EXPECT_FALSE(Form->TopPanel->Visible());
        EXPECT_FALSE(Form->LeftPanel->Visible());
        EXPECT_FALSE(Form->FilePane->DriveListPanel->Visible());
        EXPECT_TRUE(Layout().FullScreen1->Checked());
        Layout().FullScreen1->Click();
        EXPECT_TRUE(Form->TopPanel->Visible());
        EXPECT_TRUE(Form->ToolbarPanel->Visible());
        EXPECT_TRUE(Bar().ButtonsPage->Visible());
        EXPECT_TRUE(Form->FilePane->DriveComboBox1->Visible());
        EXPECT_EQ(Form->LeftPanel->Visible(), paneShown);
        EXPECT_FALSE(Layout().FullScreen1->Checked());
    }
    EXPECT_EQ(Stored("Maximized"), "(none)");
}

TEST_F(WindowLayoutTest, ToolbarsToggle) {
    Layout().Toolbars1->Click();
    EXPECT_FALSE(Form->StdToolbar->Visible());
    EXPECT_FALSE(Form->EditToolbar->Visible());
    EXPECT_FALSE(Layout().Toolbars1->Checked());
    Layout().Toolbars1->Click();
    EXPECT_TRUE(Form->StdToolbar->Visible());
    EXPECT_TRUE(Form->EditToolbar->Visible());
    EXPECT_TRUE(Layout().Toolbars1->Checked());
    EXPECT_EQ(Form->StdToolbar->DockedTo(), Form->DockStd);
    EXPECT_EQ(Form->EditToolbar->DockedTo(), Form->DockEdit);
}

// Size, place, panel widths and the file pane's visibility come back after a close and a new
// start; a maximized close keeps the last normal geometry and maximizes after restoring it.
TEST_F(WindowLayoutTest, FormStateRoundTrip) {
    Form->SetBounds(-8, 40, 700, 500);
    Form->LeftPanel->SetWidth(220);
    Form->ToolbarPanel->SetWidth(250);
    Form->EditorPreferences->HideFileList1->Click();
    Restart();
    EXPECT_EQ(Stored("Left"), "0");
    EXPECT_EQ(Stored("Maximized"), "0");
    EXPECT_EQ(Form->WindowState(), wsNormal);
    EXPECT_EQ(Form->Left(), 0);
    EXPECT_EQ(Form->Top(), 40);
    EXPECT_EQ(Form->Width(), 700);
    EXPECT_EQ(Form->Height(), 500);
    EXPECT_EQ(Form->LeftPanel->Width(), 220);
    EXPECT_EQ(Form->ToolbarPanel->Width(), 250);
    EXPECT_FALSE(Form->LeftPanel->Visible());
    EXPECT_EQ(Stored("Panel11 Visible"), "1");

    Form->SetWindowState(wsMaximized);
    Restart();
    EXPECT_EQ(Stored("Maximized"), "1");
    EXPECT_EQ(Stored("Width"), "700");
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    Form->SetWindowState(wsNormal);
    EXPECT_EQ(Form->Width(), 700);
    EXPECT_EQ(Form->Height(), 500);
}

// Stored values that are missing, damaged or would put the window or a panel out of reach leave
// the window where a first start puts it; a file pane too narrow to use gets 150 pixels.
TEST_F(WindowLayoutTest, DamagedOrAbsurdStoredValues) {
    const TRect start = Form->BoundsRect();
    const int paneStart = Form->LeftPanel->Width();
    const int toolbarStart = Form->ToolbarPanel->Width();
    struct TCase {
        const char* Name;
        std::vector<TStoredValue> Values;
        TRect Bounds;
        int PaneWidth;
        int ToolbarWidth;
    };
    const TCase cases[] = {
        {"no values", {}, start, paneStart, toolbarStart},
        {"left -8 and a narrow pane",
         {{"Left", -8}, {"Top", 30}, {"Panel2 Width", 20}},
         Bounds(0, 30, start.Width(), start.Height()),
         150,
         toolbarStart},
        {"texts where numbers belong",
         {{"Left", String("x")},
          {"Width", String("wide")},
          {"Panel2 Width", String("")},
          {"Panel11 Width", String("9")},
          {"Maximized", String("yes")}},
         start,
         paneStart,
         toolbarStart},
        {"off every screen", {{"Left", 5000}, {"Top", 4000}}, start, paneStart, toolbarStart},
        {"absurd sizes",
         {{"Width", 3}, {"Height", 90000}, {"Panel2 Width", 100000}, {"Panel11 Width", -40}},
         start,
         paneStart,
         toolbarStart},
    };
    for (const TCase& c : cases) {
        Form.reset();
        TRegistry reg;
        reg.DeleteKey(FormStateKey);
        reg.OpenKey(FormStateKey, true);
        for (const TStoredValue& value : c.Values)
            Store(FormStateKey, {value});
        Form = MakeMainWindow();
        EXPECT_EQ(Form->WindowState(), wsNormal) << c.Name;
        EXPECT_EQ(Form->BoundsRect(), c.Bounds) << c.Name;
        EXPECT_EQ(Form->LeftPanel->Width(), c.PaneWidth) << c.Name;
        EXPECT_EQ(Form->ToolbarPanel->Width(), c.ToolbarWidth) << c.Name;
        EXPECT_TRUE(Form->LeftPanel->Visible()) << c.Name;
        EXPECT_TRUE(Form->TopPanel->Visible()) << c.Name;
    }
}

// In help-pointer mode each layout command shows its help topic and changes nothing.
TEST_F(WindowLayoutTest, InHelpPointerModeACommandShowsOnlyItsTopic) {
    Resize(420);
    Bar().ButtonsPage->SetActivePage(Bar().CommonSheet);
    const int boldLeft = Bar().BoldButton->Left();
    const int toolbarWidth = Form->ToolbarPanel->Width();
    const std::pair<std::function<void()>, int> cases[] = {
        {[this] { Layout().TagButtonsNormalView1->Click(); }, 590},
        {[this] { Layout().ViewAllTagButtons1->Click(); }, 580},
        {[this] { Layout().Toolbars1->Click(); }, 595},
        {[this] { Layout().FullScreen1->Click(); }, 520},
        {[this] { TestHooks::ClickMouse(*Layout().RightScrolls[0], 5, 5); }, 30060},
        {[this] { TestHooks::ClickMouse(*Layout().SplitIt2, 1, 5); }, 20060},
    };
    for (const auto& [command, number] : cases) {
        Form->PointerHelp1->Click();
        command();
        ASSERT_FALSE(TestHooks::HelpRequests().empty());
        EXPECT_EQ(TestHooks::HelpRequests().back().Data, static_cast<uintptr_t>(number));
    }
    EXPECT_FALSE(Form->HelpPointerMode());
    EXPECT_EQ(Bar().BoldButton->Left(), boldLeft);
    EXPECT_EQ(Form->ToolbarPanel->Width(), toolbarWidth);
    EXPECT_TRUE(Form->StdToolbar->Visible());
    EXPECT_TRUE(Form->TopPanel->Visible());
}

} // namespace
