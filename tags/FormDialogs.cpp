#include "tags/FormDialogs.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLFormForm.h"
#include "tags/HTMLSelectForm.h"
#include "tags/HTMLSizeForm.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

using B = TTagButtons;
using F = TFormDialogs;

struct TInputButton {
    TQmToolbarButton* TTagButtons::*Button;
    THelpContext Help;
    TInputKind Kind;
};

const TInputButton InputButtons[] = {
    {&B::TextButton, HelpContexts::TextButton, TInputKind::Text},
    {&B::PasswordButton, HelpContexts::PasswordButton, TInputKind::Password},
    {&B::HiddenButton, HelpContexts::HiddenButton, TInputKind::Hidden},
    {&B::FormFileButton, HelpContexts::FormFileButton, TInputKind::File},
    {&B::FormImageButton, HelpContexts::FormImageButton, TInputKind::Image},
};

struct TPressButton {
    TQmToolbarButton* TTagButtons::*Button;
    THelpContext Help;
    const char* TypeWord;
};

const TPressButton PressButtons[] = {
    {&B::SubmitButton, HelpContexts::SubmitButton, "submit"},
    {&B::ResetButton, HelpContexts::ResetButton, "reset"},
    {&B::ButtonButton, HelpContexts::ButtonButton, "button"},
};

struct TDialogButton {
    TQmToolbarButton* TTagButtons::*Button;
    void (TFormDialogs::*Click)(TObject*);
};

const TDialogButton DialogButtons[] = {
    {&B::FormButton, &F::FormButtonClick},         {&B::TextButton, &F::TextButtonClick},
    {&B::PasswordButton, &F::TextButtonClick},     {&B::HiddenButton, &F::TextButtonClick},
    {&B::FormFileButton, &F::TextButtonClick},     {&B::FormImageButton, &F::TextButtonClick},
    {&B::TextAreaButton, &F::TextAreaButtonClick}, {&B::RadioButton, &F::RadioButtonClick},
    {&B::CheckBoxButton, &F::CheckBoxButtonClick}, {&B::SubmitButton, &F::SubmitButtonClick},
    {&B::ResetButton, &F::SubmitButtonClick},      {&B::ButtonButton, &F::SubmitButtonClick},
    {&B::SelectButton, &F::SelectButtonClick},
};

// The entry of the table whose button sent the click; the first for any other sender.
template <typename TEntry, size_t N>
const TEntry& EntryOf(const TEntry (&table)[N], const TTagButtons& buttons, TObject* sender) {
    for (const TEntry& entry : table)
        if (buttons.*entry.Button == sender)
            return entry;
    return table[0];
}

} // namespace

void TFormDialogs::Bind() {
    for (const TDialogButton& entry : DialogButtons)
        (Form.TagButtons->*entry.Button)->OnClick = Handler(this, entry.Click);
}

void TFormDialogs::FormButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::FormButtonClick))
        return;
    TDialogGuard<TFormForm> dialog(FormForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->Prepare();
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->StartText(), dialog->EndText(), 0);
}

void TFormDialogs::TextButtonClick(TObject* Sender) {
    const TInputButton& pressed = EntryOf(InputButtons, *Form.TagButtons, Sender);
    if (Form.HandleHelpPointer(pressed.Help))
        return;
    TDialogGuard<TSizeForm> dialog(SizeForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    if (pressed.Kind == TInputKind::Image)
        dialog->PageFolder = DialogPageFolder(Form);
    dialog->PrepareInput(pressed.Kind);
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->InputTag(), "\r\n", 0);
}

void TFormDialogs::TextAreaButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::TextAreaButtonClick))
        return;
    TDialogGuard<TSizeForm> dialog(SizeForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->PrepareTextArea();
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->TextAreaTag(), "\r\n", 0);
}

void TFormDialogs::RadioButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::RadioButtonClick))
        RunChoiceDialog("Type: Radio", "Radio", "radio");
}

void TFormDialogs::CheckBoxButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::CheckBoxButtonClick))
        RunChoiceDialog("Type: Checkbox", "Checkbox", "checkbox");
}

void TFormDialogs::RunChoiceDialog(const String& caption, const String& name,
                                   const String& typeWord) {
    TDialogGuard<TSizeForm> dialog(SizeForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->PrepareChoice(caption, name);
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->ChoiceTag(typeWord), "\r\n", 0);
}

void TFormDialogs::SubmitButtonClick(TObject* Sender) {
    const TPressButton& pressed = EntryOf(PressButtons, *Form.TagButtons, Sender);
    if (Form.HandleHelpPointer(pressed.Help))
        return;
    TDialogGuard<TSizeForm> dialog(SizeForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->PrepareButton(pressed.TypeWord);
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->ButtonStartTag(), dialog->ButtonEndTag(), 0);
}

void TFormDialogs::SelectButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SelectButtonClick))
        return;
    TDialogGuard<TSelectForm> dialog(SelectForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->Prepare();
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->SelectTag(), "\r\n", 0);
}
