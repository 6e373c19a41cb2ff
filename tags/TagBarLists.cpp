// The tag bar's drop-down lists: a button shows its list under it and gives it the focus, a
// choice inserts and hides it, and leaving it hides it.

#include "tags/TagButtons.h"

#include "editor/TextTransforms.h"
#include "platform/Events.h"
#include "platform/Grids.h"
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

// The lists, in the order they are made, with their items.
struct TDropList {
    TListBox* TTagButtons::*Member;
    const char* Name;
    std::initializer_list<const char*> Items;
};

const TDropList DropLists[] = {
    {&TTagButtons::CharListBox, "CharListBox", {}},
    {&TTagButtons::DoctypeList,
     "DoctypeList",
     {"HTML Version 4.0", "HTML Version 3.2", "HTML Version 2.0", "HTML Version 1.0",
      "HTML Version 3.2 (Spyglass spec.)", "Spyglass HTML Version 2", "Internet Explorer 2.0"}},
    {&TTagButtons::OtherStyleDropList,
     "OtherStyleDropList",
     {"TT", "CODE", "KBD", "ADDRESS", "BLOCKQUOTE", "CITE", "LISTING", "PLAINTEXT", "SAMP", "SMALL",
      "VAR", "STRIKE", "S"}},
    {&TTagButtons::ReplaceAnglesList,
     "ReplaceAnglesList",
     {"<> to code", "<> to code+BR", "Code to <>", "Code to <>-BR"}},
    {&TTagButtons::AlignListBox, "AlignListBox", {"LEFT", "CENTER", "RIGHT", "JUSTIFY"}},
    {&TTagButtons::ScriptTypeList,
     "ScriptTypeList",
     {"(none)", "JavaScript", "JavaScript 1.1", "JavaScript 1.2", "JScript", "VBScript"}},
    {&TTagButtons::SSIList,
     "SSIList",
     {"break", "config", "echo", "email", "exec", "flastmod", "fsize", "goto", "if", "include",
      "label", "odbc"}},
    {&TTagButtons::SSIEchoList,
     "SSIEchoList",
     {"ACCEPT_LANGUAGE",
      "AUTH_TYPE",
      "CONTENT_LENGTH",
      "CONTENT_TYPE",
      "DATE_GMT",
      "DATE_LOCAL",
      "DOCUMENT_NAME",
      "DOCUMENT_URI",
      "FORWARDED",
      "FROM",
      "GATEWAY_INTERFACE",
      "HTTP_ACCEPT",
      "HTTP_COOKIE",
      "HTTP_USER_AGENT",
      "LAST_MODIFIED",
      "PATH_INFO",
      "PATH_TRANSLATED",
      "QUERY_STRING",
      "QUERY_STRING_UNESCAPED",
      "REFERER",
      "REMOTE_ADDR",
      "REMOTE_HOST",
      "REMOTE_IDENT",
      "REMOTE_USER",
      "REQUEST_METHOD",
      "SCRIPT_NAME",
      "SERVER_NAME",
      "SERVER_PORT",
      "SERVER_PROTOCOL",
      "SERVER_SOFTWARE",
      ""}},
};

// The chosen item's text, or false when no item is chosen.
bool ChosenItem(const TListBox& list, String& item) {
    int index = list.ItemIndex();
    if (index < 0 || index >= list.Items().Count())
        return false;
    item = list.Items()[index];
    return true;
}

} // namespace

// Under the tag bar, hidden until their buttons show them.
void TTagButtons::BuildTagBarLists() {
    for (const TDropList& list : DropLists) {
        auto* box = NewControl<TListBox>(&Form, &Form, list.Name);
        box->SetBounds(0, Form.TopPanel->Height(), 150, 120);
        box->SetVisible(false);
        for (const char* item : list.Items)
            box->Items().Add(item);
        this->*list.Member = box;
    }
    CharGrid = NewControl<TStringGrid>(&Form, &Form, "CharGrid");
    CharGrid->SetBounds(0, Form.TopPanel->Height(), 200, 120);
    CharGrid->SetVisible(false);
    GridPanel1 = NewControl<TPanel>(&Form, &Form, "GridPanel1");
    GridPanel2 = NewControl<TPanel>(&Form, &Form, "GridPanel2");
    for (TPanel* panel : {GridPanel1, GridPanel2}) {
        panel->SetBounds(0, Form.TopPanel->Height(), 200, 120);
        panel->SetCaption("");
        panel->SetVisible(false);
    }
}

void TTagButtons::BindTagBarLists() {
    AlignListBox->OnClick = Handler(this, &TTagButtons::AlignListBoxClick);
    DoctypeList->OnClick = Handler(this, &TTagButtons::DoctypeListClick);
    OtherStyleDropList->OnClick = Handler(this, &TTagButtons::OtherStyleDropListClick);
    ScriptTypeList->OnClick = Handler(this, &TTagButtons::ScriptTypeListClick);
    SSIList->OnClick = Handler(this, &TTagButtons::SSIListClick);
    SSIEchoList->OnClick = Handler(this, &TTagButtons::SSIEchoListClick);
    AlignListBox->OnExit = Handler(this, &TTagButtons::AlignListBoxExit);
    DoctypeList->OnExit = Handler(this, &TTagButtons::DoctypeListExit);
    OtherStyleDropList->OnExit = Handler(this, &TTagButtons::OtherStyleDropListExit);
    ScriptTypeList->OnExit = Handler(this, &TTagButtons::ScriptTypeListExit);
    SSIList->OnExit = Handler(this, &TTagButtons::SSIListExit);
    SSIEchoList->OnExit = Handler(this, &TTagButtons::SSIEchoListExit);
    ReplaceAnglesList->OnClick = Handler(this, &TTagButtons::ReplaceAnglesListClick);
    ReplaceAnglesList->OnExit = Handler(this, &TTagButtons::ReplaceAnglesListExit);
}

