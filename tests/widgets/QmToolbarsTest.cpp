#include "widgets/QmToolbars.h"

#include "TestSupport.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"
#include "platform/Win32Draw.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using TestSupport::MessageOf;

namespace {

class QmToolbarsTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
    }

    TQmDock* MakeDock(TDockPosition position = dpTop) {
        auto* dock = new TQmDock(Form);
        dock->SetPosition(position);
        dock->SetParent(Form);
        return dock;
    }

    // A toolbar holding one control of the given size; docked in a dock with a drag handle it
    // is 11 + width + 2 long and height + 4 thick.
    TQmToolbar* MakeToolbar(TQmDock* dock, int row, int pos, int width, int height) {
        auto* toolbar = new TQmToolbar(Form);
        AddButton(toolbar, width, height);
        toolbar->SetDockRow(row);
        toolbar->SetDockPos(pos);
        toolbar->SetDockedTo(dock);
        return toolbar;
    }

    TQmToolbarButton* AddButton(TWinControl* parent, int width = 23, int height = 22) {
        auto* button = new TQmToolbarButton(Form);
        button->SetParent(parent);
        button->SetBounds(parent->ControlCount() * 100, 0, width, height);
        return button;
    }

    TQmToolbarSep* AddSeparator(TQmToolbar* toolbar) {
        auto* separator = new TQmToolbarSep(Form);
        separator->SetParent(toolbar);
        return separator;
    }

    TForm* Form = nullptr;
};

