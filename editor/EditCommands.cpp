// The clipboard, undo and select all, and the refresh of their items in the Edit menu and in the
// pages' pop-up menu as they open.

#include "editor/EditCommands.h"

#include "editor/CorvaletForm.h"
#include "platform/Clipbrd.h"
#include "platform/Events.h"
#include "widgets/QmToolbars.h"

namespace {

bool ClipboardHoldsText() {
    return !Clipboard()->AsText().empty();
}

} // namespace

void TEditCommands::Build() {
    BuildEditMenu();
    BuildPopupMenu();
    BuildToolbarButtons();
}

void TEditCommands::BuildEditMenu() {
    TMenuItem* edit = Form.Edit1;
    Undo1 = InsertItem(&Form, edit, 0, "Undo1", "&Undo");
    Undo1->SetShortCut(ShortCut(VK_BACK, ssAlt));
    Cut1 = InsertItem(&Form, edit, 1, "Cut1", "Cu&t");
    Cut1->SetShortCut(ShortCut('X', ssCtrl));
    Copy1 = InsertItem(&Form, edit, 2, "Copy1", "&Copy");
    Copy1->SetShortCut(ShortCut('C', ssCtrl));
    Paste1 = InsertItem(&Form, edit, 3, "Paste1", "&Paste");
    Paste1->SetShortCut(ShortCut('V', ssCtrl));
    SelectAll2 = InsertItem(&Form, edit, 4, "SelectAll2", "&Select All");
    SelectAll2->SetShortCut(ShortCut('A', ssCtrl));
}

void TEditCommands::BuildPopupMenu() {
    // First in the pop-up menu: tag colouring puts its Remove Text Formatting before them.
    TMenuItem* popup = Form.MainPopupMenu->Items();
    const int after = 0;
    Undo2 = InsertItem(&Form, popup, after, "Undo2", "&Undo");
    Cut2 = InsertItem(&Form, popup, after + 1, "Cut2", "Cu&t");
    Copy4 = InsertItem(&Form, popup, after + 2, "Copy4", "&Copy");
    Paste2 = InsertItem(&Form, popup, after + 3, "Paste2", "&Paste");
    SelectAll1 = InsertItem(&Form, popup, after + 4, "SelectAll1", "Select A&ll");
}

void TEditCommands::BuildToolbarButtons() {
    TQmToolbar* toolbar = Form.EditToolbar;
    CutButton = Form.InsertToolbarButton(toolbar, nullptr, "CutButton", "Cut");
    CopyButton = Form.InsertToolbarButton(toolbar, CutButton, "CopyButton", "Copy");
    PasteButton = Form.InsertToolbarButton(toolbar, CopyButton, "PasteButton", "Paste");
}

void TEditCommands::Bind() {
    auto bind = [this](void (TEditCommands::*handler)(TObject*),
                       std::initializer_list<TMenuItem*> items, TQmToolbarButton* button) {
        for (TMenuItem* item : items)
            item->OnClick = Handler(this, handler);
        if (button)
            button->OnClick = Handler(this, handler);
    };
    bind(&TEditCommands::Undo1Click, {Undo1, Undo2}, nullptr);
    bind(&TEditCommands::Cut1Click, {Cut1, Cut2}, CutButton);
    bind(&TEditCommands::Copy1Click, {Copy1, Copy4}, CopyButton);
    bind(&TEditCommands::Paste1Click, {Paste1, Paste2}, PasteButton);
    bind(&TEditCommands::SelectAll1Click, {SelectAll2, SelectAll1}, nullptr);
}

void TEditCommands::UpdateCommands() {
    bool enabled = Form.DocumentCommandsEnabled();
    for (TMenuItem* item : {Undo1, Cut1, Copy1, Paste1, SelectAll2})
        item->SetEnabled(enabled);
    for (TQmToolbarButton* button : {CutButton, CopyButton, PasteButton})
        button->SetEnabled(enabled);
}

void TEditCommands::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.Edit1)
        EditMenuOpening();
    else if (&menu == Form.MainPopupMenu->Items())
        PopupMenuOpening();
}

void TEditCommands::EditMenuOpening() {
    bool help = Form.HelpPointerMode();
    TRichEdit* editor = Form.GetMemo(-1);
    bool pageOpen = Form.EditorPageOpen();
    bool offered = pageOpen || help;
    bool selected = pageOpen && editor->SelLength() > 0;
    SelectAll2->SetEnabled(offered);
    Cut1->SetEnabled(selected || help);
    Copy1->SetEnabled(selected || help);
    Paste1->SetEnabled(offered && (ClipboardHoldsText() || help));
    Undo1->SetEnabled((editor && editor->Perform(EM_CANUNDO, 0, 0) != 0) || help);
}

void TEditCommands::PopupMenuOpening() {
    TRichEdit* editor = Form.GetMemo(-1);
    bool selected = editor && editor->SelLength() != 0;
    Cut2->SetEnabled(selected);
    Copy4->SetEnabled(selected);
    Paste2->SetEnabled(ClipboardHoldsText());
    Undo2->SetEnabled(editor && editor->Perform(EM_CANUNDO, 0, 0) != 0);
}

void TEditCommands::Undo1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Undo1Click) || !Form.PageInUse(-1))
        return;
    Form.GetMemo(-1)->Perform(EM_UNDO, 0, 0);
}

void TEditCommands::Cut1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Cut1Click) || !Form.PageInUse(-1))
        return;
    Form.GetMemo(-1)->CutToClipboard();
    Form.GetMemo(-1)->Repaint();
}

void TEditCommands::Copy1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Copy1Click) || !Form.PageInUse(-1))
        return;
    Form.GetMemo(-1)->CopyToClipboard();
}

void TEditCommands::Paste1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Paste1Click) || !Form.PageInUse(-1))
        return;
    Form.GetMemo(-1)->PasteFromClipboard();
}

void TEditCommands::SelectAll1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SelectAll1Click) || !Form.PageInUse(-1))
        return;
    Form.GetMemo(-1)->SelectAll();
    Form.GetMemo(-1)->Repaint();
}
