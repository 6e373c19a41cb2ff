// Tag insertion: the one routine that puts tag buttons', menus' and dialogs' HTML into the active
// page, and Repeat Last Tag, which puts the last insertion in again.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"

namespace {

String AnglesAsReferences(const String& text) {
    String converted;
    converted.reserve(text.size());
    for (char c : text) {
        if (c == '<')
            converted += "&lt;";
        else if (c == '>')
            converted += "&gt;";
        else
            converted += c;
    }
    return converted;
}

// Line breaks go after an insertion unless a line already ends where the selection starts; a
// text of two characters or fewer never gets them.
bool WantsLineBreaks(const TRichEdit& editor, int position) {
    char next = editor.CharAt(position);
    return editor.GetTextLen() > 2 && next != '\r' && next != '\n';
}

} // namespace

void THTMLEMainForm::BuildTagInsertion() {
    RepeatLastTag1 = AddItem(this, Edit1, "RepeatLastTag1", "Repeat &Last Tag");
    RepeatLastTag1->SetShortCut(ShortCut(VK_OEM_5, TShiftState{ssCtrl, ssAlt}));
    RepeatLastTag2 = AddItem(this, MainPopupMenu->Items(), "RepeatLastTag2", "&Repeat Last Tag");
}

void THTMLEMainForm::BindTagInsertion() {
    RepeatLastTag1->OnClick = Handler(this, &THTMLEMainForm::RepeatLastTag1Click);
    RepeatLastTag2->OnClick = Handler(this, &THTMLEMainForm::RepeatLastTag1Click);
}

void THTMLEMainForm::InsertTag(const String& start, const String& end, int newlineCount) {
    if (ReplaceAngles)
        WrapSelection(AnglesAsReferences(start), AnglesAsReferences(end), newlineCount,
                      LastShiftState);
    else
        WrapSelection(start, end, newlineCount, LastShiftState);
}

void THTMLEMainForm::InsertWhole(const String& start, const String& end, int newlineCount) {
    WrapSelection(start, end, newlineCount, {});
}

void THTMLEMainForm::WrapSelection(const String& start, const String& end, int newlineCount,
                                   TShiftState shift) {
    if (!AnyDocumentOpen()) {
        HidePopupLists();
        return;
    }
    TRichEdit* editor = GetMemo(-1);
    if (!editor)
        return;
    // One replacement with drawing held back, so that a large page does not flicker.
    bool locked = LockWindowUpdate(Handle());
    int selStart = editor->SelStart();
    int colourLength = editor->SelLength() + static_cast<int>(start.size() + end.size());
    LastStartTag = start;
    LastEndTag = end;
    LastNewlineCount = newlineCount;
    String replacement = editor->SelText();
    if (!shift.Contains(ssAlt))
        replacement = start + replacement;
    if (!shift.Contains(ssCtrl))
        replacement += end;
    if (newlineCount > 0 && WantsLineBreaks(*editor, selStart))
        for (int i = 0; i < newlineCount; ++i)
            replacement += "\r\n";
    editor->SetSelText(replacement);
    // The caret goes inside the new element, before its end text.
    if (!end.empty() && !shift.Contains(ssCtrl))
        editor->SetSelStart(editor->SelStart() - static_cast<int>(end.size()));
    // The old selection and both texts, whichever of them went in.
    if (ColouredTags)
        ColourTagRange(selStart, colourLength);
    editor->SetSelLength(1);
    editor->SetSelLength(0);
    if (locked)
        LockWindowUpdate(nullptr);
    if (editor->CanFocus())
        editor->SetFocus();
}

void THTMLEMainForm::RepeatLastTag1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::RepeatLastTag1Click))
        return;
    if (LastStartTag.empty()) {
        MessageBeep(0);
        return;
    }
    InsertTag(LastStartTag, LastEndTag, LastNewlineCount);
}
