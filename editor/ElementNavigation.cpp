// Moving and selecting by the page's tags: the whole element around the caret (Extend
// selection), the tag around the caret, and the caret from tag to tag.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "widgets/QmToolbars.h"

namespace {

// Letters, digits and the punctuation that HTML allows inside a tag name.
bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == ':' || c == '_';
}

// The '<' and name of the tag at index, "/" included for an end tag: it ends at the first
// character that cannot belong to a name, so "<B" never takes "<BR" or "<BODY" for itself.
String TagOpening(std::string_view text, size_t index) {
    size_t end = index + 1;
    if (end < text.size() && text[end] == '/')
        ++end;
    size_t nameStart = end;
    while (end < text.size() && IsNameChar(text[end]))
        ++end;
    return end == nameStart ? String() : String(text.substr(index, end - index));
}

// A start tag found at the 0-based index is one of that name only when no name character follows.
bool EndsName(std::string_view text, size_t index, size_t length) {
    return index + length >= text.size() || !IsNameChar(text[index + length]);
}

// The 1-based position of the first start tag opening at or after from; 0 when none.
int NextStartTag(std::string_view text, int from, const String& opening) {
    for (int p = THTMLEMainForm::FindTextFrom(text, from, opening, false); p > 0;
         p = THTMLEMainForm::FindTextFrom(text, p + 1, opening, false))
        if (EndsName(text, static_cast<size_t>(p - 1), opening.size()))
            return p;
    return 0;
}

// The 1-based position of the last start tag opening wholly before the 1-based limit; 0 when none.
int LastStartTagBefore(std::string_view text, int limit, const String& opening) {
    int length = static_cast<int>(opening.size());
    for (int p = THTMLEMainForm::FindLastTextBefore(text, limit, opening, false); p > 0;
         p = THTMLEMainForm::FindLastTextBefore(text, p + length - 1, opening, false))
        if (EndsName(text, static_cast<size_t>(p - 1), opening.size()))
            return p;
    return 0;
}

// The '<' the element search begins at: the one just before the caret, else the last before
// that character; -1 when there is none.
int OpeningBracket(std::string_view text, int caret) {
    if (caret >= 1 && caret <= static_cast<int>(text.size()) && text[caret - 1] == '<')
        return caret - 1;
    for (int k = std::min(caret, static_cast<int>(text.size())) - 2; k >= 0; --k)
        if (text[k] == '<')
            return k;
    return -1;
}

// Counts the end tags back from the end tag at the 0-based index L until the start tags found
// match them; the 0-based start of the matching start tag, or -1.
int MatchingStartTag(std::string_view text, int L, const String& startText, const String& endText) {
    int starts = 0;
    int ends = 1;
    int limit = L + 1;
    while (starts != ends) {
        int s = LastStartTagBefore(text, limit, startText);
        int e = THTMLEMainForm::FindLastTextBefore(text, limit, endText, false);
        if (s == 0 && e == 0)
            return -1;
        if (s > e) {
            ++starts;
            limit = s;
        } else {
            ++ends;
            limit = e;
        }
    }
    return limit - 1;
}

// Counts the start tags on from the start tag at the 0-based index L until the end tags found
// match them; the 0-based index just past the matching end tag, or -1.
int MatchingEndTag(std::string_view text, int L, const String& startText, const String& endText) {
    int starts = 1;
    int ends = 0;
    int from = L + static_cast<int>(startText.size()) + 1;
    while (starts != ends) {
        int s = NextStartTag(text, from, startText);
        int e = THTMLEMainForm::FindTextFrom(text, from, endText, false);
        if (s == 0 && e == 0)
            return -1;
        if (s > 0 && (e == 0 || s < e)) {
            ++starts;
            from = s + static_cast<int>(startText.size());
        } else {
            ++ends;
            from = e + static_cast<int>(endText.size());
        }
    }
    return from - 1;
}

} // namespace

void THTMLEMainForm::BindElementNavigation() {
    Extendhighlight1->OnClick = Handler(this, &THTMLEMainForm::ExtendButtonClick);
    ExtendButton->OnClick = Handler(this, &THTMLEMainForm::ExtendButtonClick);
    SelectTag2->OnClick = Handler(this, &THTMLEMainForm::SelectTag1Click);
}

bool THTMLEMainForm::FindMatchingTag(TRichEdit* editor, int& start, int& length,
                                     bool showMessages) {
    std::string_view text = editor->TextView();
    int L = OpeningBracket(text, editor->SelStart());
    if (L < 0)
        return false;
    editor->SetSelStart(L);
    bool inEndTag = false;
    if (MatchingElement(editor->TextView(), L, start, length, &inEndTag))
        return true;
    if (showMessages)
        ShowMessage(inEndTag ? "Can't find matching start tag" : "Can't find matching end tag");
    return false;
}