void PressAt(TControl& control, int x, int y) {
    control.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void ReleaseAt(TControl& control, int x, int y) {
    control.Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// ---- Docks

TEST_F(QmToolbarsTest, RefusesWrongOwnersParentsAndHiding) {
    TQmDock* dock = MakeDock();
    auto* toolbar = new TQmToolbar(Form);
    toolbar->SetDockedTo(dock);
    TComponent stranger(nullptr);
    auto* floating = new TQmToolbar(Form);
    auto* button = new TQmToolbarButton(Form);

    struct Case {
        const char* Name;
        std::function<void()> Action;
        String Message;
    };
    const Case cases[] = {
        {"dock owner", [&] { TQmDock d(&stranger); }, "TQmDock must be owned by a form"},
        {"toolbar owner", [&] { TQmToolbar t(&stranger); }, "TQmToolbar must be owned by a form"},
        {"dock in toolbar", [&] { MakeDock()->SetParent(toolbar); },
         "A TQmDock control cannot be placed inside a TQmToolbar or another TQmDock"},
        {"dock in dock", [&] { MakeDock()->SetParent(dock); },
         "A TQmDock control cannot be placed inside a TQmToolbar or another TQmDock"},
        {"hide dock", [&] { dock->SetVisible(false); }, "Cannot hide a TQmDock"},
        {"position", [&] { dock->SetPosition(dpLeft); },
         "Cannot change Position of a TQmDock if it already contains controls"},
        {"toolbar on a button's parent", [&] { floating->SetParent(toolbar); },
         "TQmToolbar can only be placed on a TQmDock or directly on the form"},
        {"separator outside toolbar", [&] { (new TQmToolbarSep(Form))->SetParent(Form); },
         "TQmToolbarSep can only be placed on a TQmToolbar"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EInvalidOperation>(c.Action), c.Message) << c.Name;
    EXPECT_TRUE(dock->Visible());
    EXPECT_EQ(dock->Position(), dpTop);
    EXPECT_EQ(dock->Align(), alTop);
    button->SetParent(toolbar); // a button goes anywhere
}

TEST_F(QmToolbarsTest, PositionSetsAlign) {
    const std::pair<TDockPosition, TAlign> cases[] = {
        {dpTop, alTop}, {dpBottom, alBottom}, {dpLeft, alLeft}, {dpRight, alRight}};
    for (auto [position, align] : cases) {
        TQmDock* dock = MakeDock(position);
        EXPECT_EQ(dock->Align(), align) << position;
        EXPECT_EQ(DockOrientation(dock), position == dpLeft || position == dpRight ? 2 : 1);
    }
    EXPECT_EQ(DockOrientation(nullptr), 0);
}

TEST_F(QmToolbarsTest, ArrangesToolbarsInRows) {
    struct Bar {
        int Row, Pos, Width, Height;
    };
    struct Placed {
        int Row, Pos;
        TRect Bounds;
    };
    struct Case {
        const char* Name;
        bool OneRow;
        std::vector<Bar> Bars;
        std::vector<Placed> Expected;
        int DockHeight;
    };
    // A toolbar with a 50 x 22 control is 63 long and 26 thick.
    const Case cases[] = {
        {"empty rows close up",
         false,
         {{0, 0, 50, 22}, {3, 10, 50, 22}},
         {{0, 0, Bounds(0, 0, 63, 26)}, {1, 10, Bounds(10, 26, 63, 26)}},
         52},
        {"same place ends side by side",
         false,
         {{0, 20, 50, 22}, {0, 20, 50, 22}},
         {{0, 20, Bounds(20, 0, 63, 26)}, {0, 83, Bounds(83, 0, 63, 26)}},
         26},
        {"a long row is pulled back",
         false,
         {{0, 200, 50, 22}, {0, 300, 50, 22}},
         // the last one ends at 363, 63 past the dock's 300: the row moves back by 63
         {{0, 137, Bounds(137, 0, 63, 26)}, {0, 237, Bounds(237, 0, 63, 26)}},
         26},
        {"never before the row's start",
         false,
         {{0, 0, 200, 22}, {0, 0, 200, 22}},
         {{0, 0, Bounds(0, 0, 213, 26)}, {0, 213, Bounds(213, 0, 213, 26)}},
         26},
        {"the tallest sets the row",
         false,
         {{0, 0, 50, 22}, {0, 100, 50, 40}, {1, 0, 50, 10}},
         {{0, 0, Bounds(0, 0, 63, 44)},
          {0, 100, Bounds(100, 0, 63, 44)},
          {1, 0, Bounds(0, 44, 63, 14)}},
         58},
        {"one row only",
         true,
         {{0, 0, 50, 22}, {2, 0, 50, 22}},
         {{0, 0, Bounds(0, 0, 63, 26)}, {0, 63, Bounds(63, 0, 63, 26)}},
         26},
    };
    for (const Case& c : cases) {
        Form->SetClientWidth(300);
        TQmDock* dock = MakeDock();
        dock->SetLimitToOneRow(c.OneRow);
        std::vector<TQmToolbar*> bars;
        for (const Bar& bar : c.Bars)
            bars.push_back(MakeToolbar(dock, bar.Row, bar.Pos, bar.Width, bar.Height));
        dock->ArrangeToolbars();
        for (size_t i = 0; i < bars.size(); ++i) {
            EXPECT_EQ(bars[i]->DockRow(), c.Expected[i].Row) << c.Name << " bar " << i;
            EXPECT_EQ(bars[i]->DockPos(), c.Expected[i].Pos) << c.Name << " bar " << i;
            EXPECT_EQ(bars[i]->BoundsRect(), c.Expected[i].Bounds) << c.Name << " bar " << i;
        }
        EXPECT_EQ(dock->Height(), c.DockHeight) << c.Name;
        EXPECT_EQ(dock->Width(), 300) << c.Name; // aligned to the form's top edge
        for (TQmToolbar* bar : bars)
            bar->Free();
        dock->Free();
    }
}

TEST_F(QmToolbarsTest, DockTakesItsRowsThicknessAndKeepsItsOuterEdge) {
    TQmDock* top = MakeDock(dpTop);
    TQmDock* bottom = MakeDock(dpBottom);
    TQmDock* right = MakeDock(dpRight);
    auto* client = new TPanel(Form);
    client->SetParent(Form);
    client->SetAlign(alClient);
    const int formHeight = Form->ClientHeight();
    const int formWidth = Form->ClientWidth();
    EXPECT_EQ(top->Height(), 0);
    EXPECT_EQ(bottom->Height(), 0);
    EXPECT_EQ(right->Width(), 0);

    TQmToolbar* lower = MakeToolbar(bottom, 0, 0, 50, 22);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, formHeight - 26, formWidth, formHeight));
    TQmToolbar* side = MakeToolbar(right, 0, 0, 30, 22);
    // a side dock's rows are columns: 30 + 4 wide, the toolbar 11 + 22 + 2 long
    EXPECT_EQ(right->Width(), 34);
    EXPECT_EQ(right->Left() + right->Width(), formWidth);
    EXPECT_EQ(side->BoundsRect(), Bounds(0, 0, 34, 35));
    EXPECT_EQ(client->Height(), formHeight - 26);
    EXPECT_EQ(client->Width(), formWidth - 34);

    // Hiding the toolbar takes it out of the rows; showing it puts it back.
    lower->SetVisible(false);
    EXPECT_EQ(bottom->Height(), 0);
    EXPECT_EQ(bottom->ToolbarCount(), 0);
    EXPECT_EQ(client->Height(), formHeight);
    lower->SetVisible(true);
    EXPECT_EQ(bottom->Height(), 26);
    EXPECT_EQ(bottom->Top(), formHeight - 26);

    // Moved to another dock, it leaves the first one empty; FixAlign keeps a pixel.
    bottom->SetFixAlign(true);
    lower->SetDockedTo(top);
    EXPECT_EQ(bottom->Height(), 1);
    EXPECT_EQ(top->Height(), 26);
    EXPECT_EQ(lower->DockedTo(), top);
    lower->SetDockedTo(nullptr);
    EXPECT_EQ(lower->Parent(), nullptr);
    EXPECT_EQ(top->Height(), 0);

    // A dock takes its toolbars with it.
    const int components = Form->ComponentCount();
    right->Free();
    EXPECT_EQ(Form->ComponentCount(), components - 3); // the dock, its toolbar and its button
}

TEST_F(QmToolbarsTest, ToolbarEventsAndInsertNotices) {
    TQmDock* dock = MakeDock();
    std::vector<String> log;
    dock->OnInsertRemoveBar = [&](TObject*, bool inserting, TQmToolbar*) {
        log.push_back(inserting ? "insert" : "remove");
    };
    auto* toolbar = new TQmToolbar(Form);
    toolbar->OnDockChanging = [&](TObject*) { log.push_back("changing"); };
    toolbar->OnRecreating = [&](TObject*) { log.push_back("recreating"); };
    toolbar->OnRecreated = [&](TObject*) { log.push_back("recreated"); };
    toolbar->OnDockChanged = [&](TObject*) { log.push_back("changed"); };
    toolbar->SetDockedTo(dock);
    toolbar->SetDockedTo(dock);
    toolbar->SetDockedTo(nullptr);
    EXPECT_EQ(log,
              (std::vector<String>{"changing", "recreating", "insert", "recreated", "changed",
                                   "changing", "recreating", "remove", "recreated", "changed"}));
    toolbar->SetDefaultDock(dock);
    dock->Free();
    EXPECT_EQ(toolbar->DefaultDock(), nullptr);
}

TEST_F(QmToolbarsTest, RowAtPositionOpensRowsAtBoundaries) {
    TQmDock* dock = MakeDock();
    MakeToolbar(dock, 0, 0, 50, 22); // row 0: 0..26
    MakeToolbar(dock, 1, 0, 50, 36); // row 1: 26..66
    const struct {
        int Across;
        int Row;
        bool Insert;
    } cases[] = {
        {0, 0, true},  {5, 0, true},  {6, 0, false},  {21, 0, false},
        {22, 1, true}, {31, 1, true}, {32, 1, false}, {61, 1, false},
        {62, 2, true}, {71, 2, true}, {72, 2, false}, {500, 2, false},
    };
    for (const auto& c : cases) {
        bool insert = !c.Insert;
        EXPECT_EQ(dock->RowAtPosition(c.Across, insert), c.Row) << c.Across;
        EXPECT_EQ(insert, c.Insert) << c.Across;
    }
    dock->OpenRow(1);
    EXPECT_EQ(dock->Toolbars(0)->DockRow(), 0);
    EXPECT_EQ(dock->Toolbars(1)->DockRow(), 2);
}

// ---- Toolbar layout

TEST_F(QmToolbarsTest, DockedToolbarLaysItsControlsInOneLine) {
    TQmDock* dock = MakeDock();
    auto* toolbar = new TQmToolbar(Form);
    toolbar->SetDockedTo(dock);
    EXPECT_EQ(toolbar->BoundsRect(), Bounds(0, 0, 21, 12)); // empty: 11 + 8 + 2 by 2 + 8 + 2

    TQmToolbarButton* a = AddButton(toolbar, 23, 22);
    TQmToolbarSep* separator = AddSeparator(toolbar);
    TQmToolbarButton* b = AddButton(toolbar, 30, 16);
    TQmToolbarButton* c = AddButton(toolbar, 500, 10);
    EXPECT_EQ(a->BoundsRect(), Bounds(11, 2, 23, 22));
    EXPECT_EQ(separator->BoundsRect(), Bounds(34, 2, 6, 22));
    EXPECT_EQ(b->BoundsRect(), Bounds(40, 5, 30, 16)); // centred on the tallest
    EXPECT_EQ(c->BoundsRect(), Bounds(70, 8, 500, 10));
    EXPECT_EQ(toolbar->BoundsRect(), Bounds(0, 0, 572, 26));
    EXPECT_EQ(toolbar->RowSizeInfo(), (TRowSizeInfo{22, 500, 26, 504}));

    // Hidden controls take no room; without a drag handle the margin is 2.
    b->SetVisible(false);
    dock->SetAllowDrag(false);
    EXPECT_EQ(c->BoundsRect(), Bounds(31, 8, 500, 10));
    EXPECT_EQ(toolbar->Width(), 533);
}

// A form resource gives the controls their places; those, not the order they were made in, set
// the toolbar's order once it has loaded.
TEST_F(QmToolbarsTest, LoadingOrdersTheControlsByTheirPlaces) {
    TQmDock* dock = MakeDock();
    TQmToolbarButton *first = nullptr, *second = nullptr, *third = nullptr;
    Form->LoadComponents([&] {
        auto* toolbar = new TQmToolbar(Form);
        toolbar->SetDockedTo(dock);
        first = AddButton(toolbar);
        third = AddButton(toolbar);
        second = AddButton(toolbar);
        second->SetLeft(first->Left() + 1);
    });
    EXPECT_EQ(first->Left(), 11);
    EXPECT_EQ(second->Left(), 34);
    EXPECT_EQ(third->Left(), 57);
}

TEST_F(QmToolbarsTest, ToolbarInSideDockRunsDownwards) {
    TQmDock* dock = MakeDock(dpLeft);
    auto* toolbar = new TQmToolbar(Form);
    toolbar->SetDockedTo(dock);
    TQmToolbarButton* a = AddButton(toolbar, 23, 22);
    TQmToolbarSep* separator = AddSeparator(toolbar);
    separator->SetSizeVert(9);
    TQmToolbarButton* b = AddButton(toolbar, 15, 30);
    EXPECT_EQ(a->BoundsRect(), Bounds(2, 11, 23, 22));
    EXPECT_EQ(separator->BoundsRect(), Bounds(2, 33, 23, 9));
    EXPECT_EQ(b->BoundsRect(), Bounds(6, 42, 15, 30));
    EXPECT_EQ(toolbar->BoundsRect(), Bounds(0, 0, 27, 74));
    EXPECT_EQ(dock->Width(), 27);
}

TEST_F(QmToolbarsTest, FloatingLayoutWrapsGroupsAtTheWrapWidth) {
    auto* toolbar = new TQmToolbar(Form);
    std::vector<TQmToolbarButton*> buttons;
    std::vector<TQmToolbarSep*> separators;
    for (int group = 0; group < 3; ++group) {
        buttons.push_back(AddButton(toolbar, 20, 20));
        buttons.push_back(AddButton(toolbar, 20, 20));
        separators.push_back(AddSeparator(toolbar));
    }
    separators[1]->SetBlank(true);
    // Unbounded: one line of 4 + 3 * (40 + 6) + 4.
    EXPECT_EQ(toolbar->ArrangeControls(true, false, 0, nullptr), (TSize{146, 23}));
    EXPECT_TRUE(toolbar->LineSeparators().empty());

    // Room for two groups per line: the third group starts a line 20 + 6 further down, and the
    // separator that ended the second one shrinks to nothing.
    EXPECT_EQ(toolbar->ArrangeControls(true, false, 100, nullptr), (TSize{94, 49}));
    EXPECT_EQ(buttons[4]->BoundsRect(), Bounds(4, 28, 20, 20));
    EXPECT_EQ(separators[1]->Width(), 0);
    EXPECT_EQ(toolbar->LineSeparators(), (std::vector<TQmToolbar::TLineSeparator>{{28, true}}));

    // Narrower than a group: its controls wrap inside it, without the gap.
    EXPECT_EQ(toolbar->ArrangeControls(true, false, 40, nullptr), (TSize{34, 23 + 5 * 20 + 2 * 6}));
    EXPECT_EQ(buttons[1]->BoundsRect(), Bounds(4, 22, 20, 20));

    // An empty floating toolbar.
    auto* empty = new TQmToolbar(Form);
    EXPECT_EQ(empty->ArrangeControls(false, false, 0, nullptr), (TSize{16, 11}));
}

// ---- Buttons

TEST_F(QmToolbarsTest, ButtonDefaults) {
    auto* button = new TQmToolbarButton(Form);
    EXPECT_EQ(button->Width(), 23);
    EXPECT_EQ(button->Height(), 22);
    EXPECT_TRUE(button->Flat());
    EXPECT_TRUE(button->Opaque());
    EXPECT_EQ(button->Spacing(), 4);
    EXPECT_EQ(button->Margin(), -1);
    EXPECT_EQ(button->NumGlyphs(), 1);
    EXPECT_EQ(button->State(), bsUp);
    button->SetMargin(-2);
    EXPECT_EQ(button->Margin(), -1);
    button->SetNumGlyphs(9);
    EXPECT_EQ(button->NumGlyphs(), 5);
}

TEST_F(QmToolbarsTest, ClickNeedsPressAndReleaseInsideAnEnabledButton) {
    auto* button = AddButton(Form);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };

    PressAt(*button, 5, 5);
    EXPECT_EQ(button->State(), bsDown);
    ReleaseAt(*button, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->State(), bsUp);

    // Out and back in before the release: pressed again, and it clicks.
    PressAt(*button, 5, 5);
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
    EXPECT_EQ(button->State(), bsUp);
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
    EXPECT_EQ(button->State(), bsDown);
    ReleaseAt(*button, 6, 6);
    EXPECT_EQ(clicks, 2);

    // Released outside: no click, and the button is up again.
    PressAt(*button, 5, 5);
    ReleaseAt(*button, 40, 5);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button->State(), bsUp);

    // The right button never clicks.
    button->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    button->Perform(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 2);

    button->SetEnabled(false);
    PressAt(*button, 5, 5);
    ReleaseAt(*button, 5, 5);
    EXPECT_EQ(clicks, 2);
}

