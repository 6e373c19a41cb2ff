#include "editor/ElementNavigation.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/EditCommands.h"
#include "editor/FindReplace.h"
#include "editor/HTMLLocationForm.h"
#include "editor/TextTransforms.h"
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
    for (int p = TFindReplace::FindTextFrom(text, from, opening, false); p > 0;
         p = TFindReplace::FindTextFrom(text, p + 1, opening, false))
        if (EndsName(text, static_cast<size_t>(p - 1), opening.size()))
            return p;
    return 0;
}

// The 1-based position of the last start tag opening wholly before the 1-based limit; 0 when none.
int LastStartTagBefore(std::string_view text, int limit, const String& opening) {
    int length = static_cast<int>(opening.size());
    for (int p = TFindReplace::FindLastTextBefore(text, limit, opening, false); p > 0;
         p = TFindReplace::FindLastTextBefore(text, p + length - 1, opening, false))
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
        int e = TFindReplace::FindLastTextBefore(text, limit, endText, false);
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
        int e = TFindReplace::FindTextFrom(text, from, endText, false);
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

TElementNavigation::TElementNavigation(THTMLEMainForm& form)
    : TMainFormFeature(form), Bookmarks(THTMLEMainForm::PageCount, -1) {}

void TElementNavigation::Build() {
    BuildEditMenuItems();
    TMenuItem* popup = Form.MainPopupMenu->Items();
    int after = popup->IndexOf(Form.EditCommands->SelectAll1) + 1;
    SelectTag1 = InsertItem(&Form, popup, after, "SelectTag1", "Select &Tag");
    GoToLine1 = InsertItem(&Form, popup, after + 1, "GoToLine1", "&Go To Line...");
    BuildToolbarButtons();
}

void TElementNavigation::BuildEditMenuItems() {
    TMenuItem* edit = Form.Edit1;
    int selection = edit->IndexOf(Form.EditCommands->SelectAll2) + 1;
    Extendhighlight1 = InsertItem(&Form, edit, selection, "Extendhighlight1", "&Extend selection");
    Extendhighlight1->SetShortCut(ShortCut('Y', ssCtrl));
    SelectTag2 = InsertItem(&Form, edit, selection + 1, "SelectTag2", "Se&lect Tag");
    SelectTag2->SetShortCut(ShortCut('L', ssCtrl));
    GoTo1 = InsertItem(&Form, edit, edit->IndexOf(Form.TextTransforms->Indent1), "GoTo1",
                       "G&o To Line...");
    int bookmark = edit->IndexOf(Form.TextTransforms->Unindent1) + 1;
    SetBookmark1 = InsertItem(&Form, edit, bookmark, "SetBookmark1", "Set &Bookmark");
    SetBookmark1->SetShortCut(ShortCut('K', ssCtrl));
    SetBookmark1->SetHint("Set a bookmark");
    GoToBookmark1 = InsertItem(&Form, edit, bookmark + 1, "GoToBookmark1", "Go &To Bookmark");
    GoToBookmark1->SetShortCut(ShortCut('Q', ssCtrl));
    GoToBookmark1->SetHint("Move the cursor to the bookmark");
}

void TElementNavigation::BuildToolbarButtons() {
    TQmToolbar* toolbar = Form.EditToolbar;
    BookmarkButton = Form.InsertToolbarButton(toolbar, Form.EditCommands->PasteButton,
                                              "BookmarkButton", "Set Bookmark");
    GotoButton = Form.InsertToolbarButton(toolbar, BookmarkButton, "GotoButton", "Go To Bookmark");
    ExtendButton =
        Form.InsertToolbarButton(toolbar, GotoButton, "ExtendButton", "Extend selection");
}

void TElementNavigation::Bind() {
    auto bind = [this](void (TElementNavigation::*handler)(TObject*),
                       std::initializer_list<TMenuItem*> items, TQmToolbarButton* button) {
        for (TMenuItem* item : items)
            item->OnClick = Handler(this, handler);
        if (button)
            button->OnClick = Handler(this, handler);
    };
    bind(&TElementNavigation::ExtendButtonClick, {Extendhighlight1}, ExtendButton);
    bind(&TElementNavigation::SelectTag1Click, {SelectTag2, SelectTag1}, nullptr);
    bind(&TElementNavigation::BookmarkButtonClick, {SetBookmark1}, BookmarkButton);
    bind(&TElementNavigation::GotoButtonClick, {GoToBookmark1}, GotoButton);
    bind(&TElementNavigation::GoTo1Click, {GoTo1, GoToLine1}, nullptr);
    OfferSelectTagOnPress();
}

// The press comes before the shortcut menu that it may open.
void TElementNavigation::OfferSelectTagOnPress() {
    for (TRichEdit* editor : Form.Memos) {
        TMouseEvent own = editor->OnMouseDown;
        editor->OnMouseDown = [this, own](TObject* Sender, TMouseButton Button, TShiftState Shift,
                                          int X, int Y) {
            if (own)
                own(Sender, Button, Shift, X, Y);
            SelectTag1->SetEnabled(TagBoundsAtCaret());
        };
    }
}

void TElementNavigation::UpdateCommands() {
    bool enabled = Form.DocumentCommandsEnabled();
    for (TMenuItem* item : {SetBookmark1, GoToBookmark1, Extendhighlight1, SelectTag2, GoTo1})
        item->SetEnabled(enabled);
    for (TQmToolbarButton* button : {BookmarkButton, GotoButton, ExtendButton})
        button->SetEnabled(enabled);
}

// Help-pointer mode offers every command, for its help topic; the bookmark must be set before it
// can be gone to, and the tag selected must be there.
void TElementNavigation::MenuOpening(TMenuItem& menu) {
    if (&menu != Form.Edit1)
        return;
    bool help = Form.HelpPointerMode();
    bool pageOpen = Form.EditorPageOpen();
    bool offered = pageOpen || help;
    bool inTag = TagBoundsAtCaret();
    SelectTag2->SetEnabled(offered && (inTag || help));
    for (TMenuItem* item : {GoTo1, Extendhighlight1, SetBookmark1})
        item->SetEnabled(offered);
    GoToBookmark1->SetEnabled(help || (pageOpen && Bookmarks[Form.ActivePageIndex()] != -1));
    if (!offered)
        BookmarkButton->SetEnabled(false);
}

void TElementNavigation::BookmarkButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::BookmarkButtonClick) || !Form.PageInUse(-1))
        return;
    Bookmarks[Form.ActivePageIndex()] = Form.GetMemo(-1)->SelStart();
}

