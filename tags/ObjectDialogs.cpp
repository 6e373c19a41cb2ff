// The applet, multimedia and DIV/SPAN dialogs of the tag bar, and the empty style block.

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLAppletForm.h"
#include "tags/HTMLDivForm.h"
#include "tags/HTMLSoundForm.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

namespace {

void RunDivDialog(THTMLEMainForm& main, const String& elementName) {
    TDialogGuard<TDivForm> dialog(DivForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    TStringList classes;
    main.GetStyleClasses(classes);
    dialog->Prepare(elementName, classes);
    if (dialog.ShowModal() == mrOk)
        main.TagInsertion->InsertWhole(dialog->StartText(), dialog->EndText(), 0);
}

// The text from the first "<STYLE" up to the first "</STYLE" after it (or the end of the page);
// "" when the page has no style block. Both found without regard to case.
String StyleBlock(const String& page) {
    const String upper = UpperCase(page);
    const size_t start = upper.find("<STYLE");
    if (start == String::npos)
        return "";
    const size_t end = upper.find("</STYLE", start);
    return page.substr(start, end == String::npos ? String::npos : end - start);
}

} // namespace

void THTMLEMainForm::BindObjectDialogs() {
    TagButtons->AppletButton->OnClick = Handler(this, &THTMLEMainForm::AppletButtonClick);
    TagButtons->SoundButton->OnClick = Handler(this, &THTMLEMainForm::SoundButtonClick);
    TagButtons->DivButton->OnClick = Handler(this, &THTMLEMainForm::DivButtonClick);
    TagButtons->SpanButton->OnClick = Handler(this, &THTMLEMainForm::SpanButtonClick);
    TagButtons->StyleButton->OnClick = Handler(this, &THTMLEMainForm::StyleButtonClick);
}

void THTMLEMainForm::AppletButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::AppletButtonClick))
        return;
    TDialogGuard<TAppletForm> dialog(AppletForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->ClearFields();
    if (dialog.ShowModal() == mrOk)
        TagInsertion->InsertWhole(dialog->StartText(), dialog->EndText(), 0);
}

void THTMLEMainForm::SoundButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::SoundButtonClick))
        return;
    TDialogGuard<TSoundForm> dialog(SoundForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->OpenDialog->SetInitialDir(DirectoryListBox1->Directory());
    dialog->PageFolder = DialogPageFolder(*this);
    if (dialog.ShowModal() == mrOk)
        TagInsertion->InsertWhole(dialog->EmbedTag(), "", 0);
}

void THTMLEMainForm::DivButtonClick(TObject* /*Sender*/) {
    if (!HandleHelpPointer(HelpContexts::DivButtonClick))
        RunDivDialog(*this, "DIV");
}

void THTMLEMainForm::SpanButtonClick(TObject* /*Sender*/) {
    if (!HandleHelpPointer(HelpContexts::SpanButtonClick))
        RunDivDialog(*this, "SPAN");
}

void THTMLEMainForm::StyleButtonClick(TObject* /*Sender*/) {
    if (!HandleHelpPointer(HelpContexts::StyleButtonClick))
        TagInsertion->InsertTag("<STYLE TYPE=\"text/css\">\r\n<!--\r\n", "\r\n\r\n-->\r\n</STYLE>",
                                0);
}

// Every "." starts a name that runs to the next "{", so a selector such as P.intro gives
// "intro"; a full stop inside a declaration (1.5em) gives a name too.
void THTMLEMainForm::GetStyleClasses(TStrings& list) const {
    list.Clear();
    if (!AnyDocumentOpen())
        return;
    const String block = StyleBlock(GetMemo(-1)->Text());
    size_t from = 0;
    while (true) {
        const size_t dot = block.find('.', from);
        if (dot == String::npos)
            return;
        const size_t brace = block.find('{', dot + 1);
        if (brace == String::npos) {
            list.Add(Trim(block.substr(dot + 1, block.size() - dot - 2)));
            return;
        }
        list.Add(Trim(block.substr(dot + 1, brace - dot - 1)));
        from = brace + 1;
    }
}
