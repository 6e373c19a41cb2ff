// The commands that rewrite the active page in place: change case, tag case, indents, Perl
// comments, Replace<> and its conversions, blank lines and comments. Each is one undo step and
// replaces only the stretch of text that changes, so the rest keeps its colouring.

#include "editor/TextTransforms.h"

#include "editor/ChangeCaseForm.h"
#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/EditCommands.h"
#include "editor/TagColouring.h"
#include "platform/Events.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

using namespace TextTransforms;

namespace {

// Holds back the window's painting while a command rewrites lines, when no one else does.
class TUpdateLock {
public:
    explicit TUpdateLock(HWND window) : FLocked(LockWindowUpdate(window)) {}
    ~TUpdateLock() {
        if (FLocked)
            LockWindowUpdate(nullptr);
    }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    bool FLocked;
};

} // namespace

void TTextTransforms::Build() {
    BuildEditMenuItems();
    // At the pop-up menu's end: navigation and Check Tags come before them.
    TMenuItem* popup = Form.MainPopupMenu->Items();
    ChangeCase2 = AddItem(&Form, popup, "ChangeCase2", "C&hange Case");
    RemoveLinespaces2 = AddItem(&Form, popup, "RemoveLinespaces2", "R&emove Linespaces");
    RemoveComments2 = AddItem(&Form, popup, "RemoveComments2", "Remove C&omments");
    IndentButton = Form.InsertToolbarButton(Form.EditToolbar, Form.EditCommands->PasteButton,
                                            "IndentButton", "Indent");
    UnindentButton =
        Form.InsertToolbarButton(Form.EditToolbar, IndentButton, "UnindentButton", "Unindent");
}

void TTextTransforms::BuildEditMenuItems() {
    TMenuItem* edit = Form.Edit1;
    int lines = edit->IndexOf(Form.EditCommands->SelectAll2) + 1;
    Indent1 = InsertItem(&Form, edit, lines, "Indent1", "&Indent");
    Unindent1 = InsertItem(&Form, edit, lines + 1, "Unindent1", "U&nindent");
    ChangeCase1 = InsertItem(&Form, edit, Indent1->MenuIndex(), "ChangeCase1", "C&hange Case");
    int after = edit->IndexOf(Unindent1) + 1;
    TagCase1 = InsertItem(&Form, edit, after, "TagCase1", "Tag &Case");
    Uppercase1 = AddItem(&Form, TagCase1, "Uppercase1", "&Uppercase");
    Lowercase1 = AddItem(&Form, TagCase1, "Lowercase1", "&Lowercase");
    RemoveIndents1 = InsertItem(&Form, edit, after + 1, "RemoveIndents1", "Remove In&dents");
    RemoveLinespaces1 =
        InsertItem(&Form, edit, after + 2, "RemoveLinespaces1", "R&emove Linespaces");
    RemoveComments1 = InsertItem(&Form, edit, after + 3, "RemoveComments1", "Remove C&omments");
    ReplaceAngles1 = InsertItem(&Form, edit, after + 4, "ReplaceAngles1", "Replace<>");
}

void TTextTransforms::Bind() {
    ChangeCase1->OnClick = Handler(this, &TTextTransforms::ChangeCase1Click);
    ChangeCase2->OnClick = Handler(this, &TTextTransforms::ChangeCase1Click);
    Uppercase1->OnClick = Handler(this, &TTextTransforms::Uppercase1Click);
    Lowercase1->OnClick = Handler(this, &TTextTransforms::Lowercase1Click);
    Indent1->OnClick = Handler(this, &TTextTransforms::IndentButtonClick);
    IndentButton->OnClick = Handler(this, &TTextTransforms::IndentButtonClick);
    Unindent1->OnClick = Handler(this, &TTextTransforms::UnindentButtonClick);
    UnindentButton->OnClick = Handler(this, &TTextTransforms::UnindentButtonClick);
    RemoveIndents1->OnClick = Handler(this, &TTextTransforms::RemoveIndents1Click);
    ReplaceAngles1->OnClick = Handler(this, &TTextTransforms::ReplaceAngles1Click);
    RemoveLinespaces1->OnClick = Handler(this, &TTextTransforms::RemoveLinespaces1Click);
    RemoveLinespaces2->OnClick = Handler(this, &TTextTransforms::RemoveLinespaces1Click);
    RemoveComments1->OnClick = Handler(this, &TTextTransforms::RemoveComments1Click);
    RemoveComments2->OnClick = Handler(this, &TTextTransforms::RemoveComments1Click);
}