// A page without a bookmark keeps its caret where it is.
void TElementNavigation::GotoButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::GotoButtonClick) || !Form.PageInUse(-1))
        return;
    int bookmark = Bookmarks[Form.ActivePageIndex()];
    if (bookmark < 0)
        return;
    Form.GetMemo(-1)->SetSelStart(bookmark);
    Form.ScrollToCaret(Form.GetMemo(-1), -1);
}

// The caret goes to the start of the line asked for; a number that names no line (0, no digits,
// past the last line) puts it at the end of the text.
void TElementNavigation::GoTo1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::GoTo1Click) || !Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (!dialog || !Form.SetupLocationForm(IntToStr(Form.LineOfPosition(editor, -1) + 1), "",
                                           "Line No.:", false, false))
        return;
    dialog->LocEdit->SelectAll();
    Form.SizeNumberInputDialog();
    if (dialog.ShowModal() != mrOk)
        return;
    int line = TLocationForm::LeadingNumber(dialog->LocEdit->Text());
    int lineStart = line >= 1 ? static_cast<int>(editor->Perform(EM_LINEINDEX, line - 1, 0)) : -1;
    int length = editor->GetTextLen();
    editor->SetSelStart(lineStart >= 0 && lineStart < length ? lineStart : length);
    Form.ScrollToCaret(editor, -1);
    Form.UpdateLinePosition();
}

bool TElementNavigation::FindMatchingTag(TRichEdit* editor, int& start, int& length,
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

bool TElementNavigation::MatchingElement(std::string_view text, int L, int& start, int& length,
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

void TElementNavigation::ExtendButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ExtendButtonClick))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor || !Form.PageInUse(-1))
        return;
    Screen->SetCursor(crHourGlass);
    bool locked = LockWindowUpdate(Form.Handle());
    int start = 0;
    int length = 0;
    if (FindMatchingTag(editor, start, length, true)) {
        editor->SetSelStart(start);
        editor->SetSelLength(length - 1);
        if (editor->CharAt(start + length - 2) != '>')
            editor->SetSelLength(length);
        if (editor->CanFocus())
            editor->SetFocus();
        Form.ScrollToCaret(editor, -1);
    }
    if (locked)
        LockWindowUpdate(nullptr);
    Screen->SetCursor(crDefault);
}

bool TElementNavigation::TagBoundsAtCaret(int* start, int* end, bool* pastName, bool* inComment) {
    bool blankPassed = false;
    bool comment = false;
    TRichEdit* editor = Form.GetMemo(-1);
    auto report = [&](bool result) {
        if (pastName)
            *pastName = result && blankPassed;
        if (inComment)
            *inComment = result && comment;
        return result;
    };
    if (!editor || !Form.PageInUse(-1) || editor->GetTextLen() == 0)
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

void TElementNavigation::SelectTag1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SelectTag1Click))
        return;
    int start = 0;
    int end = 0;
    if (!TagBoundsAtCaret(&start, &end) || end == -1)
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    editor->SetSelStart(start - 1);
    editor->SetSelLength(end - start + 1);
}

void TElementNavigation::TagRightClick(TObject* /*Sender*/) {
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor || !Form.PageInUse(-1))
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

void TElementNavigation::TagLeft1Click(TObject* /*Sender*/) {
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor || !Form.PageInUse(-1))
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
