// Help-pointer mode: the help button turns the pointer into the help cursor, and the next command
// chosen shows its help topic instead of running. The mode has no flag of its own: it is on while
// the screen's cursor is the help cursor. Also the Help menu's contents and help on help.

#include "editor/CorvaletForm.h"

#include "widgets/QmToolbars.h"

void THTMLEMainForm::BuildHelpCommands() {
    struct HelpItem {
        TMenuItem* THTMLEMainForm::*Member;
        const char* Name;
        const char* Caption;
        void (THTMLEMainForm::*Click)(TObject*);
    };
    static const HelpItem Items[] = {
        {&THTMLEMainForm::Contents1, "Contents1", "&Contents", &THTMLEMainForm::Contents1Click},
        {&THTMLEMainForm::PointerHelp1, "PointerHelp1", "Help &Pointer",
         &THTMLEMainForm::PointerHelp1Click},
        {&THTMLEMainForm::UsingHelp1, "UsingHelp1", "&Using Help",
         &THTMLEMainForm::UsingHelp1Click},
    };
    int index = 0;
    for (const HelpItem& help : Items) {
        auto* item = NewComponent<TMenuItem>(this, help.Name);
        item->SetCaption(help.Caption);
        Help1->Insert(index++, item);
        item->OnClick = [this, click = help.Click](TObject* Sender) { (this->*click)(Sender); };
        this->*help.Member = item;
    }

    HelpButton = AddToolbarButton(StdToolbar, "HelpButton", "Help Pointer");
    HelpButton->OnClick = [this](TObject* Sender) { PointerHelp1Click(Sender); };

    // The numbers F1 shows for the items that carry one.
    Help1->SetHelpContext(HelpContexts::HelpMenu);
    Contents1->SetHelpContext(HelpContexts::Contents1Click);
    RefLibHelp->SetHelpContext(HelpContexts::RefLibHelpClick);
    IEHelp->SetHelpContext(HelpContexts::IEHelpClick);
    IncludeMultimedia1->SetHelpContext(HelpContexts::ShowMultimedia1Click);
    SmartTabsMenu->SetHelpContext(HelpContexts::SmartTabsMenuClick);
    FileListBox1->SetHelpContext(HelpContexts::FileListBox1Click);
    ApplicationPage->SetHelpContext(HelpContexts::ApplicationPage);
}

bool THTMLEMainForm::HandleHelpPointer(THelpContext number) {
    InsertToggleKnown = false;
    if (Screen->Cursor() != crHelp)
        return false;
    ForceCommandsEnabled = false;
    UpdateDocumentCommands();
    ButtonsPage->SetEnabled(ButtonsPageWasEnabled);
    WinHelp(Handle(), HelpFileName,
            number < HelpContexts::FirstPopup ? HELP_CONTEXT : HELP_CONTEXTPOPUP, number);
    Screen->SetCursor(crDefault);
    return true;
}

void THTMLEMainForm::PointerHelp1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::PointerHelp1Click))
        return;
    ButtonsPageWasEnabled = ButtonsPage->Enabled();
    if (!ButtonsPageWasEnabled)
        ButtonsPage->SetEnabled(true);
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
