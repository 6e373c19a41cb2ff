// The clipboard, undo and select all, and the refresh of the Edit menu's own items and of the
// editors' pop-up menu as they open.

#include "editor/CorvaletForm.h"

#include "platform/Clipbrd.h"
#include "platform/Events.h"
#include "widgets/QmToolbars.h"

namespace {

bool ClipboardHoldsText() {
    return !Clipboard()->AsText().empty();
}

} // namespace

void THTMLEMainForm::BuildEditCommands() {
    TMenuItem* popup = MainPopupMenu->Items();
    Undo2 = AddItem(this, popup, "Undo2", "&Undo");
    Cut2 = AddItem(this, popup, "Cut2", "Cu&t");
    Copy4 = AddItem(this, popup, "Copy4", "&Copy");
    Paste2 = AddItem(this, popup, "Paste2", "&Paste");
    SelectAll1 = AddItem(this, popup, "SelectAll1", "Select A&ll");
}

void THTMLEMainForm::BindEditCommands() {
    auto bind = [this](void (THTMLEMainForm::*handler)(TObject*),
                       std::initializer_list<TMenuItem*> items,
                       std::initializer_list<TQmToolbarButton*> buttons) {
        for (TMenuItem* item : items)
            item->OnClick = Handler(this, handler);
        for (TQmToolbarButton* button : buttons)
            button->OnClick = Handler(this, handler);
    };
    bind(&THTMLEMainForm::Undo1Click, {Undo1, Undo2}, {});
    bind(&THTMLEMainForm::Cut1Click, {Cut1, Cut2}, {CutButton});
    bind(&THTMLEMainForm::Copy1Click, {Copy1, Copy4}, {CopyButton});
    bind(&THTMLEMainForm::Paste1Click, {Paste1, Paste2}, {PasteButton});
    bind(&THTMLEMainForm::SelectAll1Click, {SelectAll2, SelectAll1}, {});
    bind(&THTMLEMainForm::Edit1Click, {Edit1}, {});
    bind(&THTMLEMainForm::PreferencesClick, {Preferences1}, {});
    MainPopupMenu->OnPopup = Handler(this, &THTMLEMainForm::MainPopupMenuPopup);
}

void THTMLEMainForm::Undo1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Undo1Click) || !PageInUse(-1))
        return;
    GetMemo(-1)->Perform(EM_UNDO, 0, 0);
}

void THTMLEMainForm::Cut1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Cut1Click) || !PageInUse(-1))
        return;
    GetMemo(-1)->CutToClipboard();
    GetMemo(-1)->Repaint();
}

void THTMLEMainForm::Copy1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Copy1Click) || !PageInUse(-1))
        return;
    GetMemo(-1)->CopyToClipboard();
}

void THTMLEMainForm::Paste1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Paste1Click) || !PageInUse(-1))
        return;
    GetMemo(-1)->PasteFromClipboard();
}

void THTMLEMainForm::SelectAll1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::SelectAll1Click) || !PageInUse(-1))
        return;
    GetMemo(-1)->SelectAll();
    GetMemo(-1)->Repaint();
}

// The Edit menu's own items; the features refresh theirs after these.
void THTMLEMainForm::Edit1Click(TObject* /*Sender*/) {
    bool help = HelpPointerMode();
    TRichEdit* editor = GetMemo(-1);
    bool pageOpen = EditorPageOpen();
    if (pageOpen || help) {
        for (TMenuItem* item : {SelectAll2, ColourTags1, WordWrap1})
            item->SetEnabled(true);
        bool selected = pageOpen && editor->SelLength() > 0;
        Cut1->SetEnabled(selected || help);
        Copy1->SetEnabled(selected || help);
        Paste1->SetEnabled(ClipboardHoldsText() || help);
        WordWrap1->SetChecked(pageOpen && editor->WordWrap());
    } else {
        for (TMenuItem* item : {Undo1, Cut1, Copy1, Paste1, WordWrap1, SelectAll2, ColourTags1})
            item->SetEnabled(false);
    }
    Undo1->SetEnabled((editor && editor->Perform(EM_CANUNDO, 0, 0) != 0) || help);
}

void THTMLEMainForm::PreferencesClick(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    WordWrap1->SetChecked(editor && editor->WordWrap());
}

void THTMLEMainForm::MainPopupMenuPopup(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    bool selected = editor && editor->SelLength() != 0;
    Cut2->SetEnabled(selected);
    Copy4->SetEnabled(selected);
    Paste2->SetEnabled(ClipboardHoldsText());
    Undo2->SetEnabled(editor && editor->Perform(EM_CANUNDO, 0, 0) != 0);
}
