// The splitters beside the toolbar area and the file pane, and the views of the top area: normal,
// all buttons, the toolbars on or off, and full screen.

#include "tags/WindowLayout.h"

#include "platform/Buttons.h"
#include "platform/Events.h"
#include "site/FilePane.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"
#include "widgets/Splitters.h"

#include <algorithm>

namespace {

const int SplitterWidth = 4;
// The room View All leaves right of the last button of a page.
const int ViewAllMargin = 45;

void ShowWithChildren(TWinControl* control, bool show) {
    control->SetVisible(show);
    for (int i = 0; i < control->ControlCount(); ++i)
        control->Controls(i)->SetVisible(show);
}

} // namespace

void TWindowLayout::Build() {
    BuildSplitters();
    BuildScrollButtons();
    BuildMenus();
}

// Each splitter follows the panel it sizes, so the alignment keeps it at the panel's edge.
void TWindowLayout::BuildSplitters() {
    SplitIt1 = NewControl<TSplitIt>(&Form, Form.TopPanel, "SplitIt1");
    SplitIt2 = NewControl<TSplitIt>(&Form, &Form, "SplitIt2");
    const std::pair<TSplitIt*, TPanel*> splitters[] = {{SplitIt1, Form.ToolbarPanel},
                                                       {SplitIt2, Form.LeftPanel}};
    for (auto [splitter, panel] : splitters) {
        splitter->SetSplitDirection(sdHorizontal);
        splitter->SetWidth(SplitterWidth);
        splitter->SetLeft(panel->Left() + panel->Width());
        splitter->SetAlign(alLeft);
    }
    SplitIt2->SetHelpContext(HelpContexts::SplitIt2Click);
}

void TWindowLayout::BuildMenus() {
    TagButtonsNormalView1 =
        AddItem(&Form, Form.View1, "TagButtonsNormalView1", "&Tag Buttons Normal View");
    ViewAllTagButtons1 = AddItem(&Form, Form.View1, "ViewAllTagButtons1", "&View All Tag Buttons");
    Toolbars1 = AddItem(&Form, Form.View1, "Toolbars1", "&Toolbars");
    Toolbars1->SetChecked(true);
    FullScreen1 = AddItem(&Form, Form.View1, "FullScreen1", "&Full Screen");

    ButtonBarMenu = NewComponent<TPopupMenu>(&Form, "ButtonBarMenu");
    TMenuItem* items = ButtonBarMenu->Items();
    NormalView1 = AddItem(&Form, items, "NormalView1", "&Normal View");
    ViewAllButtons1 = AddItem(&Form, items, "ViewAllButtons1", "&View All Buttons");
    ShiftButtonsLeft1 = AddItem(&Form, items, "ShiftButtonsLeft1", "Shift Buttons &Left");
    ShiftButtonsRight1 = AddItem(&Form, items, "ShiftButtonsRight1", "Shift Buttons &Right");
    Form.TagButtons->ButtonsPage->SetPopupMenu(ButtonBarMenu);
}

void TWindowLayout::Bind() {
    SplitIt1->OnSplit = Handler(this, &TWindowLayout::SplitIt1Split);
    SplitIt1->OnDblClick = Handler(this, &TWindowLayout::SplitIt1DblClick);
    SplitIt1->OnMouseUp = Handler(this, &TWindowLayout::SplitIt1MouseUp);
    SplitIt2->OnSplit = Handler(this, &TWindowLayout::SplitIt2Split);
    SplitIt2->OnClick = Handler(this, &TWindowLayout::SplitIt2Click);
    SplitIt2->OnPaint = Handler(this, &TWindowLayout::SplitIt2Paint);
    Form.ToolbarPanel->OnResize = Handler(this, &TWindowLayout::ToolbarPanelResize);
    Form.ButtonsPagePanel->OnResize = Handler(this, &TWindowLayout::ToolbarPanelResize);
    for (TMenuItem* item : {TagButtonsNormalView1, NormalView1})
        item->OnClick = Handler(this, &TWindowLayout::SplitIt1DblClick);
    for (TMenuItem* item : {ViewAllTagButtons1, ViewAllButtons1})
        item->OnClick = Handler(this, &TWindowLayout::Enlarge1Click);
    Toolbars1->OnClick = Handler(this, &TWindowLayout::Toolbars1Click);
    FullScreen1->OnClick = Handler(this, &TWindowLayout::FullScreen1Click);
    ShiftButtonsLeft1->OnClick = Handler(this, &TWindowLayout::ShiftButtonsLeft1Click);
    ShiftButtonsRight1->OnClick = Handler(this, &TWindowLayout::ShiftButtonsRight1Click);
    ButtonBarMenu->OnPopup = Handler(this, &TWindowLayout::ButtonBarMenuPopup);
    for (TSpeedButton* button : LeftScrolls)
        button->OnClick = Handler(this, &TWindowLayout::LeftScroll1Click);
    for (TSpeedButton* button : RightScrolls)
        button->OnClick = Handler(this, &TWindowLayout::RightScroll1Click);
}

