// The menu bar's own refresh as its menus drop down: the items of the File, Edit and Preferences
// menus that the shell still keeps. The features bring their own items up to date after these.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "widgets/QmToolbars.h"

void THTMLEMainForm::BindMainMenus() {
    File1->OnClick = Handler(this, &THTMLEMainForm::File1Click);
    Edit1->OnClick = Handler(this, &THTMLEMainForm::Edit1Click);
    Preferences1->OnClick = Handler(this, &THTMLEMainForm::PreferencesClick);
}

void THTMLEMainForm::File1Click(TObject* /*Sender*/) {
    UpdateDocumentCommands();
}

void THTMLEMainForm::Edit1Click(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    bool pageOpen = EditorPageOpen();
    bool offered = pageOpen || HelpPointerMode();
    for (TMenuItem* item : {ColourTags1, WordWrap1})
        item->SetEnabled(offered);
    if (offered)
        WordWrap1->SetChecked(pageOpen && editor->WordWrap());
}

void THTMLEMainForm::PreferencesClick(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    WordWrap1->SetChecked(editor && editor->WordWrap());
}
