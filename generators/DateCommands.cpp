#include "generators/DateCommands.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "generators/DateCodes.h"
#include "generators/HTMLDate.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

// On the Date and Time pages the chosen kind is inserted even when empty; on the User
// Definitions page an empty actual text gives way to the code. A replace code's actual text is
// put in with its line breaks, as the publisher would write it.
String ChosenText(const TDateForm& dialog, bool misc) {
    const String actual = dialog.ActualEdit->Text();
    const String published = dialog.PubEdit->Text();
    if (!misc)
        return dialog.ActualDateButton->Checked() ? actual : published;
    if (dialog.ActualDateButton->Checked() && !actual.empty())
        return DecodeLineBreaks(actual);
    return published;
}

} // namespace

void TDateCommands::Bind() {
    TTagButtons& buttons = *Form.TagButtons;
    buttons.DateButton->OnClick = Handler(this, &TDateCommands::DateButtonClick);
    buttons.TimeButton->OnClick = Handler(this, &TDateCommands::TimeButtonClick);
    buttons.MiscButton->OnClick = Handler(this, &TDateCommands::MiscButtonClick);
}

void TDateCommands::DateButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::DateButtonClick))
        InsertStamp(TStampPage::Date);
}

void TDateCommands::TimeButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::TimeButtonClick))
        InsertStamp(TStampPage::Time);
}

void TDateCommands::MiscButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::MiscButtonClick))
        InsertStamp(TStampPage::Misc);
}

void TDateCommands::InsertStamp(TStampPage page) {
    TDialogGuard<TDateForm> dialog(DateForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    const bool misc = page == TStampPage::Misc;
    TTabSheet* sheets[] = {dialog->DateSheet, dialog->TimeSheet, dialog->MiscSheet};
    if (misc) {
        dialog->PubDateButton->SetChecked(true);
        dialog->PageFileName = Form.PageInUse(-1) ? Form.FileNames[Form.ActivePageIndex()] : "";
    }
    dialog->PageControl1->SetActivePage(sheets[static_cast<int>(page)]);
    if (dialog.ShowModal() != mrOk)
        return;
    const String text = ChosenText(*dialog, misc);
    if (!misc || !text.empty())
        Form.TagInsertion->InsertTag(text, "", 0);
}
