#include "tags/TagInsertion.h"

#include "editor/TagColouring.h"
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

// Repeat Last Tag follows Remove Text Formatting in the Edit menu and in the pages' pop-up menu.
void TTagInsertion::Build() {
    BuildHiddenShortcuts();
    RepeatLastTag1 = InsertItem(&Form, Form.Edit1,
                                Form.Edit1->IndexOf(Form.TagColouring->RemoveTextFormatting2) + 1,
                                "RepeatLastTag1", "Repeat &Last Tag");
    RepeatLastTag1->SetShortCut(ShortCut(VK_OEM_5, TShiftState{ssCtrl, ssAlt}));
    TMenuItem* popup = Form.MainPopupMenu->Items();
    RepeatLastTag2 =
        InsertItem(&Form, popup, popup->IndexOf(Form.TagColouring->RemoveTextFormatting1) + 1,
                   "RepeatLastTag2", "&Repeat Last Tag");
}

void TTagInsertion::Bind() {
    BindHiddenShortcuts();
    RepeatLastTag1->OnClick = Handler(this, &TTagInsertion::RepeatLastTag1Click);
    RepeatLastTag2->OnClick = Handler(this, &TTagInsertion::RepeatLastTag1Click);
}

// The window's creation gives the non-breaking space its key.
void TTagInsertion::ReadSettings() {
    nbsp1->SetShortCut(ShortCut(VK_SPACE, ssCtrl));
}

// Repeat Last Tag is offered once there is a tag to repeat, and in help-pointer mode.
void TTagInsertion::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.Edit1)
        RepeatLastTag1->SetEnabled(!LastStartTag.empty() || Form.HelpPointerMode());
    else if (&menu == Form.MainPopupMenu->Items())
        RepeatLastTag2->SetEnabled(!LastStartTag.empty());
}

void TTagInsertion::InsertTag(const String& start, const String& end, int newlineCount) {
    if (Form.ReplaceAngles)
        WrapSelection(AnglesAsReferences(start), AnglesAsReferences(end), newlineCount,
                      Form.LastShiftState);
    else
        WrapSelection(start, end, newlineCount, Form.LastShiftState);
}

void TTagInsertion::InsertWhole(const String& start, const String& end, int newlineCount) {
    WrapSelection(start, end, newlineCount, {});
}

void TTagInsertion::WrapSelection(const String& start, const String& end, int newlineCount,
                                  TShiftState shift) {
    if (!Form.AnyDocumentOpen()) {
        Form.HidePopupLists();
        return;
    }
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor)
        return;
    // One replacement with drawing held back, so that a large page does not flicker.
    bool locked = LockWindowUpdate(Form.Handle());
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
    if (Form.ColouredTags)
        Form.TagColouring->ColourTagRange(selStart, colourLength);
    editor->SetSelLength(1);
    editor->SetSelLength(0);
    if (locked)
        LockWindowUpdate(nullptr);
    if (editor->CanFocus())
        editor->SetFocus();
}

void TTagInsertion::RepeatLastTag1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RepeatLastTag1Click))
        return;
    if (LastStartTag.empty()) {
        MessageBeep(0);
        return;
    }
    InsertTag(LastStartTag, LastEndTag, LastNewlineCount);
}
