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

// The analyser's and the background picture's items belong to the file-pane commands, which set
// their own state as they come.
void THTMLEMainForm::File1Click(TObject* /*Sender*/) {
    UpdateDocumentCommands();
    bool helpMode = Screen->Cursor() == crHelp;
    bool documents = AnyDocumentOpen() || helpMode;
    for (TMenuItem* item : {Print1, PrintExtra, PrintPreview1, PrintPreviewExtra})
        item->SetEnabled(documents);
    ShowPrintItems();
    PrintButton->SetEnabled(documents);
}

void THTMLEMainForm::Edit1Click(TObject* /*Sender*/) {
    bool help = HelpPointerMode();
    TRichEdit* editor = GetMemo(-1);
    bool pageOpen = EditorPageOpen();
    if (pageOpen || help) {
        for (TMenuItem* item :
             {ColourTags1, TagCase1, RemoveIndents1, Indent1, Unindent1, WordWrap1})
            item->SetEnabled(true);
        WordWrap1->SetChecked(pageOpen && editor->WordWrap());
    } else {
        for (TMenuItem* item :
             {WordWrap1, Indent1, Unindent1, ColourTags1, TagCase1, RemoveIndents1})
            item->SetEnabled(false);
    }
}

// The editor font cannot change while a report shows in the pages' place, so the item is offered
// only when none does.
void THTMLEMainForm::PreferencesClick(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    WordWrap1->SetChecked(editor && editor->WordWrap());
    Editor1->SetEnabled(!ShowsViewOverPages());
}
