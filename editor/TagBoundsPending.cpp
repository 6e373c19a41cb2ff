// The tag around the caret, as the element navigation reads it; kept here only until that
// feature's own file brings it.

#include "editor/CorvaletForm.h"

bool THTMLEMainForm::TagBoundsAtCaret(int* start, int* end, bool* pastName, bool* inComment) {
    bool past = false;
    bool comment = false;
    auto report = [&](bool result) {
        if (pastName)
            *pastName = result && past;
        if (inComment)
            *inComment = result && comment;
        return result;
    };
    TRichEdit* editor = GetMemo(-1);
    if (!PageInUse(-1) || !editor || editor->GetTextLen() == 0)
        return report(false);
    int k = editor->SelStart() - 1;
    for (; k >= 0; --k) {
        char c = editor->CharAt(k);
        if (c == '<' || (c == '>' && k > 0))
            break;
        if (c == ' ')
            past = true;
    }
    if (k < 0 || editor->CharAt(k) != '<')
        return report(false);
    comment = editor->CharAt(k + 1) == '!' && editor->CharAt(k + 2) == '-';
    int length = editor->GetTextLen();
    int close = -1;
    for (int j = k + 1; j < length; ++j) {
        char c = editor->CharAt(j);
        if (c == '<')
            break;
        if (c == '>') {
            close = j + 1;
            break;
        }
    }
    if (start && end) {
        *start = k + 1;
        *end = close;
    }
    return report(true);
}