// Typing, a page change, another page of the bar or an insertion with no page open: the lists go.
void TTagButtons::HidePopupLists() {
    for (TControl* list : std::initializer_list<TControl*>{
             CharListBox, DoctypeList, CharGrid, GridPanel1, GridPanel2, OtherStyleDropList,
             ReplaceAnglesList, ScriptTypeList, SSIList, SSIEchoList})
        list->Hide();
    if (Form.GetMemo(-1))
        AlignListBox->Hide();
}

void TTagButtons::PlaceListUnder(TListBox* list, TControl* button) {
    TPoint buttonRight =
        Form.ScreenToClient(button->ClientToScreen(TPoint{button->Width(), button->Height()}));
    list->SetTop(Form.TopPanel->Top() + Form.TopPanel->Height());
    list->SetLeft(std::max(0, buttonRight.x + 6 - list->Width()));
}

bool TTagButtons::ToggleDropList(TListBox* list, TControl* button) {
    PlaceListUnder(list, button);
    if (list->Visible()) {
        list->Hide();
        return false;
    }
    ShowDropList(list);
    return true;
}

// Over the pages and the panes, whichever came to the front last.
void TTagButtons::ShowDropList(TListBox* list) {
    list->Show();
    list->BringToFront();
    if (list->CanFocus())
        list->SetFocus();
}

void TTagButtons::DropAlignList(TControl* button, const String& tag) {
    if (ToggleDropList(AlignListBox, button))
        PendingAlignTag = tag;
}

// ---- The buttons ----

void TTagButtons::DoctypeButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::DoctypeButtonClick))
        return;
    ToggleDropList(DoctypeList, DoctypeButton);
}

void TTagButtons::OtherFontButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::OtherFontButtonClick))
        return;
    ToggleDropList(OtherStyleDropList, OtherFontButton);
}

void TTagButtons::ScriptButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ScriptButtonClick))
        return;
    ToggleDropList(ScriptTypeList, ScriptButton);
}

void TTagButtons::ReplaceAnglesButtonClick(TObject* /*Sender*/) {
    ToggleDropList(ReplaceAnglesList, ReplaceAnglesButton);
}

void TTagButtons::SSIButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SSIButtonClick))
        return;
    SSIEchoList->Hide();
    ToggleDropList(SSIList, SSIButton);
}

// ---- Choices ----

void TTagButtons::AlignListBoxClick(TObject* /*Sender*/) {
    AlignListBox->Hide();
    String item;
    if (!ChosenItem(*AlignListBox, item))
        return;
    String start = PendingAlignTag;
    if (item != "LEFT")
        start += " ALIGN=" + item;
    Form.TagInsertion->InsertTag(start + ">", "</" + PendingAlignTag.substr(1) + ">", 0);
}

void TTagButtons::DoctypeListClick(TObject* /*Sender*/) {
    int index = DoctypeList->ItemIndex();
    if (index >= 0 && index < static_cast<int>(std::size(DoctypeLines)))
        Form.TagInsertion->InsertTag(DoctypeLines[index], "\r\n", 0);
    DoctypeList->Hide();
}

void TTagButtons::OtherStyleDropListClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::OtherStyleDropListClick))
        return;
    OtherStyleDropList->Hide();
    String style;
    if (ChosenItem(*OtherStyleDropList, style))
        Form.TagInsertion->InsertTag("<" + style + ">", "</" + style + ">", 0);
}

// The script's own line breaks are single line feeds, as scripts were written.
void TTagButtons::ScriptTypeListClick(TObject* /*Sender*/) {
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
    Form.TagInsertion->InsertTag(start, "\n//-->\n</SCRIPT>", 0);
    ScriptTypeList->Hide();
}

void TTagButtons::SSIListClick(TObject* /*Sender*/) {
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
    Form.TagInsertion->InsertTag("<!-- #" + directive + " ", " -->", 0);
    SSIList->Hide();
}

void TTagButtons::SSIEchoListClick(TObject* /*Sender*/) {
    String variable;
    if (!ChosenItem(*SSIEchoList, variable)) {
        SSIEchoList->Hide();
        return;
    }
    SSIEchoList->Hide();
    SSIList->Hide();
    Form.TagInsertion->InsertTag("<!-- #echo var=\"" + variable + "\" -->", "", 0);
}

void TTagButtons::ReplaceAnglesListClick(TObject* /*Sender*/) {
    ReplaceAnglesList->Hide();
    Form.TextTransforms->ConvertAnglesInSelection(ReplaceAnglesList->ItemIndex());
}

// ---- Leaving a list ----

void TTagButtons::AlignListBoxExit(TObject* /*Sender*/) {
    AlignListBox->Hide();
}

void TTagButtons::DoctypeListExit(TObject* /*Sender*/) {
    DoctypeList->Hide();
}

void TTagButtons::OtherStyleDropListExit(TObject* /*Sender*/) {
    OtherStyleDropList->Hide();
}

void TTagButtons::ScriptTypeListExit(TObject* /*Sender*/) {
    ScriptTypeList->Hide();
}

void TTagButtons::SSIListExit(TObject* /*Sender*/) {
    if (!SSIEchoList->Visible())
        SSIList->Hide();
}

void TTagButtons::SSIEchoListExit(TObject* /*Sender*/) {
    SSIEchoList->Hide();
    SSIList->Hide();
}

void TTagButtons::ReplaceAnglesListExit(TObject* /*Sender*/) {
    ReplaceAnglesList->Hide();
}