TEST_F(QmToolbarsTest, AcceleratorClicksOnlyEnabledVisibleButtons) {
    auto* button = AddButton(Form);
    button->SetCaption("&Save");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    const struct {
        WORD Key;
        bool Enabled, Visible;
        int Clicks;
    } cases[] = {
        {'s', true, true, 1},  {'S', true, true, 1},  {'a', true, true, 0},
        {'s', false, true, 0}, {'s', true, false, 0},
    };
    for (const auto& c : cases) {
        clicks = 0;
        button->SetEnabled(c.Enabled);
        button->SetVisible(c.Visible);
        LRESULT handled = button->Perform(CM_DIALOGCHAR, c.Key, 0);
        EXPECT_EQ(clicks, c.Clicks) << char(c.Key) << c.Enabled << c.Visible;
        EXPECT_EQ(handled != 0, c.Clicks == 1);
    }
}

TEST_F(QmToolbarsTest, GroupMembersReleaseEachOther) {
    auto* panel = new TPanel(Form);
    panel->SetParent(Form);
    TQmToolbarButton* a = AddButton(panel);
    TQmToolbarButton* b = AddButton(panel);
    TQmToolbarButton* loner = AddButton(panel);
    loner->SetDown(true);
    EXPECT_FALSE(loner->Down()) << "no group, never down";

    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->SetDown(true);
    EXPECT_EQ(a->State(), bsExclusive);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_TRUE(b->Down());

    // Without AllowAllUp a click keeps the down member down.
    PressAt(*b, 5, 5);
    ReleaseAt(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    b->SetDown(false);
    EXPECT_TRUE(b->Down());

    // AllowAllUp is shared by the group; then a click releases it.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    PressAt(*b, 5, 5);
    ReleaseAt(*b, 5, 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), bsUp);

    // A click on a member that is up puts it down.
    PressAt(*a, 5, 5);
    ReleaseAt(*a, 5, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
}

TEST_F(QmToolbarsTest, DropdownMenuOpensOnThePress) {
    auto* menu = new TPopupMenu(Form);
    auto* button = AddButton(Form);
    button->SetBounds(30, 40, 23, 22);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->SetDropdownMenu(menu);

    PressAt(*button, 5, 5);
    ASSERT_EQ(TestHooks::Popups().size(), 1u);
    EXPECT_EQ(TestHooks::Popups()[0].Component, button);
    EXPECT_EQ(TestHooks::Popups()[0].Point, button->ClientToScreen(Point(0, 22)));
    ReleaseAt(*button, 5, 5);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->State(), bsUp);

    // A combo: the main part clicks, the last 11 pixels open the menu.
    button->SetDropdownCombo(true);
    EXPECT_EQ(button->Width(), 34);
    PressAt(*button, 5, 5);
    ReleaseAt(*button, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(TestHooks::Popups().size(), 1u);
    PressAt(*button, 30, 5);
    EXPECT_EQ(TestHooks::Popups().size(), 2u);
    ReleaseAt(*button, 30, 5);
    EXPECT_EQ(clicks, 1);
    button->SetDropdownCombo(false);
    EXPECT_EQ(button->Width(), 23);
    button->SetDropdownCombo(true);
    button->SetWidth(5);
    button->SetDropdownCombo(false);
    EXPECT_EQ(button->Width(), 1);

    // A freed menu is forgotten.
    menu->Free();
    EXPECT_EQ(button->DropdownMenu(), nullptr);
}

TEST_F(QmToolbarsTest, DropdownMenuOpensAwayFromASideDock) {
    auto* menu = new TPopupMenu(Form);
    menu->SetAlignment(paCenter);
    const struct {
        TDockPosition Position;
        TPoint Corner;
        TPopupAlignment Alignment;
    } cases[] = {{dpTop, {0, 22}, paLeft}, {dpLeft, {23, 0}, paLeft}, {dpRight, {0, 0}, paRight}};
    for (const auto& c : cases) {
        TQmDock* dock = MakeDock(c.Position);
        auto* toolbar = new TQmToolbar(Form);
        toolbar->SetDockedTo(dock);
        TQmToolbarButton* button = AddButton(toolbar);
        button->SetDropdownMenu(menu);
        TPopupAlignment seen = paCenter;
        menu->OnPopup = [&](TObject*) { seen = menu->Alignment(); };
        button->Click();
        EXPECT_EQ(TestHooks::Popups().back().Point, button->ClientToScreen(c.Corner)) << c.Position;
        EXPECT_EQ(seen, c.Alignment) << c.Position;
        EXPECT_EQ(menu->Alignment(), paCenter) << "restored";
    }
}

TEST_F(QmToolbarsTest, HighlightFollowsThePointer) {
    Form->Show();
    TQmToolbarButton* a = AddButton(Form);
    TQmToolbarButton* b = AddButton(Form);
    a->SetBounds(10, 10, 23, 22);
    b->SetBounds(40, 10, 23, 22);
    Application->ProcessMessages();
    ASSERT_TRUE(Application->Active());

    auto moveTo = [](TQmToolbarButton* button) {
        TestHooks::SetCursorPos(button->ClientToScreen(Point(5, 5)));
        button->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    };
    moveTo(a);
    EXPECT_EQ(a->State(), bsHot);
    EXPECT_EQ(TQmToolbarButton::HoverButton(), a);
    EXPECT_TRUE(TQmToolbarButton::HoverTimer()->Enabled());
    moveTo(b);
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_EQ(b->State(), bsHot);

    // The pointer left for somewhere else without a leave message: the timer's tick notices.
    TestHooks::SetCursorPos(Form->ClientToScreen(Point(200, 200)));
    ASSERT_TRUE(TestHooks::FireTimer(*TQmToolbarButton::HoverTimer()));
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_EQ(TQmToolbarButton::HoverButton(), nullptr);
    EXPECT_FALSE(TQmToolbarButton::HoverTimer()->Enabled());

    // Losing the user's attention takes the highlight off at once.
    moveTo(a);
    TMessage deactivate{CM_DEACTIVATE, 0, 0, 0};
    CallMainWindowHooks(deactivate);
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_EQ(TQmToolbarButton::HoverButton(), nullptr);
}

// ---- Glyphs

std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().SetColor(color);
    bitmap->Canvas().FillRect(Rect(0, 0, width, height));
    return bitmap;
}

