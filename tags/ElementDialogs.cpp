// The element dialogs of the tag bar: each command fills its dialog, shows it, and puts the
// element it describes into the active page.

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
    main.TagInsertion->InsertWhole(start, end, 0);
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
        TagInsertion->InsertWhole(dialog->ImageTag(), "", 0);
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
        TagInsertion->InsertTag(tag, end, 0);
}

void THTMLEMainForm::BindElementDialogs() {
    TagButtons->ListButton->OnClick = Handler(this, &THTMLEMainForm::ListButtonClick);
}

// The dialog outlives a Cancel so that what was typed into it is there next time.
void THTMLEMainForm::ListButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ListButtonClick))
        return;
    TDialogGuard<TListForm> dialog(ListForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->Prepare();
    if (dialog.ShowModal() != mrOk) {
        dialog.Keep();
        return;
    }
    TagInsertion->InsertWhole(dialog->ListHTML(AutoInsertTab), "", 0);
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
        TagInsertion->InsertWhole(dialog->RuleTag(), "\r\n", 0);
}

// The page loses its known META tags while the dialog shows; OK writes them back as one block
// after the HEAD start tag, Cancel puts the page back as it was.
void THTMLEMainForm::MetaButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::MetaButtonClick) || !AnyDocumentOpen())
        return;
    TDialogGuard<THTMLMetaForm> dialog(HTMLMetaForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog.Keep();
    dialog->DontIndexCheck->SetChecked(false);
    dialog->DontFollowCheck->SetChecked(false);
    TRichEdit* editor = GetMemo(-1);
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
        TagInsertion->InsertWhole(
            MetaBlockAt(rest, position, dialog->Fields(), VerLabelInvis->Caption()), "", 0);
    } else if (taken) {
        editor->SetText(page);
        editor->SetModified(modified);
        editor->SetSelStart(caret);
    }
}