void TTextTransforms::UpdateCommands() {
    bool enabled = Form.DocumentCommandsEnabled();
    for (TMenuItem* item : {Indent1, Unindent1, RemoveComments1})
        item->SetEnabled(enabled);
    for (TQmToolbarButton* button : {IndentButton, UnindentButton})
        button->SetEnabled(enabled);
}

void TTextTransforms::MenuOpening(TMenuItem& menu) {
    if (&menu != Form.Edit1)
        return;
    bool enabled = Form.EditorCommandsOffered();
    for (TMenuItem* item :
         {ChangeCase1, TagCase1, RemoveIndents1, RemoveLinespaces1, Indent1, Unindent1})
        item->SetEnabled(enabled);
}

// ---- Shared steps ----

int TTextTransforms::LineIndex(TRichEdit* editor, int line) {
    return static_cast<int>(editor->Perform(EM_LINEINDEX, line, 0));
}

void TTextTransforms::ReplaceEditorRange(TRichEdit* editor, int start, int end,
                                         const String& text) {
    editor->SetSelStart(start);
    editor->SetSelLength(end - start);
    editor->SetSelText(text);
}

void TTextTransforms::RewriteWholePage(TRichEdit* editor,
                                       const std::function<String(std::string_view)>& rewrite) {
    // The page is disabled until the end: no typing can come between reading and writing.
    // The view is kept by the line on screen, which asks nothing of the wrapping of the rest of
    // a large page.
    editor->SetEnabled(false);
    int selStart = editor->SelStart();
    int selLength = editor->SelLength();
    int firstVisible = Form.FirstVisibleLine(editor);
    const String text = rewrite(editor->TextView());
    std::string_view old = editor->TextView();
    size_t common = std::min(old.size(), text.size());
    size_t head =
        std::mismatch(old.begin(), old.begin() + common, text.begin()).first - old.begin();
    size_t tail = 0;
    while (tail < common - head && old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    bool changed = head != old.size() || old.size() != text.size();
    if (changed)
        ReplaceEditorRange(editor, static_cast<int>(head), static_cast<int>(old.size() - tail),
                           text.substr(head, text.size() - tail - head));
    int length = editor->GetTextLen();
    selStart = std::min(selStart, length);
    editor->SetSelStart(selStart);
    editor->SetSelLength(std::min(selLength, length - selStart));
    Form.ScrollToLine(editor, firstVisible);
    editor->SetEnabled(true);
    editor->Repaint();
    if (changed)
        Form.TagColouring->ColourAllTags(false);
}

void TTextTransforms::ShiftSelectedLines(TRichEdit* editor, int start, int length, bool indent) {
    int first = Form.LineOfPosition(editor, start);
    int last = Form.LineOfPosition(editor, start + length);
    int lineStart = LineIndex(editor, first);
    int next = LineIndex(editor, last + 1);
    int textLength = editor->GetTextLen();
    int lineEnd = next < 0 ? textLength : next - 2;
    std::string_view text = editor->TextView();
    // A selection that takes the text's final line end takes no line after it.
    if (next < 0 && lineEnd - lineStart >= 2 && text.substr(lineEnd - 2, 2) == "\r\n")
        lineEnd -= 2;
    String lines(text.substr(lineStart, lineEnd - lineStart));
    int count = 0;
    String shifted = indent ? IndentLines(lines, count) : UnindentLines(lines, count);
    ReplaceEditorRange(editor, lineStart, std::min(lineEnd + 2, textLength), shifted);
    editor->SetSelStart(lineStart);
    editor->SetSelLength(lineEnd - lineStart + (indent ? count : -count));
}

// ---- Change case and tag case ----

void TTextTransforms::ChangeCase1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ChangeCase1Click) || !Form.PageInUse(-1))
        return;
    TDialogGuard<TChangeCaseForm> dialog(ChangeCaseForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        dialog->UCButton->SetChecked(true);
    else if (dialog.ShowModal() != mrOk)
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (editor->SelLength() > 0)
        editor->SetSelText(ChangeCase(editor->SelText(), dialog->Mode()));
    editor->Repaint();
}

void TTextTransforms::Uppercase1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Uppercase1Click))
        return;
    ChangeTagCase("Upper");
}

void TTextTransforms::Lowercase1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Lowercase1Click))
        return;
    ChangeTagCase("Lower");
}

void TTextTransforms::ChangeTagCase(const String& mode) {
    if (!Form.PageInUse(-1))
        return;
    TScreenCursorScope hourglass(crHourGlass);
    TUpdateLock lock(Form.Handle());
    bool upper = mode == "Upper";
    RewriteWholePage(Form.GetMemo(-1), [upper](std::string_view text) {
        return TextTransforms::ChangeTagCase(text, upper);
    });
}

