#include "tags/UserTexts.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/FontSettings.h"
#include "editor/Templates.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "services/ProgramSettings.h"
#include "tags/HTMLGlobal.h"
#include "tags/HTMLGlossary.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "tags/UserDefForm.h"
#include "widgets/QmToolbars.h"

namespace {

const String UserDefKey = ProductSubKey("UserDef");

String ValueName(int number, const char* part) {
    return "UserDef" + IntToStr(number) + part;
}

} // namespace

void TUserTexts::Bind() {
    TTagButtons& bar = *Form.TagButtons;
    bar.GlossaryButton->OnClick = Handler(this, &TUserTexts::GlossaryButtonClick);
    for (int i = 0; i < THTMLEMainForm::UserButtonCount; ++i) {
        TQmToolbarButton* button = bar.UserButtons[i];
        button->OnClick = Handler(this, &TUserTexts::User1ButtonClick);
        Form.TagInsertion->UserItems[i]->OnClick = [this, button](TObject*) {
            User1ButtonClick(button);
        };
    }
}

// ---- The glossary ----

String TUserTexts::GlossaryFolder() const {
    return IncludeTrailingPathDelimiter(Form.TemplateFolder.empty() ? Form.ProgramFolder
                                                                    : Form.TemplateFolder);
}

// The dialog lives for the whole run; should it not be there, it is made now.
void TUserTexts::GlossaryButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::GlossaryButtonClick))
        return;
    if (!EnsureDialog(GlossaryForm))
        return;
    ApplyButtonLook(GlossaryForm, TButtonLook::FromSetting);
    GlossaryForm->IniFileName = GlossaryFolder() + GlossaryIndexName;
    GlossaryForm->TargetEditor = Form.AnyDocumentOpen() ? Form.GetMemo(-1) : nullptr;
    GlossaryForm->TemplateFolder = Form.TemplateFolder;
    GlossaryForm->TabWidth = Form.TabWidth;
    GlossaryForm->ShowModal();
}

// ---- The user buttons ----

TUserTexts::TDefinition TUserTexts::ReadDefinition(int number) {
    TDefinition definition;
    TRegistry reg;
    if (!reg.OpenKey(UserDefKey, false))
        return definition;
    ReadSetting(reg, ValueName(number, "Before"), definition.Before);
    ReadSetting(reg, ValueName(number, "After"), definition.After);
    ReadSetting(reg, ValueName(number, "Text"), definition.Text);
    ReadSetting(reg, ValueName(number, "Glyph"), definition.Glyph);
    return definition;
}

String TUserTexts::ButtonHint(int number, const String& hint) {
    if (hint.empty())
        return "Undefined";
    return hint + " (Alt+" + (number <= 9 ? IntToStr(number) : "Shift+" + IntToStr(number - 10)) +
           ")";
}

void TUserTexts::User1ButtonClick(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::User1ButtonClick))
        return;
    auto* button = static_cast<TQmToolbarButton*>(Sender);
    const TDefinition definition = ReadDefinition(button->Tag());
    const bool defined = !definition.Before.empty() || !definition.After.empty();
    if (defined && !GlobalForm->IsKeyDown(VK_CONTROL))
        Form.TagInsertion->InsertTag(definition.Before, definition.After, 0);
    else
        DefineButton(button, definition);
}

void TUserTexts::DefineButton(TQmToolbarButton* button, const TDefinition& definition) {
    TDialogGuard<THTMLEUserDefForm> dialog(HTMLEUserDefForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    const int number = button->Tag();
    TRegistry reg;
    String hint;
    if (reg.OpenKey(UserDefKey, false))
        ReadSetting(reg, ValueName(number, "Hint"), hint);
    dialog->ButtonNumber = number;
    dialog->ButtonTextEdit->SetText(definition.Text);
    dialog->GlyphFileName = definition.Glyph;
    dialog->BeforeEdit->SetText(definition.Before);
    dialog->AfterEdit->SetText(definition.After);
    dialog->HintEdit->SetText(hint);
    dialog->ShowGlyphFile(definition.Glyph);
    if (dialog.ShowModal() != mrOk)
        return;

    if (dialog->GlyphEdit->Text().empty())
        dialog->GlyphFileName = "";
    dialog->CommitGlyphFile(definition.Glyph);
    const String text = dialog->ButtonTextEdit->Text();
    reg.OpenKey(UserDefKey, true);
    reg.WriteString(ValueName(number, "Text"), text);
    if (text.empty()) {
        button->SetCaption(IntToStr(number));
        button->Font().SetName(DefaultFontName);
    } else {
        button->SetCaption(text);
        button->SetGlyph(nullptr);
        button->Font().SetName("Small Fonts");
    }
    reg.WriteString(ValueName(number, "Before"), dialog->BeforeEdit->Text());
    reg.WriteString(ValueName(number, "After"), dialog->AfterEdit->Text());
    reg.WriteString(ValueName(number, "Glyph"), dialog->GlyphFileName);
    if (!dialog->GlyphFileName.empty() && FileExists(dialog->GlyphFileName)) {
        THTMLEMainForm::LoadButtonGlyph(button, dialog->GlyphFileName);
        button->SetCaption("");
    } else {
        button->SetGlyph(nullptr);
    }
    reg.WriteString(ValueName(number, "Hint"), dialog->HintEdit->Text());
    button->SetHint(ButtonHint(number, dialog->HintEdit->Text()));
}
