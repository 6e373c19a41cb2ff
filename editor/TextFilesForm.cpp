#include "editor/TextFilesForm.h"

#include "platform/Events.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "services/ProgramSettings.h"

TTextFilesForm* TextFilesForm = nullptr;

namespace {

String TextFilesKey() {
    return ProductSubKey("Text Files");
}

} // namespace

const char* const DefaultTextFileExtensions = ".htm .html .shtml .txt .htt";

std::vector<String> StoredTextFileTypes() {
    std::vector<String> extensions;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(TextFilesKey())) {
        String extension;
        for (int number = 1; ReadSetting(reg, IntToStr(number), extension); ++number)
            extensions.push_back(extension);
    }
    return extensions;
}

std::vector<String> ReadTextFileTypes() {
    std::vector<String> extensions = StoredTextFileTypes();
    if (extensions.empty()) {
        TStringList defaults;
        defaults.SetCommaText(DefaultTextFileExtensions);
        for (int i = 0; i < defaults.Count(); ++i)
            extensions.push_back(defaults[i]);
    }
    return extensions;
}

String WriteTextFileTypes(const std::vector<String>& extensions) {
    TRegistry reg;
    reg.DeleteKey(TextFilesKey());
    if (!reg.OpenKey(TextFilesKey(), true))
        throw ERegistryException("Failed to create key " + TextFilesKey());
    String joined;
    for (size_t i = 0; i < extensions.size(); ++i) {
        reg.WriteString(IntToStr(static_cast<int>(i) + 1), extensions[i]);
        joined += extensions[i] + " ";
    }
    return joined;
}

TTextFilesForm::TTextFilesForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("TextFilesForm");
        SetCaption("Quiltmarker - Text Files");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(250);
        SetClientHeight(220);
        Font().SetName("MS Sans Serif");
        BuildControls();
    });
}

void TTextFilesForm::BuildControls() {
    Label1 = NewControl<TLabel>(this, this, "Label1", 8, 8, 150, 13);
    Label1->SetCaption("Treat following as text files:");
    ListBox1 = NewControl<TListBox>(this, this, "ListBox1", 8, 26, 140, 150);
    ListBox1->OnClick = Handler(this, &TTextFilesForm::ListBox1Click);
    ListBox1->OnKeyPress = Handler(this, &TTextFilesForm::ListBox1KeyPress);
    AddEdit = NewControl<TEdit>(this, this, "AddEdit", 8, 186, 140, 21);
    AddEdit->SetText("");
    AddEdit->OnChange = Handler(this, &TTextFilesForm::AddEditChange);
    AddButton = NewControl<TButton>(this, this, "AddButton", 160, 184, 80, 25);
    AddButton->SetCaption("&Add");
    AddButton->SetEnabled(false);
    AddButton->OnClick = Handler(this, &TTextFilesForm::AddButtonClick);
    DeleteButton = NewControl<TButton>(this, this, "DeleteButton", 160, 88, 80, 25);
    DeleteButton->SetCaption("&Delete");
    DeleteButton->SetEnabled(false);
    DeleteButton->OnClick = Handler(this, &TTextFilesForm::DeleteButtonClick);
    OKButton = NewControl<TButton>(this, this, "OKButton", 160, 26, 80, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 160, 56, 80, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

void TTextFilesForm::ShowExtensions(const std::vector<String>& extensions) {
    ListBox1->Clear();
    for (const String& extension : extensions)
        ListBox1->Items().Add(extension);
}

std::vector<String> TTextFilesForm::Extensions() const {
    std::vector<String> extensions;
    for (int i = 0; i < ListBox1->Items().Count(); ++i)
        extensions.push_back(ListBox1->Items()[i]);
    return extensions;
}

void TTextFilesForm::AddEditChange(TObject* /*Sender*/) {
    AddButton->SetEnabled(!AddEdit->Text().empty());
}

// Taken as typed: no dot is added and a repeated entry is kept.
void TTextFilesForm::AddButtonClick(TObject* /*Sender*/) {
    ListBox1->Items().Add(AddEdit->Text());
    AddEdit->SetText("");
}

void TTextFilesForm::ListBox1Click(TObject* /*Sender*/) {
    DeleteButton->SetEnabled(true);
}

void TTextFilesForm::DeleteButtonClick(TObject* /*Sender*/) {
    if (ListBox1->ItemIndex() >= 0)
        ListBox1->Items().Delete(ListBox1->ItemIndex());
    DeleteButton->SetEnabled(false);
}

// A full stop typed in the list deletes the chosen entry, as the Delete button does.
void TTextFilesForm::ListBox1KeyPress(TObject* Sender, char& Key) {
    if (Key == '.')
        DeleteButtonClick(Sender);
}