TEST_F(QmToolbarsTest, GlyphStripIsCutIntoCells) {
    const struct {
        int Width, Height, Before, After;
    } cases[] = {
        {64, 16, 1, 4}, {96, 16, 2, 1}, {16, 16, 3, 1}, {80, 16, 1, 5}, {50, 16, 3, 3},
    };
    for (const auto& c : cases) {
        TButtonGlyph glyph;
        glyph.SetNumGlyphs(c.Before);
        auto strip = SolidBitmap(c.Width, c.Height, clRed);
        glyph.SetGlyph(strip.get());
        EXPECT_EQ(glyph.NumGlyphs(), c.After) << c.Width << "x" << c.Height;
    }
    TButtonGlyph glyph;
    EXPECT_EQ(glyph.GetStateImage(bsUp), -1) << "no glyph, no image";
}

// A 4 x 4 cell on olive (its bottom-left pixel): black ink at (1, 1), white at (2, 1), silver at
// (1, 2), grey at (2, 2).
std::unique_ptr<TBitmap> InkedCell(int cells) {
    std::unique_ptr<TBitmap> strip = SolidBitmap(4 * cells, 4, clOlive);
    for (int cell = 0; cell < cells; ++cell) {
        strip->Canvas().SetPixels(cell * 4 + 1, 1, clBlack);
        strip->Canvas().SetPixels(cell * 4 + 2, 1, clWhite);
        strip->Canvas().SetPixels(cell * 4 + 1, 2, clSilver);
        strip->Canvas().SetPixels(cell * 4 + 2, 2, clGray);
    }
    return strip;
}

