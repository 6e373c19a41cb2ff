#include "tags/TagAttributes.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/EditorKeys.h"
#include "editor/HelpPointer.h"
#include "editor/TagColouring.h"
#include "platform/Events.h"
#include "platform/IniFiles.h"
#include "platform/RichEdit.h"
#include "site/DownloadEstimate.h"
#include "tags/DroppedFiles.h"
#include "tags/HTMLAttForm.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

// The Edit menu's item comes last; the pop-up menu's goes before the download estimate's.
void TTagAttributes::Build() {
    InsertAttribute1 = AddItem(&Form, Form.Edit1, "InsertAttribute1", "Insert &Attribute");
    TMenuItem* popup = Form.MainPopupMenu->Items();
    Attributes1 =
        InsertItem(&Form, popup, popup->IndexOf(Form.DownloadEstimate->CheckDownloadSpeed1),
                   "Attributes1", "Attributes...");
}

void TTagAttributes::Bind() {
    InsertAttribute1->OnClick = Handler(this, &TTagAttributes::Attributes1Click);
    Attributes1->OnClick = Handler(this, &TTagAttributes::Attributes1Click);
}

void TTagAttributes::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.Edit1)
        InsertAttribute1->SetEnabled(!Form.TagNameOutsideComment().empty());
    else if (&menu == Form.MainPopupMenu->Items())
        NameTagInPopupItem();
}

// An end tag has no attributes to add.
void TTagAttributes::NameTagInPopupItem() {
    const String name = UpperCase(Form.TagNameOutsideComment());
    if (name.empty()) {
        Attributes1->SetCaption("Attrib&utes...");
        Attributes1->SetEnabled(false);
    } else if (name[0] == '/') {
        Attributes1->SetCaption("Attributes...");
        Attributes1->SetEnabled(false);
    } else {
        Attributes1->SetCaption("Attrib&utes for <" + name + ">...");
        Attributes1->SetEnabled(true);
    }
}

void TTagAttributes::Attributes1Click(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::Attributes1Click))
        return;
    // The pop-up menu speaks of the tag that was right-clicked: the caret goes there first, so
    // the attributes offered and the tag written into are that tag's.
    if (Sender == Attributes1 && Form.AnyDocumentOpen())
        Form.DroppedFiles->ClickEditorAt(Form.GetMemo(-1), Form.EditorKeys->EditorMousePoint.x,
                                         Form.EditorKeys->EditorMousePoint.y);
    EditTagAttributes();
}

int TTagAttributes::TagAroundCaret(const String& text, int caret, String& tagName) {
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

void TTagAttributes::EditTagAttributes() {
    if (!Form.AnyDocumentOpen())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
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
    const int firstVisible = Form.FirstVisibleLine(editor);
    if (dialog.ShowModal() == mrOk && !dialog->AttributeText.empty())
        WriteAttribute(editor, close, dialog->AttributeText, firstVisible);
}

void TTagAttributes::PlaceAttributeDialog(TForm* dialog, TRichEdit* editor) const {
    const TPoint corner = editor->ClientToScreen(Form.EditorKeys->EditorMousePoint);
    dialog->SetLeft(corner.x);
    dialog->SetTop(corner.y);
    if (dialog->Top() + dialog->Height() > Screen->Height() - 40)
        dialog->SetTop(Screen->Height() - 40 - dialog->Height());
    if (dialog->Left() + dialog->Width() > Screen->Width())
        dialog->SetLeft(Screen->Width() - dialog->Width());
}

void TTagAttributes::WriteAttribute(TRichEdit* editor, int closePosition, const String& attribute,
                                    int firstVisible) {
    const bool locked = LockWindowUpdate(editor->Handle());
    editor->SetSelStart(closePosition);
    if (Form.ColouredTags)
        TTagColouring::SetTypingAttributes(editor, Form.ParamColour, Form.ParamStyle);
    editor->SetSelText(" " + attribute);
    Form.ScrollToLine(editor, firstVisible);
    if (locked)
        LockWindowUpdate(nullptr);
}