void TWindowLayout::WindowResized() {
    LayoutTagButtonPages();
}

void TWindowLayout::SetToolbarWidth(int width) {
    Form.ToolbarPanel->SetWidth(std::max(1, width));
}

void TWindowLayout::SplitIt2Split(TObject* /*Sender*/, int NewPos) {
    Form.LeftPanel->SetWidth(std::max(1, NewPos));
}

void TWindowLayout::SplitIt1Split(TObject* /*Sender*/, int NewPos) {
    SetToolbarWidth(NewPos);
}

// The toolbar area just as wide as the standard toolbar; when it is so already, the tag bar shows
// all its buttons instead. The drag that the double-click starts ends on the same width.
void TWindowLayout::SplitIt1DblClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SplitIt1DblClick))
        return;
    const int width = Form.StdToolbar->Width();
    if (SplitIt1->Left() == width) {
        Enlarge1Click(SplitIt1);
        return;
    }
    SplitIt1->SetLeft(width);
    SetToolbarWidth(width);
    SplitIt1->SetTag(1);
}

void TWindowLayout::SplitIt1MouseUp(TObject* /*Sender*/, TMouseButton /*Button*/,
                                    TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    if (SplitIt1->Tag() != 1)
        return;
    const int width = Form.StdToolbar->Width();
    SplitIt1->SetLeft(width);
    SetToolbarWidth(width);
    SplitIt1->SetTag(0);
}

// The toolbar area gives up room until the active page's last button shows; a window too narrow
// for that leaves the toolbar area a pixel wide rather than a width below nothing.
void TWindowLayout::Enlarge1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Enlarge1Click))
        return;
    TTabSheet* page = ActiveTagPage();
    if (!page)
        return;
    int largestLeft = 0;
    for (int i = 0; i < page->ControlCount(); ++i)
        largestLeft = std::max(largestLeft, page->Controls(i)->Left());
    const int room =
        Form.Width() - (largestLeft + Form.TagButtons->ButtonsPage->Left() + ViewAllMargin);
    if (room < Form.ToolbarPanel->Width()) {
        SplitIt1->SetLeft(std::max(1, room));
        SetToolbarWidth(room);
    }
}

void TWindowLayout::Toolbars1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Toolbars1Click))
        return;
    const bool show = !Form.StdToolbar->Visible();
    Form.StdToolbar->SetVisible(show);
    Form.EditToolbar->SetVisible(show);
    Toolbars1->SetChecked(show);
    if (show) {
        Form.StdToolbar->SetDockedTo(Form.DockStd);
        Form.EditToolbar->SetDockedTo(Form.DockEdit);
    }
}

void TWindowLayout::ShowTopArea(bool show) {
    ShowWithChildren(Form.TopPanel, show);
    if (Form.FilePane)
        ShowWithChildren(Form.FilePane->DriveListPanel, show);
    Form.TagButtons->ButtonsPage->SetVisible(show);
}

// The pages take the whole window; the second time everything comes back, the file pane only
// when the user has not hidden it.
void TWindowLayout::FullScreen1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::FullScreen1Click))
        return;
    if (Form.TopPanel->Visible()) {
        ShowTopArea(false);
        if (Form.LeftPanel->Visible())
            Form.LeftPanel->Hide();
    } else {
        ShowTopArea(true);
        Form.LeftPanel->SetVisible(Form.LeftPanelVisible);
    }
    FullScreen1->SetChecked(!Form.TopPanel->Visible());
    if (Form.PageInUse(-1))
        Form.GetMemo(-1)->Repaint();
}

void TWindowLayout::SplitIt2Click(TObject* /*Sender*/) {
    Form.HandleHelpPointer(HelpContexts::SplitIt2Click);
}

void TWindowLayout::SplitIt2Paint(TObject* /*Sender*/, TCanvas& Canvas) {
    Canvas.Pen().SetColor(clBlack);
    Canvas.Pen().SetWidth(2);
    Canvas.MoveTo(2, 0);
    Canvas.LineTo(2, SplitIt2->Height());
}
