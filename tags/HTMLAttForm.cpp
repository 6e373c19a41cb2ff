#include "tags/HTMLAttForm.h"

#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLGlobal.h"

TAttForm* AttForm = nullptr;

String AttributeCatalogueFile() {
    return ProgramFolder() + "html40.att";
}

namespace {

// Shown, and given the focus when the dialog can take it.
void ShowEditor(TWinControl* editor) {
    editor->SetVisible(true);
    if (editor->CanFocus())
        editor->SetFocus();
}

// The pieces of a list code between its vertical bars, in order.
void SplitListCode(const String& code, TStrings& items) {
    size_t start = 0;
    for (size_t bar = code.find('|'); bar != String::npos; bar = code.find('|', start)) {
        items.Add(code.substr(start, bar - start));
        start = bar + 1;
    }
    items.Add(code.substr(start));
}

} // namespace

TAttForm::TAttForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("AttForm");
        SetCaption("AttForm");
        SetBorderStyle(bsDialog);
        SetBorderIcons({});
        SetClientWidth(240);
        SetClientHeight(210);
        ListBox = NewControl<TListBox>(this, this, "ListBox", 4, 4, 232, 140);
        ListBox->OnClick = Handler(this, &TAttForm::ListBoxClick);
        Edit = NewControl<TEdit>(this, this, "Edit", 4, 150, 232, 21);
        ComboBox = NewControl<TComboBox>(this, this, "ComboBox", 4, 150, 232, 21);
        NumEdit = NewControl<TEdit>(this, this, "NumEdit", 4, 150, 60, 21);
        PCCheck = NewControl<TCheckBox>(this, this, "PCCheck", 72, 152, 40, 17);
        PCCheck->SetCaption("%");
        OKButton = NewControl<TButton>(this, this, "OKButton", 80, 180, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &TAttForm::OKButtonClick);
        Button1 = NewControl<TButton>(this, this, "Button1", 161, 180, 75, 25);
        Button1->SetCaption("Cancel");
        Button1->SetCancel(true);
        Button1->SetModalResult(mrCancel);
        ColorDialog = NewComponent<TColorDialog>(this, "ColorDialog");
        ColorDialog->SetOptions({cdAnyColor});
        HideEditors();
    });
}

void TAttForm::ListAttributes(const String& tagSection, TStrings& nameValues) {
    ListBox->Items().BeginUpdate();
    ListBox->Items().Clear();
    for (int i = 0; i < nameValues.Count(); ++i) {
        const String line = nameValues.Get(i);
        const size_t equals = line.find('=');
        const String name = LowerCase(line.substr(0, equals));
        // An attribute without a code offers nothing to write; a key given twice is listed once.
        if (equals == String::npos || equals + 1 == line.size() ||
            ListBox->Items().IndexOf(name) >= 0)
            continue;
        ListBox->Items().Add(name);
    }
    ListBox->Items().EndUpdate();
    HideEditors();
    TagSection = tagSection;
    AttributeText.clear();
    ValueCode.clear();
}

void TAttForm::HideEditors() {
    ComboBox->SetVisible(false);
    Edit->SetVisible(false);
    NumEdit->SetVisible(false);
    PCCheck->SetVisible(false);
}

void TAttForm::ListBoxClick(TObject* /*Sender*/) {
    const int index = ListBox->ItemIndex();
    if (index < 0)
        return;
    const String name = ListBox->Items().Get(index);
    TIniFile catalogue(AttributeCatalogueFile());
    ValueCode = catalogue.ReadString(TagSection, name, "");
    if (ValueCode.empty())
        return;
    AttributeText = name;
    NumEdit->SetVisible(false);
    NumEdit->SetText("");
    Edit->SetVisible(false);
    Edit->SetText("");
    ComboBox->SetVisible(false);
    ComboBox->Items().Clear();
    ComboBox->SetText("");
    PCCheck->SetVisible(false);
    PCCheck->SetChecked(false);
    if (ValueCode == "0")
        return;
    if (ValueCode == "!") {
        // A colour attribute without a colour is not written.
        if (!ChooseColour())
            AttributeText.clear();
    } else if (ValueCode == "#") {
        ShowEditor(NumEdit);
    } else if (ValueCode == "%") {
        PCCheck->SetVisible(true);
        ShowEditor(NumEdit);
    } else if (ValueCode == "$") {
        ShowEditor(Edit);
    } else {
        SplitListCode(ValueCode, ComboBox->Items());
        ComboBox->SetText(ComboBox->Items().Get(0));
        ShowEditor(ComboBox);
    }
}

bool TAttForm::ChooseColour() {
    if (!ColorDialog->Execute())
        return false;
    Edit->SetText(GlobalForm->HTMLColourText(ColorDialog->Color() & 0xFFFFFF));
    Edit->SetVisible(true);
    return true;
}

String TAttForm::InTagCase(const String& text) const {
    return LowerCaseTag ? LowerCase(text) : UpperCase(text);
}

void TAttForm::OKButtonClick(TObject* /*Sender*/) {
    // Nothing chosen (or a colour not given): OK writes nothing rather than a bare "=".
    if (!AttributeText.empty()) {
        String text = InTagCase(AttributeText);
        if (ValueCode != "0") {
            text += "=";
            if (ValueCode == "#" || ValueCode == "%")
                text += PCCheck->Checked() ? "\"" + NumEdit->Text() + "%\"" : NumEdit->Text();
            else if (Edit->Visible())
                text += "\"" + QuotedValue(Edit->Text()) + "\"";
            else
                text += InTagCase(ComboBox->Text());
        }
        AttributeText = text;
    }
    SetModalResult(mrOk);
}