// ---- Indents ----

void TTextTransforms::IndentButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::IndentButtonClick) || !Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    TUpdateLock lock(Form.Handle());
    int start = editor->SelStart();
    int length = editor->SelLength();
    if (length == 0) {
        // In place: the rest of the page keeps its colouring, history and scroll position.
        editor->SetSelText("\t");
        return;
    }
    std::string_view text = editor->TextView();
    while (length > 0 && (text[start + length - 1] == '\r' || text[start + length - 1] == '\n'))
        --length;
    ShiftSelectedLines(editor, start, length, true);
}

void TTextTransforms::UnindentButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::UnindentButtonClick) || !Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    TUpdateLock lock(Form.Handle());
    int caret = editor->SelStart();
    if (editor->SelLength() > 0) {
        ShiftSelectedLines(editor, caret, editor->SelLength(), false);
        return;
    }
    int p = caret >= 2 && editor->CharAt(caret - 2) == '\t' ? caret - 1 : caret;
    if (p < 1 || editor->CharAt(p - 1) != '\t')
        return;
    ReplaceEditorRange(editor, p - 1, p, "");
    editor->SetSelStart(caret - 1);
}

void TTextTransforms::RemoveIndents1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RemoveIndents1Click) || !Form.PageInUse(-1))
        return;
    RewriteWholePage(Form.GetMemo(-1), TextTransforms::RemoveIndents);
}

// ---- Perl comments ----

void TTextTransforms::PerlCommentButtonClick(TObject* /*Sender*/) {
    if (!Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    int first = Form.LineOfPosition(editor, editor->SelStart());
    int last = Form.LineOfPosition(editor, editor->SelStart() + editor->SelLength());
    if (last <= first)
        return;
    int start = LineIndex(editor, first);
    int end = LineIndex(editor, last);
    String lines = CommentLines(editor->TextView().substr(start, end - start));
    ReplaceEditorRange(editor, start, end, lines);
    editor->SetSelStart(start);
    editor->SetSelLength(static_cast<int>(lines.size()));
}

void TTextTransforms::PerlNoCommentButtonClick(TObject* /*Sender*/) {
    if (!Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    int textLength = editor->GetTextLen();
    int start = LineIndex(editor, Form.LineOfPosition(editor, editor->SelStart()));
    int after = editor->SelStart() + editor->SelLength() + 1;
    int end =
        after > textLength ? textLength : LineIndex(editor, Form.LineOfPosition(editor, after));
    if (end <= start)
        return;
    std::string_view lines = editor->TextView().substr(start, end - start);
    String uncommented = UncommentLines(lines);
    if (uncommented == lines)
        return;
    ReplaceEditorRange(editor, start, end, uncommented);
    editor->SetSelStart(start);
    editor->SetSelLength(static_cast<int>(uncommented.size()));
}

// ---- Replace<> ----

void TTextTransforms::ToggleReplaceAngles() {
    Form.ReplaceAngles = !Form.ReplaceAngles;
    ReplaceAngles1->SetCaption(Form.ReplaceAngles ? "Use <>" : "Replace <>");
}

void TTextTransforms::ReplaceAngles1Click(TObject* /*Sender*/) {
    ToggleReplaceAngles();
}

void TTextTransforms::ConvertAnglesInSelection(int k) {
    if (!Form.PageInUse(-1) || k < 0 || k > 3)
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    // The scratch editor keeps the last text converted.
    Form.TempMemo->SetWordWrap(false);
    Form.TempMemo->SetText(editor->SelText());
    std::string_view text = Form.TempMemo->TextView();
    editor->SetSelText(k <= 1 ? AnglesToCodes(text, k == 1) : CodesToAngles(text, k == 3));
}

// ---- Blank lines and comments ----

void TTextTransforms::RemoveLinespaces1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RemoveLinespaces1Click) || !Form.PageInUse(-1))
        return;
    RewriteWholePage(Form.GetMemo(-1), TextTransforms::RemoveBlankLines);
}

void TTextTransforms::RemoveComments1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RemoveComments1Click) || !Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (editor->TextView().find("<!--") == std::string_view::npos) {
        MessageBox(Form.Handle(), "No comments found", Application->Title(), MB_OK);
        return;
    }
    TScreenCursorScope hourglass(crHourGlass);
    RewriteWholePage(editor, TextTransforms::RemoveComments);
}
