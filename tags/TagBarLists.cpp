// The tag bar's drop-down lists: a button shows its list under it and gives it the focus, a
// choice inserts and hides it, and leaving it hides it.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

// The lines of DoctypeList's items, in the list's order.
const char* const DoctypeLines[] = {
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">",
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.2\">",
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">",
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML Level 1//EN\">",
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">",
    "<!DOCTYPE HTML PUBLIC \"-//SPYGLASS//DTD HTML 2.X//EN\">",
    "<!DOCTYPE HTML PUBLIC \"-//Microsoft//DTD Internet Explorer 2.0 HTML//EN\">",
};

const int EchoItem = 2;

// The chosen item's text, or false when no item is chosen.
bool ChosenItem(const TListBox& list, String& item) {
    int index = list.ItemIndex();
    if (index < 0 || index >= list.Items().Count())
        return false;
    item = list.Items()[index];
    return true;
}

} // namespace

void THTMLEMainForm::BindTagBarLists() {
    AlignListBox->OnClick = Handler(this, &THTMLEMainForm::AlignListBoxClick);
    DoctypeList->OnClick = Handler(this, &THTMLEMainForm::DoctypeListClick);
    OtherStyleDropList->OnClick = Handler(this, &THTMLEMainForm::OtherStyleDropListClick);
    ScriptTypeList->OnClick = Handler(this, &THTMLEMainForm::ScriptTypeListClick);
    SSIList->OnClick = Handler(this, &THTMLEMainForm::SSIListClick);
    SSIEchoList->OnClick = Handler(this, &THTMLEMainForm::SSIEchoListClick);
    AlignListBox->OnExit = Handler(this, &THTMLEMainForm::AlignListBoxExit);
    DoctypeList->OnExit = Handler(this, &THTMLEMainForm::DoctypeListExit);
    OtherStyleDropList->OnExit = Handler(this, &THTMLEMainForm::OtherStyleDropListExit);
    ScriptTypeList->OnExit = Handler(this, &THTMLEMainForm::ScriptTypeListExit);
    SSIList->OnExit = Handler(this, &THTMLEMainForm::SSIListExit);
    SSIEchoList->OnExit = Handler(this, &THTMLEMainForm::SSIEchoListExit);
}

void THTMLEMainForm::PlaceListUnder(TListBox* list, TControl* button) {
    TPoint buttonRight =
        ScreenToClient(button->ClientToScreen(TPoint{button->Width(), button->Height()}));
    list->SetTop(TopPanel->Top() + TopPanel->Height());
    list->SetLeft(std::max(0, buttonRight.x + 6 - list->Width()));
}

bool THTMLEMainForm::ToggleDropList(TListBox* list, TControl* button) {
    PlaceListUnder(list, button);
    if (list->Visible()) {
        list->Hide();
        return false;
    }
    ShowDropList(list);
    return true;
}

// Over the pages and the file pane, which were made after the lists.
void THTMLEMainForm::ShowDropList(TListBox* list) {
    list->Show();
    list->BringToFront();
    if (list->CanFocus())
        list->SetFocus();
}

void THTMLEMainForm::DropAlignList(TControl* button, const String& tag) {
    if (ToggleDropList(AlignListBox, button))
        PendingAlignTag = tag;
}

// ---- The buttons ----

void THTMLEMainForm::DoctypeButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::DoctypeButtonClick))
        return;
    ToggleDropList(DoctypeList, DoctypeButton);
}

void THTMLEMainForm::OtherFontButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::OtherFontButtonClick))
        return;
    ToggleDropList(OtherStyleDropList, OtherFontButton);
}

void THTMLEMainForm::ScriptButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ScriptButtonClick))
        return;
    ToggleDropList(ScriptTypeList, ScriptButton);
}

void THTMLEMainForm::SSIButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::SSIButtonClick))
        return;
    SSIEchoList->Hide();
    ToggleDropList(SSIList, SSIButton);
}

// ---- Choices ----

void THTMLEMainForm::AlignListBoxClick(TObject* /*Sender*/) {
    AlignListBox->Hide();
    String item;
    if (!ChosenItem(*AlignListBox, item))
        return;
    String start = PendingAlignTag;
    if (item != "LEFT")
        start += " ALIGN=" + item;
    TagInsertion->InsertTag(start + ">", "</" + PendingAlignTag.substr(1) + ">", 0);
}

void THTMLEMainForm::DoctypeListClick(TObject* /*Sender*/) {
    int index = DoctypeList->ItemIndex();
    if (index >= 0 && index < static_cast<int>(std::size(DoctypeLines)))
        TagInsertion->InsertTag(DoctypeLines[index], "\r\n", 0);
    DoctypeList->Hide();
}

void THTMLEMainForm::OtherStyleDropListClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::OtherStyleDropListClick))
        return;
    OtherStyleDropList->Hide();
    String style;
    if (ChosenItem(*OtherStyleDropList, style))
        TagInsertion->InsertTag("<" + style + ">", "</" + style + ">", 0);
}

// The script's own line breaks are single line feeds, as scripts were written.
void THTMLEMainForm::ScriptTypeListClick(TObject* /*Sender*/) {
    String type;
    if (!ChosenItem(*ScriptTypeList, type)) {
        ScriptTypeList->Hide();
        return;
    }
    String start = "<SCRIPT>\n<!--\n";
    if (ScriptTypeList->ItemIndex() > 0) {
        String word = LowerCase(type);
        word = word.substr(0, word.find(' '));
        start = "<SCRIPT LANGUAGE=\"" + type + "\" TYPE=\"text/" + word + "\">\n<!--\n";
    }
    TagInsertion->InsertTag(start, "\n//-->\n</SCRIPT>", 0);
    ScriptTypeList->Hide();
}

void THTMLEMainForm::SSIListClick(TObject* /*Sender*/) {
    String directive;
    if (!ChosenItem(*SSIList, directive)) {
        SSIList->Hide();
        return;
    }
    if (SSIList->ItemIndex() == EchoItem) {
        // The echo directive needs its variable first; the directive list stays open beside it.
        SSIEchoList->SetTop(SSIList->Top());
        SSIEchoList->SetLeft(SSIList->Left() + SSIList->Width());
        ShowDropList(SSIEchoList);
        return;
    }
    TagInsertion->InsertTag("<!-- #" + directive + " ", " -->", 0);
    SSIList->Hide();
}

void THTMLEMainForm::SSIEchoListClick(TObject* /*Sender*/) {
    String variable;
    if (!ChosenItem(*SSIEchoList, variable)) {
        SSIEchoList->Hide();
        return;
    }
    SSIEchoList->Hide();
    SSIList->Hide();
    TagInsertion->InsertTag("<!-- #echo var=\"" + variable + "\" -->", "", 0);
}

// ---- Leaving a list ----

void THTMLEMainForm::AlignListBoxExit(TObject* /*Sender*/) {
    AlignListBox->Hide();
}

void THTMLEMainForm::DoctypeListExit(TObject* /*Sender*/) {
    DoctypeList->Hide();
}

void THTMLEMainForm::OtherStyleDropListExit(TObject* /*Sender*/) {
    OtherStyleDropList->Hide();
}

void THTMLEMainForm::ScriptTypeListExit(TObject* /*Sender*/) {
    ScriptTypeList->Hide();
}

void THTMLEMainForm::SSIListExit(TObject* /*Sender*/) {
    if (!SSIEchoList->Visible())
        SSIList->Hide();
}

void THTMLEMainForm::SSIEchoListExit(TObject* /*Sender*/) {
    SSIEchoList->Hide();
    SSIList->Hide();
}
