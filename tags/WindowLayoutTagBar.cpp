// The tag bar's pages scrolled sideways: each page has a left and a right scroll button, and the
// buttons between them move in steps, those outside the room between the scroll buttons hidden.

#include "tags/WindowLayout.h"

#include "platform/Buttons.h"
#include "platform/Events.h"
#include "platform/Grids.h"
#include "tags/SpecialCharacters.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

namespace {

using B = TTagButtons;

// The pages in page order, with the number of their scroll-button pair.
struct TScrollPair {
    TTabSheet* TTagButtons::*Page;
    int Pair;
};

const TScrollPair ScrollPairs[] = {
    {&B::CommonSheet, 1}, {&B::LayoutPage, 2},    {&B::FontSheet, 3},     {&B::ListSheet, 4},
    {&B::TablesPage, 5},  {&B::FormSheet, 6},     {&B::FramesPage, 7},    {&B::CharSheet, 8},
    {&B::StyleSheet, 9},  {&B::ScriptsSheet, 13}, {&B::SpecialSheet, 10}, {&B::ApplicationPage, 11},
    {&B::UserSheet, 12},
};

const int ScrollButtonWidth = 12;
const int ScrollButtonHeight = 25;
// The room a button needs left of the right scroll button to show.
const int ButtonRoom = 24;
// A control with this tag or more is shown by its own command; scrolling only ever hides it.
const int ShownByItsCommand = 1000;

} // namespace

void TWindowLayout::BuildScrollButtons() {
    for (const TScrollPair& entry : ScrollPairs) {
        TTabSheet* page = Form.TagButtons->*entry.Page;
        const String number = IntToStr(entry.Pair);
        auto* left = NewControl<TSpeedButton>(&Form, page, "LeftScroll" + number);
        auto* right = NewControl<TSpeedButton>(&Form, page, "RightScroll" + number);
        left->SetCaption("<");
        right->SetCaption(">");
        for (TSpeedButton* button : {left, right}) {
            button->SetBounds(0, 0, ScrollButtonWidth, ScrollButtonHeight);
            button->SetHelpContext(HelpContexts::LeftScroll1Click);
        }
        LeftScrolls[entry.Pair - 1] = left;
        RightScrolls[entry.Pair - 1] = right;
    }
}

int TWindowLayout::ScrollPairOf(const TTabSheet* page) const {
    for (const TScrollPair& entry : ScrollPairs)
        if (Form.TagButtons->*entry.Page == page)
            return entry.Pair;
    return 0;
}

TSpeedButton* TWindowLayout::LeftScrollOf(const TTabSheet* page) const {
    return LeftScrolls[ScrollPairOf(page) - 1];
}

TSpeedButton* TWindowLayout::RightScrollOf(const TTabSheet* page) const {
    return RightScrolls[ScrollPairOf(page) - 1];
}

TTabSheet* TWindowLayout::ActiveTagPage() const {
    return Form.TagButtons->ButtonsPage->ActivePage();
}

void TWindowLayout::ShiftTagButtons(TTabSheet* page, int offset) {
    TSpeedButton* leftScroll = LeftScrollOf(page);
    TSpeedButton* rightScroll = RightScrollOf(page);
    rightScroll->SetLeft(page->Width() - ScrollButtonWidth);
    leftScroll->SetLeft(0);
    const int firstShown = leftScroll->Left() + ScrollButtonWidth;
    const int lastShown = rightScroll->Left() - ButtonRoom;
    int smallestLeft = 9999;
    int largestLeft = -9999;
    for (int i = 0; i < page->ControlCount(); ++i) {
        TControl* control = page->Controls(i);
        if (dynamic_cast<TSpeedButton*>(control))
            continue;
        control->SetLeft(control->Left() + offset);
        const bool scrolled = control->Tag() < ShownByItsCommand;
        if (scrolled) {
            smallestLeft = std::min(smallestLeft, control->Left());
            largestLeft = std::max(largestLeft, control->Left());
        }
        if (control->Left() < firstShown || control->Left() > lastShown)
            control->Hide();
        else if (scrolled)
            control->Show();
    }
    leftScroll->SetEnabled(smallestLeft < firstShown);
    rightScroll->SetEnabled(largestLeft > lastShown);
}

void TWindowLayout::LayoutTagButtonPages() {
    TPageControl* bar = Form.TagButtons->ButtonsPage;
    for (int i = 0; i < bar->PageCount(); ++i)
        ShiftTagButtons(bar->Pages(i), 0);
}

void TWindowLayout::ToolbarPanelResize(TObject* /*Sender*/) {
    LayoutTagButtonPages();
    PlaceDropLists();
}

// Each list's right edge under its button's, on the line below the tag bar; the SSI echo list
// starts where the SSI button ends.
void TWindowLayout::PlaceDropLists() {
    TTagButtons& bar = *Form.TagButtons;
    TSpecialCharacters& chars = *Form.SpecialCharacters;
    TPanel* panel = Form.ButtonsPagePanel;
    const int x = panel->Left() + 6;
    const int y = panel->Top() + panel->Height() - 4;
    struct TDropList {
        TControl* List;
        TControl* Button;
        bool BelowTheBar;
    };
    const TDropList lists[] = {
        {bar.SSIList, bar.SSIButton, false},
        {bar.ScriptTypeList, bar.ScriptButton, false},
        {bar.DoctypeList, bar.DoctypeButton, true},
        {bar.CharListBox, chars.OtherCharButton, true},
        {bar.OtherStyleDropList, bar.OtherFontButton, true},
        {bar.ReplaceAnglesList, bar.ReplaceAnglesButton, true},
        {bar.CharGrid, chars.CharMapButton, true},
        {bar.AlignListBox, bar.TDButton, true},
    };
    for (const TDropList& entry : lists) {
        entry.List->SetLeft(entry.Button->Left() + entry.Button->Width() + x - entry.List->Width());
        if (entry.BelowTheBar)
            entry.List->SetTop(y);
    }
    bar.SSIEchoList->SetLeft(bar.SSIButton->Left() + bar.SSIButton->Width() + x);
}

void TWindowLayout::ShiftButtonsLeft1Click(TObject* /*Sender*/) {
    ShiftTagButtons(ActiveTagPage(), -ShiftStep);
}

void TWindowLayout::ShiftButtonsRight1Click(TObject* /*Sender*/) {
    ShiftTagButtons(ActiveTagPage(), ShiftStep);
}

void TWindowLayout::LeftScroll1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::LeftScroll1Click))
        return;
    ShiftTagButtons(ActiveTagPage(), ShiftStep);
}

void TWindowLayout::RightScroll1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RightScroll1Click))
        return;
    ShiftTagButtons(ActiveTagPage(), -ShiftStep);
}

// Each shift item is offered while the scroll button that makes the same shift is: Shift Buttons
// Left moves the buttons as the right scroll button does, and reveals what hides on the right.
void TWindowLayout::ButtonBarMenuPopup(TObject* /*Sender*/) {
    TTabSheet* page = ActiveTagPage();
    ShiftButtonsLeft1->SetEnabled(RightScrollOf(page)->Enabled());
    ShiftButtonsRight1->SetEnabled(LeftScrollOf(page)->Enabled());
}
