// The commands that rewrite the active page in place: change case, tag case, indents, Perl
// comments, Replace<> and its conversions, blank lines and comments. Each is one undo step and
// replaces only the stretch of text that changes, so the rest keeps its colouring.

#include "editor/TextTransforms.h"

#include "editor/ChangeCaseForm.h"
#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
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

void THTMLEMainForm::BuildTextTransforms() {
    ChangeCase1 = InsertItem(this, Edit1, Edit1->IndexOf(Indent1), "ChangeCase1", "C&hange Case");
    Uppercase1 = AddItem(this, TagCase1, "Uppercase1", "&Uppercase");
    Lowercase1 = AddItem(this, TagCase1, "Lowercase1", "&Lowercase");
    RemoveLinespaces1 = InsertItem(this, Edit1, Edit1->IndexOf(RemoveComments1),
                                   "RemoveLinespaces1", "R&emove Linespaces");
    TMenuItem* popup = MainPopupMenu->Items();
    ChangeCase2 = AddItem(this, popup, "ChangeCase2", "C&hange Case");
    RemoveLinespaces2 = AddItem(this, popup, "RemoveLinespaces2", "R&emove Linespaces");
    RemoveComments2 = AddItem(this, popup, "RemoveComments2", "Remove C&omments");
    ReplaceAngles1->SetCaption("Replace<>");
    IndentButton->SetHint("Indent");
    UnindentButton->SetHint("Unindent");
}

void THTMLEMainForm::BindTextTransforms() {
    ChangeCase1->OnClick = Handler(this, &THTMLEMainForm::ChangeCase1Click);
    ChangeCase2->OnClick = Handler(this, &THTMLEMainForm::ChangeCase1Click);
    Uppercase1->OnClick = Handler(this, &THTMLEMainForm::Uppercase1Click);
    Lowercase1->OnClick = Handler(this, &THTMLEMainForm::Lowercase1Click);
    Indent1->OnClick = Handler(this, &THTMLEMainForm::IndentButtonClick);
    IndentButton->OnClick = Handler(this, &THTMLEMainForm::IndentButtonClick);
    Unindent1->OnClick = Handler(this, &THTMLEMainForm::UnindentButtonClick);
    UnindentButton->OnClick = Handler(this, &THTMLEMainForm::UnindentButtonClick);
    RemoveIndents1->OnClick = Handler(this, &THTMLEMainForm::RemoveIndents1Click);
    ReplaceAngles1->OnClick = Handler(this, &THTMLEMainForm::ReplaceAngles1Click);
    RemoveLinespaces1->OnClick = Handler(this, &THTMLEMainForm::RemoveLinespaces1Click);
    RemoveLinespaces2->OnClick = Handler(this, &THTMLEMainForm::RemoveLinespaces1Click);
    RemoveComments1->OnClick = Handler(this, &THTMLEMainForm::RemoveComments1Click);
    RemoveComments2->OnClick = Handler(this, &THTMLEMainForm::RemoveComments1Click);
}

// ---- Shared steps ----

int THTMLEMainForm::LineIndex(TRichEdit* editor, int line) {
    return static_cast<int>(editor->Perform(EM_LINEINDEX, line, 0));
}

void THTMLEMainForm::ReplaceEditorRange(TRichEdit* editor, int start, int end, const String& text) {
    editor->SetSelStart(start);
    editor->SetSelLength(end - start);
    editor->SetSelText(text);
}

void THTMLEMainForm::RewriteWholePage(TRichEdit* editor,
                                      const std::function<String(std::string_view)>& rewrite) {
    // The page is disabled until the end: no typing can come between reading and writing.
    // The view is kept by the line on screen, which asks nothing of the wrapping of the rest of
    // a large page.
    editor->SetEnabled(false);
    int selStart = editor->SelStart();
    int selLength = editor->SelLength();
    int firstVisible = FirstVisibleLine(editor);
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
    ScrollToLine(editor, firstVisible);
    editor->SetEnabled(true);
    editor->Repaint();
    if (changed)
        ColourAllTags(false);
}

void THTMLEMainForm::ShiftSelectedLines(TRichEdit* editor, int start, int length, bool indent) {
    int first = LineOfPosition(editor, start);
    int last = LineOfPosition(editor, start + length);
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

void THTMLEMainForm::ChangeCase1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ChangeCase1Click) || !PageInUse(-1))
        return;
    TDialogGuard<TChangeCaseForm> dialog(ChangeCaseForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        dialog->UCButton->SetChecked(true);
    else if (dialog.ShowModal() != mrOk)
        return;
    TRichEdit* editor = GetMemo(-1);
    if (editor->SelLength() > 0)
        editor->SetSelText(ChangeCase(editor->SelText(), dialog->Mode()));
    editor->Repaint();
}