// The image of a state as drawn on a magenta ground.
std::unique_ptr<TBitmap> DrawnState(TButtonGlyph& glyph, TToolbarButtonState state) {
    std::unique_ptr<TBitmap> target = SolidBitmap(5, 5, clFuchsia);
    int index = glyph.GetStateImage(state);
    EXPECT_GE(index, 0);
    if (index >= 0)
        glyph.ImageList()->Draw(target->Canvas(), 0, 0, index);
    return target;
}

TEST_F(QmToolbarsTest, DisabledImageIsEmbossedFromAOneCellGlyph) {
    TButtonGlyph glyph;
    auto strip = InkedCell(1);
    glyph.SetGlyph(strip.get());
    const TColor highlight = ColorToRGB(clBtnHighlight);
    const TColor shadow = ColorToRGB(clBtnShadow);

    auto up = DrawnState(glyph, bsUp);
    EXPECT_EQ(up->PixelAt(0, 0), clFuchsia) << "transparent colour left out";
    EXPECT_EQ(up->PixelAt(1, 1), clBlack);
    EXPECT_EQ(up->PixelAt(2, 1), clWhite);

    // New style: black and grey are ink, white and silver vanish.
    auto disabled = DrawnState(glyph, bsDisabled);
    EXPECT_EQ(disabled->PixelAt(1, 1), shadow);
    EXPECT_EQ(disabled->PixelAt(2, 2), shadow);
    EXPECT_EQ(disabled->PixelAt(3, 3), highlight);
    EXPECT_EQ(disabled->PixelAt(2, 1), clFuchsia);
    EXPECT_EQ(disabled->PixelAt(1, 2), clFuchsia);
    EXPECT_EQ(disabled->PixelAt(0, 0), clFuchsia);

    // Old style: every pixel but the transparent colour is ink.
    glyph.SetOldDisabledStyle(true);
    auto old = DrawnState(glyph, bsDisabled);
    EXPECT_EQ(old->PixelAt(2, 1), shadow);
    EXPECT_EQ(old->PixelAt(1, 2), shadow);
    EXPECT_EQ(old->PixelAt(0, 0), clFuchsia);
}

