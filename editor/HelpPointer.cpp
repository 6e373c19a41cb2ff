// Help-pointer mode: the help button turns the pointer into the help cursor, and the next command
// chosen shows its help topic instead of running. The mode has no flag of its own: it is on while
// the screen's cursor is the help cursor. Also the Help menu's contents and help on help.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "widgets/QmToolbars.h"

void THTMLEMainForm::BuildHelpCommands() {
    Contents1 = InsertItem(this, Help1, 0, "Contents1", "&Contents");
    PointerHelp1 = InsertItem(this, Help1, 1, "PointerHelp1", "Help &Pointer");
    UsingHelp1 = InsertItem(this, Help1, 2, "UsingHelp1", "&Using Help");
    HelpButton = AddToolbarButton(StdToolbar, "HelpButton", "Help Pointer");

    // The numbers F1 shows for the items that carry one.
    Help1->SetHelpContext(HelpContexts::HelpMenu);
    Contents1->SetHelpContext(HelpContexts::Contents1Click);
    SmartTabsMenu->SetHelpContext(HelpContexts::SmartTabsMenuClick);
}

void THTMLEMainForm::BindHelpCommands() {
    Contents1->OnClick = Handler(this, &THTMLEMainForm::Contents1Click);
    PointerHelp1->OnClick = Handler(this, &THTMLEMainForm::PointerHelp1Click);
    UsingHelp1->OnClick = Handler(this, &THTMLEMainForm::UsingHelp1Click);
    HelpButton->OnClick = Handler(this, &THTMLEMainForm::PointerHelp1Click);
}

bool THTMLEMainForm::HelpPointerMode() const {
    return Screen->Cursor() == crHelp;
}

bool THTMLEMainForm::EditorCommandsOffered() const {
    return EditorPageOpen() || HelpPointerMode();
}

bool THTMLEMainForm::PageCommandsOffered() const {
    return AnyDocumentOpen() || HelpPointerMode();
}

bool THTMLEMainForm::HandleHelpPointer(THelpContext number) {
    InsertToggleKnown = false;
    if (!HelpPointerMode())
        return false;
    ForceCommandsEnabled = false;
    UpdateDocumentCommands();
    WinHelp(Handle(), HelpFileName,
            number < HelpContexts::FirstPopup ? HELP_CONTEXT : HELP_CONTEXTPOPUP, number);
    Screen->SetCursor(crDefault);
    return true;
}

void THTMLEMainForm::PointerHelp1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::PointerHelp1Click))
        return;
    EnableDocumentCommands();
    // The screen's help cursor is the window's own while the mode is on; every control shows it.
    Screen->SetCursors(crHelp, HelpCursor);
    Screen->SetCursor(crHelp);
}

void THTMLEMainForm::Contents1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Contents1Click))
        return;
    WinHelp(Handle(), HelpFileName, HELP_FINDER, 0);
}

void THTMLEMainForm::UsingHelp1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::UsingHelp1Click))
        return;
    WinHelp(Handle(), HelpFileName, HELP_HELPONHELP, 0);
}
