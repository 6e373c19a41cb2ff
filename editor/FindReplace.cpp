#include "editor/FindReplace.h"

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplaceForm.h"
#include "editor/TextTransforms.h"

#include "platform/Events.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

namespace {

bool SameLetter(char a, char b) {
    return LowCase(a) == LowCase(b);
}

bool IsLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The upward search's whole-word rule: no letter or digit touches the occurrence.
bool StandsAlone(std::string_view text, size_t index, size_t length) {
    bool before = index == 0 || !IsLetterOrDigit(text[index - 1]);
    bool after = index + length >= text.size() || !IsLetterOrDigit(text[index + length]);
    return before && after;
}

// Replace All's word boundaries, the same on both sides: the text's ends, blanks, tabs, line
// breaks and the printable ASCII characters that are neither letters nor digits.
bool IsWordBoundary(std::string_view text, size_t index) {
    if (index >= text.size())
        return true;
    auto c = static_cast<unsigned char>(text[index]);
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' ||
           (c >= 33 && c <= 126 && !IsLetterOrDigit(static_cast<char>(c)));
}

bool IsWholeWord(std::string_view text, size_t index, size_t length) {
    return (index == 0 || IsWordBoundary(text, index - 1)) && IsWordBoundary(text, index + length);
}

// The 0-based index of the first occurrence at or after from, or npos.
size_t FindFrom(std::string_view text, size_t from, std::string_view pattern, bool matchCase) {
    if (pattern.empty() || from > text.size())
        return std::string_view::npos;
    if (matchCase)
        return text.find(pattern, from);
    auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                             pattern.begin(), pattern.end(), SameLetter);
    return found == text.end() ? std::string_view::npos : static_cast<size_t>(found - text.begin());
}

// Every occurrence of find in the text replaced, left to right, the replacements not searched
// again; count receives their number.
String ReplacedEverywhere(std::string_view text, const String& find, const String& replacement,
                          bool matchCase, bool wholeWord, int& count) {
    String output;
    output.reserve(text.size() + text.size() / 8);
    count = 0;
    size_t copied = 0;
    size_t from = 0;
    for (size_t found; (found = FindFrom(text, from, find, matchCase)) != std::string_view::npos;) {
        if (wholeWord && !IsWholeWord(text, found, find.size())) {
            from = found + 1;
            continue;
        }
        output.append(text.substr(copied, found - copied));
        output += replacement;
        copied = from = found + find.size();
        ++count;
    }
    output.append(text.substr(copied));
    return output;
}

String Occurrences(int count) {
    return IntToStr(count) + (count > 1 ? " occurrences" : " occurrence");
}

} // namespace

void TFindReplace::Build() {
    FindDialog1 = NewComponent<TFindDialog>(&Form, "FindDialog1");
    FindDialog1->SetOptions({frDown});
    ReplaceDialog = NewComponent<TReplaceDialog>(&Form, "ReplaceDialog");
    ReplaceDialog->SetOptions({frDown, frFindNext, frHideUpDown, frDisableUpDown});
    TMenuItem* edit = Form.Edit1;
    int after = edit->IndexOf(Form.ElementNavigation->SelectTag2) + 1;
    Find1 = InsertItem(&Form, edit, after, "Find1", "&Find...");
    Find1->SetShortCut(ShortCut('F', ssCtrl));
    Find1->SetHint("Search for a word or phrase");
    Replace1 = InsertItem(&Form, edit, after + 1, "Replace1", "R&eplace...");
    Replace1->SetHint("Replace a word or phrase in current document");
    FindButton = Form.InsertToolbarButton(Form.EditToolbar, Form.ElementNavigation->GotoButton,
                                          "FindButton", "Find");
    ReplaceButton =
        Form.InsertToolbarButton(Form.EditToolbar, FindButton, "ReplaceButton", "Replace");
}

void TFindReplace::Bind() {
    Find1->OnClick = Handler(this, &TFindReplace::Find1Click);
    FindButton->OnClick = Handler(this, &TFindReplace::Find1Click);
    Replace1->OnClick = Handler(this, &TFindReplace::Replace1Click);
    ReplaceButton->OnClick = Handler(this, &TFindReplace::Replace1Click);
    FindDialog1->OnFind = Handler(this, &TFindReplace::FindDialog1Find);
    ReplaceDialog->OnFind = Handler(this, &TFindReplace::ReplaceDialogFind);
    ReplaceDialog->OnReplace = Handler(this, &TFindReplace::ReplaceDialogReplace);
}