TEST_F(QmToolbarsTest, DisabledCellOfItsOwnIsRecoloured) {
    TButtonGlyph glyph;
    auto strip = InkedCell(2);
    glyph.SetGlyph(strip.get());
    ASSERT_EQ(glyph.NumGlyphs(), 2);
    auto disabled = DrawnState(glyph, bsDisabled);
    EXPECT_EQ(disabled->PixelAt(1, 1), clBlack);
    EXPECT_EQ(disabled->PixelAt(2, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(disabled->PixelAt(2, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(disabled->PixelAt(1, 2), clSilver);
    EXPECT_EQ(disabled->PixelAt(0, 0), clFuchsia);
    // A state without a cell of its own shows the up cell.
    EXPECT_EQ(DrawnState(glyph, bsHot)->PixelAt(1, 1), clBlack);
}

TEST_F(QmToolbarsTest, GlyphsOfOneSizeShareAListAndReuseItsSlots) {
    TButtonGlyph first;
    TButtonGlyph second;
    auto strip = InkedCell(1);
    first.SetGlyph(strip.get());
    second.SetGlyph(strip.get());
    int a = first.GetStateImage(bsUp);
    int b = second.GetStateImage(bsUp);
    int c = first.GetStateImage(bsDisabled);
    ASSERT_EQ(first.ImageList(), second.ImageList());
    TGlyphList* list = first.ImageList();
    EXPECT_EQ(list->Width(), 5);
    EXPECT_EQ(list->Height(), 5);
    EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list->UsedCount(), 3);

    first.ReleaseImages();
    EXPECT_EQ(list->UsedCount(), 1);
    EXPECT_EQ(first.ImageList(), nullptr);
    // Freed slots come back before the list grows.
    EXPECT_EQ(first.GetStateImage(bsDown), 0);
    EXPECT_EQ(list->Count(), 3);

    // A new picture drops the images made so far.
    auto wider = InkedCell(1);
    wider->SetSize(6, 4);
    first.SetGlyph(wider.get());
    EXPECT_EQ(list->UsedCount(), 1);
    EXPECT_EQ(first.GetStateImage(bsUp), 0);
    EXPECT_NE(first.ImageList(), list);
}

// User buttons load their glyph straight into the button's bitmap.
TEST_F(QmToolbarsTest, GlyphLoadedFromAFileDropsTheOldImages) {
    auto* button = AddButton(Form);
    auto cell = InkedCell(1);
    button->SetGlyph(cell.get());
    TButtonGlyph& glyph = button->ButtonGlyph();
    ASSERT_GE(glyph.GetStateImage(bsUp), 0);
    ASSERT_EQ(glyph.ImageList()->Width(), 5);

    auto strip = SolidBitmap(12, 4, clTeal);
    String file = TestSupport::Sandbox("glyph.bmp");
    strip->SaveToFile(file);
    int changes = 0;
    glyph.OnChange = [&](TObject*) { ++changes; };
    button->Glyph().LoadFromFile(file);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(glyph.ImageList(), nullptr);
    EXPECT_EQ(glyph.TransparentColor(), clTeal);
    ASSERT_GE(glyph.GetStateImage(bsUp), 0);
    EXPECT_EQ(glyph.ImageList()->Width(), 13);
}

TEST_F(QmToolbarsTest, ContentLayoutPlacesGlyphAndArrow) {
    TButtonGlyph glyph;
    auto strip = SolidBitmap(16, 16, clRed);
    glyph.SetGlyph(strip.get());
    auto surface = SolidBitmap(10, 10, clWhite);
    const TRect client = Rect(2, 3, 42, 33); // 40 x 30
    const struct {
        TButtonLayout Layout;
        int Margin, Spacing;
        bool Arrow;
        TPoint Glyph;
        TPoint ArrowAt;
    } cases[] = {
        // left: centred across (30 - 16 + 1) / 2 = 7; along (40 - 16 + 1) / 2 = 12
        {blGlyphLeft, -1, 4, false, {12, 7}, {28, 13}},
        {blGlyphLeft, 3, 4, false, {3, 7}, {19, 13}},
        // without text there is no spacing: the margin centres glyph and arrow
        {blGlyphLeft, -1, -1, true, {8, 7}, {24, 13}},
        {blGlyphRight, 2, 4, true, {13, 7}, {29, 13}},
        {blGlyphTop, -1, 4, false, {12, 7}, {28, 7 + 6}},
        {blGlyphTop, 1, 4, true, {8, 1}, {24, 7}},
        {blGlyphBottom, 2, 4, false, {12, 12}, {28, 18}},
    };
    for (const auto& c : cases) {
        TButtonContent content;
        content.Layout = c.Layout;
        content.Margin = c.Margin;
        content.Spacing = c.Spacing;
        content.DrawArrow = c.Arrow;
        TContentLayout layout = glyph.CalcLayout(surface->Canvas(), client, Point(1, 1), content);
        EXPECT_EQ(layout.GlyphPos, Point(c.Glyph.x + 3, c.Glyph.y + 4))
            << c.Layout << " " << c.Margin << " " << c.Spacing;
        EXPECT_EQ(layout.ArrowPos, Point(c.ArrowAt.x + 3, c.ArrowAt.y + 4))
            << c.Layout << " " << c.Margin << " " << c.Spacing;
    }
}

TEST_F(QmToolbarsTest, ContentLayoutPutsTextBesideTheGlyph) {
    TButtonGlyph glyph;
    auto strip = SolidBitmap(16, 16, clRed);
    glyph.SetGlyph(strip.get());
    auto surface = SolidBitmap(10, 10, clWhite);
    TRect measured = Rect(0, 0, 100, 0);
    DrawText(surface->Canvas(), "Go", measured, DT_CALCRECT);
    const int tw = measured.Width();
    const int th = measured.Height();
    const TRect client = Rect(0, 0, 100, 40);

    TButtonContent content;
    content.Caption = "Go";
    TContentLayout left = glyph.CalcLayout(surface->Canvas(), client, Point(0, 0), content);
    const int margin = (100 - (4 + 16 + tw) + 1) / 2;
    EXPECT_EQ(left.GlyphPos, Point(margin, 12));
    EXPECT_EQ(left.TextBounds, Bounds(margin + 20, (40 - th + 1) / 2, tw, th));

    content.Layout = blGlyphTop;
    content.Margin = 2;
    TContentLayout top = glyph.CalcLayout(surface->Canvas(), client, Point(0, 0), content);
    EXPECT_EQ(top.GlyphPos, Point(42, 2));
    EXPECT_EQ(top.TextBounds, Bounds((100 - tw + 1) / 2, 22, tw, th));

    // Text only: a top layout without a glyph is a left one, with no spacing.
    content.DrawGlyph = false;
    content.Margin = 5;
    TContentLayout textOnly = glyph.CalcLayout(surface->Canvas(), client, Point(0, 0), content);
    EXPECT_EQ(textOnly.TextBounds, Bounds(5, (40 - th + 1) / 2, tw, th));
}

} // namespace
