// The element dialogs of the tag bar: each command fills its dialog, shows it, and puts the
// element it describes into the active page.

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLFontTag.h"
#include "tags/HTMLImage.h"
#include "tags/HTMLLink.h"
#include "tags/HTMLMailToForm.h"
#include "tags/HTMLRuleForm.h"

namespace {

// The font dialog for FONT and BASEFONT alike; the tag goes in only after OK.
void RunFontDialog(THTMLEMainForm& main, const String& name, const String& end) {
    TDialogGuard<THTMLFontTagForm> dialog(HTMLFontTagForm, TButtonLook::FromSetting);
    if (dialog && dialog.ShowModal() == mrOk)
        main.BuildFontTag(name, end);
}

// The selected text of the open page, "" with no page open.
String SelectedText(const THTMLEMainForm& main) {
    return main.AnyDocumentOpen() ? main.GetMemo(-1)->SelText() : String();
}

// A dialog's element takes the place of the selection.
void ReplaceSelection(THTMLEMainForm& main, const String& start, const String& end) {
    if (main.AnyDocumentOpen())
        main.GetMemo(-1)->ClearSelection();
    main.InsertWhole(start, end, 0);
}

} // namespace

void THTMLEMainForm::LinkButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::LinkButtonClick) || !AnyDocumentOpen())
        return;
    TDialogGuard<TLinkForm> dialog(LinkForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->PageFolder = DialogPageFolder(*this);
    dialog->LinkEdit->SetText(SelectedText(*this));
    if (dialog.ShowModal() == mrOk)
        ReplaceSelection(*this, dialog->StartText(), dialog->EndText());
}

void THTMLEMainForm::ImageButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ImageButtonClick))
        return;
    TDialogGuard<TImageForm> dialog(ImageForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->PageFolder = DialogPageFolder(*this);
    if (dialog.ShowModal() == mrOk)
        InsertWhole(dialog->ImageTag(), "", 0);
}

void THTMLEMainForm::FaceButtonClick(TObject* /*Sender*/) {
    if (!HandleHelpPointer(HelpContexts::FaceButtonClick))
        RunFontDialog(*this, "FONT", "</FONT>");
}

void THTMLEMainForm::BaseFontButtonClick(TObject* /*Sender*/) {
    if (!HandleHelpPointer(HelpContexts::BaseFontButtonClick))
        RunFontDialog(*this, "BASEFONT", "");
}

// A tag pair around the selection: the Alt or Ctrl of the press on the font button leaves out
// one of its texts, as for every tag button.
void THTMLEMainForm::BuildFontTag(const String& name, const String& end) {
    const String tag = HTMLFontTagForm->StartTag(name);
    if (!tag.empty())
        InsertTag(tag, end, 0);
}

void THTMLEMainForm::MailToButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::MailToButtonClick))
        return;
    TDialogGuard<TMailToForm> dialog(MailToForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->LinkTextEdit->SetText(SelectedText(*this));
    if (dialog.ShowModal() == mrOk)
        ReplaceSelection(*this, dialog->MailLink(), "");
}

void THTMLEMainForm::RuleButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::RuleButtonClick))
        return;
    TDialogGuard<TRuleForm> dialog(RuleForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->Prepare();
    if (dialog.ShowModal() == mrOk)
        InsertWhole(dialog->RuleTag(), "\r\n", 0);
}
