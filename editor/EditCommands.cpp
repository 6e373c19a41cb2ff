// The small editing commands around the caret: the page's bookmark, Go To Line, the clipboard,
// undo and select all, and the refresh of the Edit menu and the editors' pop-up menu as they open.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "platform/Clipbrd.h"
#include "platform/Events.h"
#include "widgets/QmToolbars.h"

namespace {

// The decimal number at the start of a text, blanks and a sign allowed; 0 without digits.
int LeadingNumber(const String& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == String::npos)
        return 0;
    bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1000000000; ++i)
        value = value * 10 + (text[i] - '0');
    return static_cast<int>(negative ? -value : value);
}

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
    SelectTag1 = AddItem(this, popup, "SelectTag1", "Select &Tag");
    GoToLine1 = AddItem(this, popup, "GoToLine1", "&Go To Line...");
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
    bind(&THTMLEMainForm::BookmarkButtonClick, {SetBookmark1}, {BookmarkButton});
    bind(&THTMLEMainForm::GotoButtonClick, {GoToBookmark1}, {GotoButton});
    bind(&THTMLEMainForm::GoTo1Click, {GoTo1, GoToLine1}, {});
    bind(&THTMLEMainForm::Undo1Click, {Undo1, Undo2}, {});
    bind(&THTMLEMainForm::Cut1Click, {Cut1, Cut2}, {CutButton});
    bind(&THTMLEMainForm::Copy1Click, {Copy1, Copy4}, {CopyButton});
    bind(&THTMLEMainForm::Paste1Click, {Paste1, Paste2}, {PasteButton});
    bind(&THTMLEMainForm::SelectAll1Click, {SelectAll2, SelectAll1}, {});
    bind(&THTMLEMainForm::SelectTag1Click, {SelectTag1}, {});
    bind(&THTMLEMainForm::Edit1Click, {Edit1}, {});
    bind(&THTMLEMainForm::PreferencesClick, {Preferences1}, {});
    MainPopupMenu->OnPopup = Handler(this, &THTMLEMainForm::MainPopupMenuPopup);
}

void THTMLEMainForm::BookmarkButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::BookmarkButtonClick) || !PageInUse(-1))
        return;
    Bookmarks[ActivePageIndex()] = GetMemo(-1)->SelStart();
}

// A page without a bookmark keeps its caret where it is.
void THTMLEMainForm::GotoButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::GotoButtonClick) || !PageInUse(-1))
        return;
    int bookmark = Bookmarks[ActivePageIndex()];
    if (bookmark < 0)
        return;
    GetMemo(-1)->SetSelStart(bookmark);
    ScrollToCaret(GetMemo(-1), -1);
}

// The caret goes to the start of the line asked for; a number that names no line (0, no digits,
// past the last line) puts it at the end of the text.
void THTMLEMainForm::GoTo1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::GoTo1Click) || !PageInUse(-1))
        return;
    TRichEdit* editor = GetMemo(-1);
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (!dialog ||
        !SetupLocationForm(IntToStr(LineOfPosition(editor, -1) + 1), "", "Line No.:", false, false))
        return;
    dialog->LocEdit->SelectAll();
    SizeNumberInputDialog();
    if (dialog.ShowModal() != mrOk)
        return;
    int line = LeadingNumber(dialog->LocEdit->Text());
    int lineStart = line >= 1 ? static_cast<int>(editor->Perform(EM_LINEINDEX, line - 1, 0)) : -1;
    int length = editor->GetTextLen();
    editor->SetSelStart(lineStart >= 0 && lineStart < length ? lineStart : length);
    ScrollToCaret(editor, -1);
    UpdateLinePosition();
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

void THTMLEMainForm::Edit1Click(TObject* /*Sender*/) {
    bool help = Screen->Cursor() == crHelp;
    bool inTag = TagBoundsAtCaret();
    SelectTag2->SetEnabled(inTag || help);
    TRichEdit* editor = GetMemo(-1);
    bool pageOpen = AnyDocumentOpen() && editor;
    if (pageOpen || help) {
        for (TMenuItem* item :
             {GoTo1, SelectAll2, Extendhighlight1, ColourTags1, TagCase1, RemoveIndents1, Indent1,
              Unindent1, SetBookmark1, Find1, Replace1, WordWrap1})
            item->SetEnabled(true);
        bool selected = pageOpen && editor->SelLength() > 0;
        GoToBookmark1->SetEnabled(help || (pageOpen && Bookmarks[ActivePageIndex()] != -1));
        Cut1->SetEnabled(selected || help);
        Copy1->SetEnabled(selected || help);
        Paste1->SetEnabled(ClipboardHoldsText() || help);
        WordWrap1->SetChecked(pageOpen && editor->WordWrap());
    } else {
        for (TMenuItem* item : {Undo1, SetBookmark1, GoToBookmark1, Cut1, Copy1, Paste1, Find1,
                                Replace1, WordWrap1, Indent1, Unindent1, SelectTag2, SelectAll2,
                                GoTo1, ColourTags1, Extendhighlight1, TagCase1, RemoveIndents1})
            item->SetEnabled(false);
        BookmarkButton->SetEnabled(false);
    }
    Undo1->SetEnabled((editor && editor->Perform(EM_CANUNDO, 0, 0) != 0) || help);
}

// The editor font cannot change while a report shows in the pages' place, so the item is offered
// only when none does.
void THTMLEMainForm::PreferencesClick(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    WordWrap1->SetChecked(editor && editor->WordWrap());
    Editor1->SetEnabled(!ShowsViewOverPages());
}

void THTMLEMainForm::MainPopupMenuPopup(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    bool selected = editor && editor->SelLength() != 0;
    Cut2->SetEnabled(selected);
    Copy4->SetEnabled(selected);
    Paste2->SetEnabled(ClipboardHoldsText());
    Undo2->SetEnabled(editor && editor->Perform(EM_CANUNDO, 0, 0) != 0);
}
