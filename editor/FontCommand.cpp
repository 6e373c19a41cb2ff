// The Font command: the editors' font or the printer's, chosen in the font dialog and kept in
// the registry.

#include "editor/FontCommand.h"

#include "editor/CorvaletForm.h"
#include "editor/FontSettings.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "services/ProgramSettings.h"

void TFontCommand::Build() {
    Font1 = InsertItem(&Form, Form.Preferences1, 0, "Font1", "&Font");
    Editor1 = AddItem(&Form, Font1, "Editor1", "&Editor...");
    Printer1 = AddItem(&Form, Font1, "Printer1", "&Printer...");
    FontDialog1 = NewComponent<TFontDialog>(&Form, "FontDialog1");
}

void TFontCommand::Bind() {
    for (TMenuItem* item : {Editor1, Printer1})
        item->OnClick = Handler(this, &TFontCommand::ChangeFontButtonClick);
}

void TFontCommand::ReadSettings() {
    TFont font = DefaultEditorFont();
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("Printer Font"), false))
        ReadFontSettings(reg, font);
    Form.PrinterForm->Font().Assign(font);
    Form.TextColour = font.Color();
}

void TFontCommand::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.Preferences1)
        Editor1->SetEnabled(!Form.ShowsViewOverPages());
}

void TFontCommand::ChangeFontButtonClick(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::ChangeFontButtonClick))
        return;
    bool printerFont = Sender == Printer1;
    TFont start;
    if (printerFont) {
        start.Assign(Form.PrinterForm->Font());
    } else {
        if (Form.ShowsViewOverPages())
            return;
        if (TRichEdit* editor = Form.GetMemo(-1))
            start.Assign(editor->Font());
    }
    FontDialog1->SetFont(start);
    FontDialog1->OnApply = printerFont ? nullptr : Handler(this, &TFontCommand::FontDialog1Apply);
    if (!FontDialog1->Execute())
        return;
    const TFont& chosen = FontDialog1->Font();
    // Strike-out is not carried to the editors.
    TFontStyles style = TagStyleBits(chosen.Style());
    if (printerFont) {
        TFont& font = Form.PrinterForm->Font();
        font.SetName(chosen.Name());
        font.SetSize(chosen.Size());
        font.SetColor(chosen.Color());
        font.SetStyle(chosen.Style());
        for (const auto& feature : Form.Features())
            feature->PrinterFontChosen(chosen);
    } else {
        GiveEditorsFont(chosen);
        Form.TextColour = chosen.Color();
        Form.TextStyle = style;
    }
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey(printerFont ? "Printer Font" : "Font"), true))
        WriteFontSettings(reg, chosen);
    if (!printerFont && Form.PageInUse(-1) && Form.GetMemo(-1)->CanFocus())
        Form.GetMemo(-1)->SetFocus();
}

void TFontCommand::FontDialog1Apply(TObject* /*Sender*/, HWND /*Wnd*/) {
    GiveEditorsFont(FontDialog1->Font());
}

void TFontCommand::GiveEditorsFont(const TFont& font) {
    for (TRichEdit* editor : Form.Memos) {
        editor->Font().SetName(font.Name());
        editor->Font().SetSize(font.Size());
        editor->Font().SetColor(font.Color());
        editor->Font().SetStyle(TagStyleBits(font.Style()));
    }
}
