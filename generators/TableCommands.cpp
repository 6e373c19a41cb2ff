#include "generators/TableCommands.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "generators/HTMLColumn.h"
#include "generators/HTMLTable.h"
#include "generators/HTMLTextToTable.h"
#include "generators/HTML_TD.h"
#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

const String NoTextMessage = "No text has been selected for the table.";

// The user hears what the designer would leave out of the selected table; true to go on.
bool AcceptUnheld(const THTMLEMainForm& main, const std::vector<String>& unheld) {
    if (unheld.empty())
        return true;
    String text = "The table designer cannot keep everything in this table:";
    for (const String& what : unheld)
        text += "\r\n- " + what;
    text += "\r\n\r\nEdit the table without them?";
    return MessageBox(main.Handle(), text, "Quiltmarker", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The indent text of the generated rows is a tab for this command only; the preference's own
// value comes back when it ends.
class TIndentAsTab {
public:
    explicit TIndentAsTab(String& indent) : FIndent(indent), FSaved(indent) {
        FIndent.assign(1, '\t');
    }
    ~TIndentAsTab() { FIndent = FSaved; }
    TIndentAsTab(const TIndentAsTab&) = delete;
    TIndentAsTab& operator=(const TIndentAsTab&) = delete;

private:
    String& FIndent;
    String FSaved;
};

} // namespace

void TTableCommands::Bind() {
    TTagButtons& buttons = *Form.TagButtons;
    buttons.MakeTableButton->OnClick = Handler(this, &TTableCommands::MakeTableButtonClick);
    buttons.TableFromTextButton->OnClick = Handler(this, &TTableCommands::TableFromTextButtonClick);
    buttons.ColgroupButton->OnClick = Handler(this, &TTableCommands::ColgroupButtonClick);
}

String TTableCommands::WriteTableHTML(bool compact) {
    return WriteTable(HTMLTableForm->Design(), compact, Form.AutoInsertTab);
}

bool TTableCommands::ParseTableHTML(const String& text) {
    TTableReading reading = ReadTable(text);
    if (reading.Read)
        HTMLTableForm->LoadDesign(reading.Design);
    return reading.Read;
}

// The selected table, when there is one, is read into the designer; OK puts the designer's
// table in place of the selection, keeping any text selected after the table's end tag.
void TTableCommands::MakeTableButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MakeTableButtonClick) || !Form.AnyDocumentOpen())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    int selStart = editor->SelStart();
    int selLength = editor->SelLength();
    TTableReading reading;
    if (selLength > 0) {
        reading = ReadTable(editor->SelText());
        if (reading.Read && !AcceptUnheld(Form, reading.Unheld))
            return;
    }
    TDialogGuard<THTMLTableForm> dialog(HTMLTableForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    if (reading.Read)
        dialog->LoadDesign(reading.Design);
    if (dialog.ShowModal() != mrOk)
        return;
    editor->SetSelStart(selStart);
    editor->SetSelLength(selLength);
    editor->SetSelText("");
    Form.TagInsertion->InsertWhole(WriteTableHTML(false) + reading.After, "", 0);
}

// The page keeps the selection until the table is ready, so that every way out that makes no
// table leaves it exactly as it was.
void TTableCommands::TableFromTextButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::TableFromTextButtonClick) || !Form.AnyDocumentOpen())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (editor->SelText().empty()) {
        ShowMessage(NoTextMessage);
        return;
    }
    TIndentAsTab tabIndent(Form.AutoInsertTab);
    int selStart = editor->SelStart();
    int selLength = editor->SelLength();
    String text = TableSourceText(editor->SelText());
    if (text.empty()) {
        ShowMessage(NoTextMessage);
        return;
    }
    TDialogGuard<TTextToTableForm> options(TextToTableForm, TButtonLook::FromSetting);
    if (!options || options.ShowModal() != mrOk)
        return;
    TTextTableOptions chosen = TTextTableOptions::From(*options);
    bool compact = options->CompactFormatCheck->Checked();
    if (options->TopIsTemplateCheck->Checked()) {
        String pattern = PatternLineOf(text);
        if (!HasLinesUnderPattern(text)) {
            ShowMessage(NoTextMessage);
            return;
        }
        if (!chosen.IsSeparator(pattern[0]) &&
            MessageBox(Form.Handle(),
                       "First line does not appear to be a template line.\r\nContinue anyway?",
                       "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        ConvertByPattern(text, chosen);
    }
    String generated = TableFromMarkedText(MarkedText(text, chosen), chosen, Form.AutoInsertTab);
    TDialogGuard<THTMLTableForm> designer(HTMLTableForm, TButtonLook::FromSetting);
    if (!designer || !ParseTableHTML(generated) || designer.ShowModal() != mrOk)
        return;
    String table = WriteTableHTML(compact);
    table.erase(table.find("</TABLE>") + 8);
    editor->SetSelStart(selStart);
    editor->SetSelLength(selLength);
    editor->SetSelText("");
    Form.TagInsertion->InsertWhole(table, "", 0);
}

void TTableCommands::ColgroupButtonClick(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::ColgroupButtonClick))
        return;
    TDialogGuard<THTMLColumnForm> dialog(HTMLColumnForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->Prepare(Sender == Form.TagButtons->ColgroupButton);
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->ColumnTag(), "", 0);
}

// Reached by a Ctrl-click, whose Ctrl would otherwise keep the end tag out: both tags go in.
void TTableCommands::EditTableCellTag(const String& tagName) {
    TDialogGuard<THTMLTDForm> dialog(HTMLTDForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    if (tagName == "TR")
        dialog->HideCellControls();
    if (dialog.ShowModal() == mrOk)
        Form.TagInsertion->InsertWhole(dialog->CellTag(tagName), "</" + tagName + ">", 0);
}
