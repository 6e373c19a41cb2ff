// Attributes of the tag at the caret: the catalogue's attributes for it offered in a small
// dialog, and the one chosen written just before the tag's '>'.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "editor/EditorKeys.h"
#include "editor/HelpPointer.h"
#include "editor/TagColouring.h"
#include "platform/Events.h"
#include "platform/IniFiles.h"
#include "platform/RichEdit.h"
#include "tags/HTMLAttForm.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

void THTMLEMainForm::BuildTagAttributes() {
    InsertAttribute1 = AddItem(this, Edit1, "InsertAttribute1", "Insert &Attribute");
    Attributes1 = AddItem(this, MainPopupMenu->Items(), "Attributes1", "Attributes...");
}

void THTMLEMainForm::BindTagAttributes() {
    InsertAttribute1->OnClick = Handler(this, &THTMLEMainForm::Attributes1Click);
    Attributes1->OnClick = Handler(this, &THTMLEMainForm::Attributes1Click);
}

void THTMLEMainForm::Attributes1Click(TObject* Sender) {
    if (HandleHelpPointer(HelpContexts::Attributes1Click))
        return;
    // The pop-up menu speaks of the tag that was right-clicked: the caret goes there first, so
    // the attributes offered and the tag written into are that tag's.
    if (Sender == Attributes1 && AnyDocumentOpen())
        ClickEditorAt(GetMemo(-1), EditorKeys->EditorMousePoint.x, EditorKeys->EditorMousePoint.y);
    EditTagAttributes();
}

int THTMLEMainForm::TagAroundCaret(const String& text, int caret, String& tagName) {
    int open = std::min(caret, static_cast<int>(text.size())) - 1;
    while (open > 0 && text[open] != '<' && text[open] != '>')
        --open;
    if (open < 0 || text[open] != '<')
        return -1;
    const size_t close = text.find('>', open + 1);
    if (close == String::npos)
        return -1;
    // A tag written over several lines still has its name before the first line end.
    size_t nameEnd = open + 1;
    while (nameEnd < close && !IsBlank(text[nameEnd]))
        ++nameEnd;
    tagName = text.substr(open + 1, nameEnd - open - 1);
    return static_cast<int>(close);
}

void THTMLEMainForm::EditTagAttributes() {
    if (!AnyDocumentOpen())
        return;
    TRichEdit* editor = GetMemo(-1);
    if (!editor)
        return;
    String tagName;
    const int close = TagAroundCaret(editor->Text(), editor->SelStart(), tagName);
    if (close < 0)
        return;
    TDialogGuard<TAttForm> dialog(AttForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->LowerCaseTag = !tagName.empty() && static_cast<unsigned char>(tagName[0]) >= 'a' &&
                           static_cast<unsigned char>(tagName[0]) <= 127;
    const String section = UpperCase(tagName);
    TStringList nameValues;
    TIniFile(AttributeCatalogueFile()).ReadSectionValues(section, &nameValues);
    nameValues.Sort();
    dialog->ListAttributes(section, nameValues);
    if (dialog->ListBox->Items().Count() == 0)
        return;
    PlaceAttributeDialog(&*dialog, editor);
    const int firstVisible = FirstVisibleLine(editor);
    if (dialog.ShowModal() == mrOk && !dialog->AttributeText.empty())
        WriteAttribute(editor, close, dialog->AttributeText, firstVisible);
}

void THTMLEMainForm::PlaceAttributeDialog(TForm* dialog, TRichEdit* editor) const {
    const TPoint corner = editor->ClientToScreen(EditorKeys->EditorMousePoint);
    dialog->SetLeft(corner.x);
    dialog->SetTop(corner.y);
    if (dialog->Top() + dialog->Height() > Screen->Height() - 40)
        dialog->SetTop(Screen->Height() - 40 - dialog->Height());
    if (dialog->Left() + dialog->Width() > Screen->Width())
        dialog->SetLeft(Screen->Width() - dialog->Width());
}

void THTMLEMainForm::WriteAttribute(TRichEdit* editor, int closePosition, const String& attribute,
                                    int firstVisible) {
    const bool locked = LockWindowUpdate(editor->Handle());
    editor->SetSelStart(closePosition);
    if (ColouredTags)
        TTagColouring::SetTypingAttributes(editor, ParamColour, ParamStyle);
    editor->SetSelText(" " + attribute);
    ScrollToLine(editor, firstVisible);
    if (locked)
        LockWindowUpdate(nullptr);
}