void TFindReplace::UpdateCommands() {
    bool enabled = Form.DocumentCommandsEnabled();
    for (TMenuItem* item : {Find1, Replace1})
        item->SetEnabled(enabled);
    for (TQmToolbarButton* button : {FindButton, ReplaceButton})
        button->SetEnabled(enabled);
}

void TFindReplace::MenuOpening(TMenuItem& menu) {
    if (&menu != Form.Edit1)
        return;
    bool offered = Form.EditorCommandsOffered();
    for (TMenuItem* item : {Find1, Replace1})
        item->SetEnabled(offered);
}

int TFindReplace::FindTextFrom(std::string_view text, int from, std::string_view pattern,
                               bool matchCase) {
    size_t found = FindFrom(text, static_cast<size_t>(std::max(from, 1) - 1), pattern, matchCase);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int TFindReplace::FindLastTextBefore(std::string_view text, int before, std::string_view pattern,
                                     bool matchCase) {
    if (pattern.empty() || before < 1)
        return 0;
    std::string_view head = text.substr(0, static_cast<size_t>(before - 1));
    if (matchCase) {
        size_t found = head.rfind(pattern);
        return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
    }
    auto found =
        std::find_end(head.begin(), head.end(), pattern.begin(), pattern.end(), SameLetter);
    return found == head.end() ? 0 : static_cast<int>(found - head.begin()) + 1;
}

void TFindReplace::Find1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Find1Click))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (editor && Form.PageInUse(-1) && editor->SelLength() > 0) {
        FindDialog1->SetFindText(editor->SelText());
        editor->SetSelStart(editor->SelStart() + 1);
    }
    FindDialog1->Execute();
}

void TFindReplace::Replace1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Replace1Click))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (editor && Form.PageInUse(-1) && editor->SelLength() > 0)
        ReplaceDialog->SetFindText(editor->SelText());
    GlobalReplaceMode = false;
    ReplaceDialog->Execute();
}

void TFindReplace::FindDialog1Find(TObject* /*Sender*/) {
    SearchRestarted = false;
    SearchStopped = false;
    SearchText(FindDialog1->Options(), FindDialog1->FindText());
    if (SearchStopped)
        FindDialog1->CloseDialog();
}

// A selection is the match found last: the search goes on one past its start, so the next
// match may follow it directly; without one it starts at the caret, so the page's first
// characters are searched too.
int TFindReplace::NextSearchStart(TRichEdit* editor) {
    int start = editor->SelStart();
    bool selected = editor->SelLength() > 0;
    editor->SetSelStart(start);
    return selected ? start + 1 : start;
}

void TFindReplace::ShowFound(TRichEdit* editor, int position, int length) {
    editor->SetSelStart(position);
    Form.ScrollToCaret(editor, -1);
    editor->SetSelLength(length);
    if (editor->CanFocus())
        editor->SetFocus();
}

void TFindReplace::SearchText(TFindOptions options, const String& pattern) {
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor || !Form.PageInUse(-1))
        return;
    bool down = options.Contains(frDown);
    bool matchCase = options.Contains(frMatchCase);
    int found = -1;
    if (down) {
        TSearchTypes types;
        if (options.Contains(frWholeWord))
            types << stWholeWord;
        if (matchCase)
            types << stMatchCase;
        found = editor->FindText(pattern, NextSearchStart(editor), -1, types);
    } else {
        // Every occurrence that ends at the caret or before it, the nearest first; past one that
        // is not a whole word, the next candidate is any that starts before it, so one right
        // next to it is not missed.
        int caret = editor->SelStart();
        editor->SetSelStart(caret);
        std::string_view text = editor->TextView();
        int length = static_cast<int>(pattern.size());
        int k = FindLastTextBefore(text, caret + 1, pattern, matchCase);
        while (k > 0 && options.Contains(frWholeWord) &&
               !StandsAlone(text, static_cast<size_t>(k - 1), pattern.size()))
            k = FindLastTextBefore(text, k + length - 1, pattern, matchCase);
        found = k - 1;
    }
    if (found >= 0 && found < editor->GetTextLen()) {
        ShowFound(editor, found, static_cast<int>(pattern.size()));
        return;
    }
    String message = "Cannot find \"" + pattern + "\".";
    if (SearchRestarted) {
        ShowMessage(message);
        SearchStopped = true;
        return;
    }
    message += down ? "\n\rRestart from top?" : "\n\rRestart from bottom?";
    if (MessageBox(Form.Handle(), message, "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        SearchStopped = true;
        return;
    }
    editor->SetSelStart(down ? 0 : editor->GetTextLen());
    SearchRestarted = true;
    SearchText(options, pattern);
}

