#include "tags/PageStructureDialogs.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/TagColouring.h"
#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "tags/BodyTags.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLBodyForm.h"
#include "tags/HTMLFrameWizForm1.h"
#include "tags/HTMLIFrame.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

void TPageStructureDialogs::Bind() {
    TTagButtons& buttons = *Form.TagButtons;
    buttons.BodyButton->OnClick = Handler(this, &TPageStructureDialogs::BodyButtonClick);
    buttons.FrameSetButton->OnClick = Handler(this, &TPageStructureDialogs::FrameSetButtonClick);
    buttons.FrameButton->OnClick = Handler(this, &TPageStructureDialogs::FrameButtonClick);
    buttons.IFrameButton->OnClick = Handler(this, &TPageStructureDialogs::IFrameButtonClick);
}

TRichEdit* TPageStructureDialogs::OpenEditor() const {
    return Form.PageInUse(-1) ? Form.GetMemo(-1) : nullptr;
}

// The page's text is rewritten whole only when it held a BODY start tag; the end tag is added
// unless the page already ends its body in exactly "</BODY>" and nothing is selected.
void TPageStructureDialogs::BodyButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::BodyButtonClick))
        return;
    TRichEdit* editor = OpenEditor();
    if (!editor)
        return;
    TDialogGuard<TBodyForm> dialog(BodyForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->PageFolder = DialogPageFolder(Form);
    dialog->Prepare();
    if (dialog.ShowModal() != mrOk)
        return;
    TScreenCursorScope hourglass(crHourGlass);
    const int firstLine = Form.FirstVisibleLine(editor);
    const TPageText before = ReadPage(*editor);
    const TPageText after = RetireBodyTag(before);
    WritePage(*editor, after);
    if (after.Text != before.Text)
        Form.TagColouring->ColourAllTags(false);
    const bool endPresent = after.SelLength == 0 && after.Text.find("</BODY>") != String::npos;
    Form.TagInsertion->InsertWhole(dialog->BodyTag(), endPresent ? "" : "\r\n</BODY>", 0);
    Form.ScrollToLine(editor, firstLine);
}

void TPageStructureDialogs::FrameSetButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::FrameSetButtonClick))
        RunFrameWizard(1);
}

void TPageStructureDialogs::FrameButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::FrameButtonClick))
        RunFrameWizard(2);
}

void TPageStructureDialogs::RunFrameWizard(int mode) {
    TDialogGuard<TFrameWizForm> dialog(FrameWizForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->PageFolder = DialogPageFolder(Form);
    dialog->Editor = OpenEditor();
    dialog->Mode = mode;
    dialog->InsertTag = [this](const String& start, const String& end) {
        Form.TagInsertion->InsertWhole(start, end, 0);
    };
    if (dialog.ShowModal() == mrOk)
        Form.TagColouring->ColourAllTags(false);
}

void TPageStructureDialogs::IFrameButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::IFrameButtonClick))
        return;
    TDialogGuard<TIFrameForm> dialog(IFrameForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->Editor = OpenEditor();
    dialog->PageFolder = DialogPageFolder(Form);
    dialog.ShowModal();
}