bool THTMLEMainForm::MatchingElement(std::string_view text, int L, int& start, int& length,
                                     bool* inEndTag) {
    String name = TagOpening(text, static_cast<size_t>(L));
    bool endTag = name.size() > 1 && name[1] == '/';
    if (inEndTag)
        *inEndTag = endTag;
    if (endTag) {
        String endText = name + ">";
        String startText = "<" + name.substr(2);
        int found = name.size() > 2 ? MatchingStartTag(text, L, startText, endText) : -1;
        if (found < 0)
            return false;
        start = found;
        length = L - start + static_cast<int>(endText.size());
        return true;
    }
    int past = name.empty() ? -1 : MatchingEndTag(text, L, name, "</" + name.substr(1) + ">");
    if (past < 0)
        return false;
    start = L;
    length = past - L + 1;
    return true;
}

void THTMLEMainForm::ExtendButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ExtendButtonClick))
        return;
    TRichEdit* editor = GetMemo(-1);
    if (!editor || !PageInUse(-1))
        return;
    Screen->SetCursor(crHourGlass);
    bool locked = LockWindowUpdate(Handle());
    int start = 0;
    int length = 0;
    if (FindMatchingTag(editor, start, length, true)) {
        editor->SetSelStart(start);
        editor->SetSelLength(length - 1);
        if (editor->CharAt(start + length - 2) != '>')
            editor->SetSelLength(length);
        if (editor->CanFocus())
            editor->SetFocus();
        ScrollToCaret(editor, -1);
    }
    if (locked)
        LockWindowUpdate(nullptr);
    Screen->SetCursor(crDefault);
}

bool THTMLEMainForm::TagBoundsAtCaret(int* start, int* end, bool* pastName, bool* inComment) {
    bool blankPassed = false;
    bool comment = false;
    TRichEdit* editor = GetMemo(-1);
    auto report = [&](bool result) {
        if (pastName)
            *pastName = result && blankPassed;
        if (inComment)
            *inComment = result && comment;
        return result;
    };
    if (!editor || !PageInUse(-1) || editor->GetTextLen() == 0)
        return report(false);
    std::string_view text = editor->TextView();
    int k = std::min(editor->SelStart(), static_cast<int>(text.size())) - 1;
    for (; k >= 0 && text[k] != '<' && text[k] != '>'; --k)
        if (text[k] == ' ')
            blankPassed = true;
    if (k < 0 || text[k] != '<')
        return report(false);
    comment = text.substr(static_cast<size_t>(k) + 1, 2) == "!-";
    size_t bracket = text.find_first_of("<>", static_cast<size_t>(k) + 1);
    if (start && end) {
        *start = k + 1;
        *end = bracket != std::string_view::npos && text[bracket] == '>'
                   ? static_cast<int>(bracket) + 1
                   : -1;
    }
    return report(true);
}

void THTMLEMainForm::SelectTag1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::SelectTag1Click))
        return;
    int start = 0;
    int end = 0;
    if (!TagBoundsAtCaret(&start, &end) || end == -1)
        return;
    TRichEdit* editor = GetMemo(-1);
    editor->SetSelStart(start - 1);
    editor->SetSelLength(end - start + 1);
}

void THTMLEMainForm::ScrollToCaret(TRichEdit* /*editor*/, int lines) {
    TRichEdit* active = GetMemo(-1);
    if (!active)
        return;
    if (lines == -1)
        active->Perform(EM_SCROLLCARET, 0, 0);
    else
        active->Perform(EM_LINESCROLL, 0, lines);
}

void THTMLEMainForm::TagRightClick(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    if (!editor || !PageInUse(-1))
        return;
    bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
    std::string_view text = editor->TextView();
    int from = editor->SelStart();
    size_t bracket = text.find('>', static_cast<size_t>(from));
    int p = bracket == std::string_view::npos ? static_cast<int>(text.size())
                                              : static_cast<int>(bracket) + 1;
    if (ctrl) {
        editor->SetSelStart(from);
        editor->SetSelLength(p - from);
    } else {
        editor->SetSelStart(p);
    }
}

void THTMLEMainForm::TagLeft1Click(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    if (!editor || !PageInUse(-1))
        return;
    bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
    std::string_view text = editor->TextView();
    int caret = editor->SelStart();
    size_t bracket =
        caret > 0 ? text.rfind('<', static_cast<size_t>(caret - 1)) : std::string_view::npos;
    int p = bracket == std::string_view::npos ? 0 : static_cast<int>(bracket);
    editor->SetSelStart(p);
    if (ctrl)
        editor->SetSelLength(caret - p);
}
