#include "tags/ObjectDialogs.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "site/FilePane.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLAppletForm.h"
#include "tags/HTMLDivForm.h"
#include "tags/HTMLSoundForm.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

namespace {

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

void TObjectDialogs::Bind() {
    TTagButtons& buttons = *Form.TagButtons;
    buttons.AppletButton->OnClick = Handler(this, &TObjectDialogs::AppletButtonClick);
    buttons.SoundButton->OnClick = Handler(this, &TObjectDialogs::SoundButtonClick);
    buttons.DivButton->OnClick = Handler(this, &TObjectDialogs::DivButtonClick);
    buttons.SpanButton->OnClick = Handler(this, &TObjectDialogs::SpanButtonClick);
    buttons.StyleButton->OnClick = Handler(this, &TObjectDialogs::StyleButtonClick);
}

void TObjectDialogs::AppletButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::AppletButtonClick))
        return;
    TDialogGuard<TAppletForm> dialog(AppletForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->ClearFields();
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->StartText(), dialog->EndText(), 0);
}

void TObjectDialogs::SoundButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SoundButtonClick))
        return;
    TDialogGuard<TSoundForm> dialog(SoundForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->OpenDialog->SetInitialDir(Form.FilePane->DirectoryListBox1->Directory());
    dialog->PageFolder = DialogPageFolder(Form);
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->EmbedTag(), "", 0);
}

void TObjectDialogs::DivButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::DivButtonClick))
        RunDivDialog("DIV");
}

void TObjectDialogs::SpanButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::SpanButtonClick))
        RunDivDialog("SPAN");
}

void TObjectDialogs::RunDivDialog(const String& elementName) {
    TDialogGuard<TDivForm> dialog(DivForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    TStringList classes;
    GetStyleClasses(classes);
    dialog->Prepare(elementName, classes);
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->StartText(), dialog->EndText(), 0);
}

void TObjectDialogs::StyleButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::StyleButtonClick))
        Form.TagInsertion->InsertTag("<STYLE TYPE=\"text/css\">\r\n<!--\r\n",
                                     "\r\n\r\n-->\r\n</STYLE>", 0);
}

// Every "." starts a name that runs to the next "{", so a selector such as P.intro gives
// "intro"; a full stop inside a declaration (1.5em) gives a name too.
void TObjectDialogs::GetStyleClasses(TStrings& list) const {
    list.Clear();
    if (!Form.AnyDocumentOpen())
        return;
    const String block = StyleBlock(Form.GetMemo(-1)->Text());
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