void THTMLEMainForm::Uppercase1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Uppercase1Click))
        return;
    ChangeTagCase("Upper");
}

void THTMLEMainForm::Lowercase1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Lowercase1Click))
        return;
    ChangeTagCase("Lower");
}

void THTMLEMainForm::ChangeTagCase(const String& mode) {
    if (!PageInUse(-1))
        return;
    TScreenCursorScope hourglass(crHourGlass);
    TUpdateLock lock(Handle());
    bool upper = mode == "Upper";
    RewriteWholePage(GetMemo(-1), [upper](std::string_view text) {
        return TextTransforms::ChangeTagCase(text, upper);
    });
}

// ---- Indents ----

void THTMLEMainForm::IndentButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::IndentButtonClick) || !PageInUse(-1))
        return;
    TRichEdit* editor = GetMemo(-1);
    TUpdateLock lock(Handle());
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

void THTMLEMainForm::UnindentButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::UnindentButtonClick) || !PageInUse(-1))
        return;
    TRichEdit* editor = GetMemo(-1);
    TUpdateLock lock(Handle());
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

void THTMLEMainForm::RemoveIndents1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::RemoveIndents1Click) || !PageInUse(-1))
        return;
    RewriteWholePage(GetMemo(-1), TextTransforms::RemoveIndents);
}

// ---- Perl comments ----

void THTMLEMainForm::PerlCommentButtonClick(TObject* /*Sender*/) {
    if (!PageInUse(-1))
        return;
    TRichEdit* editor = GetMemo(-1);
    int first = LineOfPosition(editor, editor->SelStart());
    int last = LineOfPosition(editor, editor->SelStart() + editor->SelLength());
    if (last <= first)
        return;
    int start = LineIndex(editor, first);
    int end = LineIndex(editor, last);
    String lines = CommentLines(editor->TextView().substr(start, end - start));
    ReplaceEditorRange(editor, start, end, lines);
    editor->SetSelStart(start);
    editor->SetSelLength(static_cast<int>(lines.size()));
}

void THTMLEMainForm::PerlNoCommentButtonClick(TObject* /*Sender*/) {
    if (!PageInUse(-1))
        return;
    TRichEdit* editor = GetMemo(-1);
    int textLength = editor->GetTextLen();
    int start = LineIndex(editor, LineOfPosition(editor, editor->SelStart()));
    int after = editor->SelStart() + editor->SelLength() + 1;
    int end = after > textLength ? textLength : LineIndex(editor, LineOfPosition(editor, after));
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

void THTMLEMainForm::ToggleReplaceAngles() {
    ReplaceAngles = !ReplaceAngles;
    ReplaceAngles1->SetCaption(ReplaceAngles ? "Use <>" : "Replace <>");
}

void THTMLEMainForm::ReplaceAngles1Click(TObject* /*Sender*/) {
    ToggleReplaceAngles();
}

void THTMLEMainForm::ConvertAnglesInSelection(int k) {
    if (!PageInUse(-1) || k < 0 || k > 3)
        return;
    TRichEdit* editor = GetMemo(-1);
    // The scratch editor keeps the last text converted.
    TempMemo->SetWordWrap(false);
    TempMemo->SetText(editor->SelText());
    std::string_view text = TempMemo->TextView();
    editor->SetSelText(k <= 1 ? AnglesToCodes(text, k == 1) : CodesToAngles(text, k == 3));
}

// ---- Blank lines and comments ----

void THTMLEMainForm::RemoveLinespaces1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::RemoveLinespaces1Click) || !PageInUse(-1))
        return;
    RewriteWholePage(GetMemo(-1), TextTransforms::RemoveBlankLines);
}

void THTMLEMainForm::RemoveComments1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::RemoveComments1Click) || !PageInUse(-1))
        return;
    TRichEdit* editor = GetMemo(-1);
    if (editor->TextView().find("<!--") == std::string_view::npos) {
        MessageBox(Handle(), "No comments found", Application->Title(), MB_OK);
        return;
    }
    TScreenCursorScope hourglass(crHourGlass);
    RewriteWholePage(editor, TextTransforms::RemoveComments);
}
