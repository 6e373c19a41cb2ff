#include "tags/ElementDialogs.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLFontTag.h"
#include "tags/HTMLImage.h"
#include "tags/HTMLLink.h"
#include "tags/HTMLListForm.h"
#include "tags/HTMLMailToForm.h"
#include "tags/HTMLMeta.h"
#include "tags/HTMLRuleForm.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

// The selected text of the open page, "" with no page open.
String SelectedText(const THTMLEMainForm& main) {
    return main.AnyDocumentOpen() ? main.GetMemo(-1)->SelText() : String();
}

// A dialog's element takes the place of the selection.
void ReplaceSelection(THTMLEMainForm& main, const String& start, const String& end) {
    if (main.AnyDocumentOpen())
        main.GetMemo(-1)->ClearSelection();
    main.TagInsertion->InsertWhole(start, end, 0);
}

using F = TElementDialogs;

struct TDialogButton {
    TQmToolbarButton* TTagButtons::*Button;
    void (TElementDialogs::*Click)(TObject*);
};

const TDialogButton DialogButtons[] = {
    {&TTagButtons::LinkButton, &F::LinkButtonClick},
    {&TTagButtons::ImageButton, &F::ImageButtonClick},
    {&TTagButtons::FaceButton, &F::FaceButtonClick},
    {&TTagButtons::BaseFontButton, &F::BaseFontButtonClick},
    {&TTagButtons::MailToButton, &F::MailToButtonClick},
    {&TTagButtons::RuleButton, &F::RuleButtonClick},
    {&TTagButtons::MetaButton, &F::MetaButtonClick},
    {&TTagButtons::ListButton, &F::ListButtonClick},
};

} // namespace

void TElementDialogs::Bind() {
    for (const TDialogButton& entry : DialogButtons)
        (Form.TagButtons->*entry.Button)->OnClick = Handler(this, entry.Click);
}

void TElementDialogs::LinkButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::LinkButtonClick) || !Form.AnyDocumentOpen())
        return;
    TDialogGuard<TLinkForm> dialog(LinkForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->PageFolder = DialogPageFolder(Form);
    dialog->LinkEdit->SetText(SelectedText(Form));
    if (dialog.ShowModal() == mrOk)
        ReplaceSelection(Form, dialog->StartText(), dialog->EndText());
}

void TElementDialogs::ImageButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ImageButtonClick))
        return;
    TDialogGuard<TImageForm> dialog(ImageForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->PageFolder = DialogPageFolder(Form);
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->ImageTag(), "", 0);
}

void TElementDialogs::FaceButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::FaceButtonClick))
        RunFontDialog("FONT", "</FONT>");
}

void TElementDialogs::BaseFontButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::BaseFontButtonClick))
        RunFontDialog("BASEFONT", "");
}

void TElementDialogs::RunFontDialog(const String& name, const String& end) {
    TDialogGuard<THTMLFontTagForm> dialog(HTMLFontTagForm, TButtonLook::FromSetting);
    if (dialog && dialog.ShowModal() == mrOk)
        BuildFontTag(name, end);
}

// A tag pair around the selection: the Alt or Ctrl of the press on the font button leaves out
// one of its texts, as for every tag button.
void TElementDialogs::BuildFontTag(const String& name, const String& end) {
    const String tag = HTMLFontTagForm->StartTag(name);
    if (!tag.empty())
        Form.TagInsertion->InsertTag(tag, end, 0);
}

// The dialog outlives a Cancel so that what was typed into it is there next time.
void TElementDialogs::ListButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ListButtonClick))
        return;
    TDialogGuard<TListForm> dialog(ListForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->Prepare();
    if (dialog.ShowModal() != mrOk) {
        dialog.Keep();
        return;
    }
    Form.TagInsertion->InsertWhole(dialog->ListHTML(Form.AutoInsertTab), "", 0);
}

void TElementDialogs::MailToButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MailToButtonClick))
        return;
    TDialogGuard<TMailToForm> dialog(MailToForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->LinkTextEdit->SetText(SelectedText(Form));
    if (dialog.ShowModal() == mrOk)
        ReplaceSelection(Form, dialog->MailLink(), "");
}

void TElementDialogs::RuleButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RuleButtonClick))
        return;
    TDialogGuard<TRuleForm> dialog(RuleForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->Prepare();
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->RuleTag(), "\r\n", 0);
}

// The page loses its known META tags while the dialog shows; OK writes them back as one block
// after the HEAD start tag, Cancel puts the page back as it was.
void TElementDialogs::MetaButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MetaButtonClick) || !Form.AnyDocumentOpen())
        return;
    TDialogGuard<THTMLMetaForm> dialog(HTMLMetaForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog.Keep();
    dialog->DontIndexCheck->SetChecked(false);
    dialog->DontFollowCheck->SetChecked(false);
    TRichEdit* editor = Form.GetMemo(-1);
    dialog->SourceEditor = editor;
    const String page = editor->Text();
    const bool modified = editor->Modified();
    const int caret = editor->SelStart();
    TMetaFields fields = dialog->Fields();
    const String rest = TakeMetaTags(page, fields);
    // A page without the tags keeps its undo history and colours.
    const bool taken = rest != page;
    if (taken)
        editor->SetText(rest);
    dialog->SetFields(fields);
    if (dialog.ShowModal() == mrOk) {
        const int position = MetaBlockPosition(rest);
        editor->SetSelStart(position);
        Form.TagInsertion->InsertWhole(
            MetaBlockAt(rest, position, dialog->Fields(), Form.VerLabelInvis->Caption()), "", 0);
    } else if (taken) {
        editor->SetText(page);
        editor->SetModified(modified);
        editor->SetSelStart(caret);
    }
}
