// The Font command: the editors' font or the printer's, chosen in the font dialog and kept in
// the registry.

#include "editor/CorvaletForm.h"

#include "editor/FontSettings.h"
#include "platform/Events.h"
#include "services/ProgramSettings.h"

void THTMLEMainForm::BuildFontCommand() {
    Font1 = InsertItem(this, Preferences1, 0, "Font1", "&Font");
    Editor1 = AddItem(this, Font1, "Editor1", "&Editor...");
    Printer1 = AddItem(this, Font1, "Printer1", "&Printer...");
    FontDialog1 = NewComponent<TFontDialog>(this, "FontDialog1");
}

void THTMLEMainForm::BindFontCommand() {
    for (TMenuItem* item : {Editor1, Printer1})
        item->OnClick = Handler(this, &THTMLEMainForm::ChangeFontButtonClick);
}

void THTMLEMainForm::ChangeFontButtonClick(TObject* Sender) {
    if (HandleHelpPointer(HelpContexts::ChangeFontButtonClick))
        return;
    bool printerFont = Sender == Printer1;
    TFont start;
    if (printerFont) {
        start.Assign(PrinterForm->Font());
    } else {
        if (ShowsViewOverPages())
            return;
        if (TRichEdit* editor = GetMemo(-1))
            start.Assign(editor->Font());
    }
    FontDialog1->SetFont(start);
    if (!FontDialog1->Execute())
        return;
    const TFont& chosen = FontDialog1->Font();
    // Strike-out is not carried to the editors.
    TFontStyles style = TagStyleBits(chosen.Style());
    if (printerFont) {
        PrinterForm->Font().SetName(chosen.Name());
        PrinterForm->Font().SetSize(chosen.Size());
        PrinterForm->Font().SetColor(chosen.Color());
        PrinterForm->Font().SetStyle(chosen.Style());
        for (const auto& feature : FFeatures)
            feature->PrinterFontChosen(chosen);
    } else {
        for (TRichEdit* editor : Memos) {
            editor->Font().SetName(chosen.Name());
            editor->Font().SetSize(chosen.Size());
            editor->Font().SetColor(chosen.Color());
            editor->Font().SetStyle(style);
        }
        TextColour = chosen.Color();
        TextStyle = style;
    }
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey(printerFont ? "Printer Font" : "Font"), true))
        WriteFontSettings(reg, chosen);
    if (!printerFont && PageInUse(-1) && GetMemo(-1)->CanFocus())
        GetMemo(-1)->SetFocus();
}