void TFindReplace::ReplaceDialogFind(TObject* /*Sender*/) {
    TRichEdit* editor = GlobalReplaceMode ? Form.TempMemo : Form.GetMemo(-1);
    if (!editor || (!GlobalReplaceMode && !Form.PageInUse(-1)))
        return;
    const String& pattern = ReplaceDialog->FindText();
    TSearchTypes types;
    if (ReplaceDialog->Options().Contains(frWholeWord))
        types << stWholeWord;
    if (ReplaceDialog->Options().Contains(frMatchCase))
        types << stMatchCase;
    int found = editor->FindText(pattern, NextSearchStart(editor), -1, types);
    SearchStopped = false;
    if (found >= 0) {
        if (GlobalReplaceMode) {
            editor->SetSelStart(found);
            editor->SetSelLength(static_cast<int>(pattern.size()));
        } else {
            ShowFound(editor, found, static_cast<int>(pattern.size()));
        }
        return;
    }
    if (GlobalReplaceMode)
        return;
    if (MessageBox(Form.Handle(), "Cannot find \"" + pattern + "\".\n\rRestart from top?",
                   "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        SearchStopped = true;
        return;
    }
    editor->SetSelStart(0);
    if (editor->CanFocus())
        editor->SetFocus();
    Form.ScrollToCaret(editor, -1);
    SearchRestarted = true;
    SearchText(ReplaceDialog->Options(), pattern);
}

void TFindReplace::ReplaceDialogReplace(TObject* /*Sender*/) {
    SearchRestarted = false;
    bool all = ReplaceDialog->Options().Contains(frReplaceAll);
    if (GlobalReplaceMode && all) {
        ReplaceDialog->CloseDialog();
        ReplaceInSelectedFiles();
        return;
    }
    if (GlobalReplaceMode) {
        MessageBox(Form.Handle(), "You must use REPLACE ALL with global replace", "Global Replace",
                   MB_OK | MB_ICONERROR);
        return;
    }
    if (all) {
        ReplaceAllInDocument();
        return;
    }
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor || !Form.PageInUse(-1))
        return;
    const String& pattern = ReplaceDialog->FindText();
    String selected = editor->SelText();
    bool matchCase = ReplaceDialog->Options().Contains(frMatchCase);
    bool same = selected == pattern ||
                (!matchCase && selected.size() == pattern.size() &&
                 std::equal(selected.begin(), selected.end(), pattern.begin(), SameLetter));
    if (same && !pattern.empty()) {
        editor->SetSelText(ReplaceDialog->ReplaceText());
        Form.ScrollToCaret(editor, -1);
    }
    ReplaceDialogFind(ReplaceDialog);
}

// One undo step, so Undo gives the page back and the edits before it stay undoable.
void TFindReplace::ReplaceAllInDocument() {
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor)
        return;
    const String& find = ReplaceDialog->FindText();
    int count = 0;
    Form.TextTransforms->RewriteWholePage(editor, [&](std::string_view text) {
        return ReplacedEverywhere(text, find, ReplaceDialog->ReplaceText(),
                                  ReplaceDialog->Options().Contains(frMatchCase),
                                  ReplaceDialog->Options().Contains(frWholeWord), count);
    });
    // The rewrite keeps the selection; after Replace All the caret stands alone at its start.
    editor->SetSelLength(0);
    ShowMessage(count > 0 ? "Quiltmarker has replaced " + Occurrences(count) + " of '" + find + "'"
                          : "Cannot find any occurrences of '" + find + "'");
    ReplaceDialog->CloseDialog();
    if (editor->CanFocus())
        editor->SetFocus();
}

void TFindReplace::ReplaceInSelectedFiles() {
    for (const auto& feature : Form.Features())
        if (feature->RunGlobalReplace(ReplaceDialog->FindText(), ReplaceDialog->ReplaceText()))
            return;
}
