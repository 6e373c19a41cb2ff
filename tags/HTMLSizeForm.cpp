#include "tags/HTMLSizeForm.h"

#include "editor/DialogGuard.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"
#include "widgets/QmToolbars.h"

#include <cctype>

TSizeForm* SizeForm = nullptr;

namespace {

struct TInputLayout {
    TInputKind Kind;
    const char* Caption;
    const char* TypeWord;
    const char* Name;
    bool HasSize;
    bool HasMaxLength;
    bool HasValue;
    bool HasCheck;
    bool HasSource;
};

const TInputLayout InputLayouts[] = {
    {TInputKind::Text, "Type: Text", "text", "Text", true, true, true, true, false},
    {TInputKind::Password, "Type: Password", "password", "Password", true, true, true, false,
     false},
    {TInputKind::Hidden, "Type: Hidden", "hidden", "Hidden", false, false, true, false, false},
    {TInputKind::File, "Type: File", "file", "File", true, false, false, true, false},
    {TInputKind::Image, "Type: Image", "image", "Image", false, false, false, true, true},
};

const TInputLayout& LayoutOf(TInputKind kind) {
    for (const TInputLayout& layout : InputLayouts)
        if (layout.Kind == kind)
            return layout;
    return InputLayouts[0];
}

void ShowControls(std::initializer_list<TControl*> controls, bool shown) {
    for (TControl* control : controls)
        control->SetVisible(shown);
}

void HideAll(std::initializer_list<TControl*> controls) {
    ShowControls(controls, false);
}

} // namespace

TSizeForm::TSizeForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("SizeForm");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(350);
        SetClientHeight(244);
        BuildControls();
    });
}

TEdit* TSizeForm::AddRow(const String& name, const String& caption, int top, TLabel*& label) {
    label = NewControl<TLabel>(this, Panel1, name + "Label", 8, top + 4, 76, 13);
    label->SetCaption(caption);
    auto* edit = NewControl<TEdit>(this, Panel1, name + "Edit", 88, top, 140, 21);
    label->SetFocusControl(edit);
    return edit;
}

void TSizeForm::BuildControls() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1", 4, 4, 256, 236);
    SizeEdit = AddRow("Size", "Size", 8, SizeLabel);
    SizeEdit->SetWidth(50);
    SizeUpDown = AddUpDown(this, Panel1, "SizeUpDown", SizeEdit, 2, 1200);
    SizeUpDown->SetPosition(30);
    MaxLengthEdit = AddRow("MaxLength", "Max length", 36, MaxLengthLabel);
    MaxLengthEdit->SetWidth(50);
    MaxLengthUpDown = AddUpDown(this, Panel1, "MaxLengthUpDown", MaxLengthEdit, 1, 500);
    MaxLengthUpDown->SetPosition(1);
    NameEdit = AddRow("Name", "Name", 64, NameLabel);
    Check = NewControl<TCheckBox>(this, Panel1, "Check", 8, 94, 97, 17);
    Check->SetCaption("Checked");
    Check->SetAlignment(taLeftJustify);
    ValueEdit = AddRow("Value", "Value", 120, ValueLabel);
    AlignLabel = NewControl<TLabel>(this, Panel1, "AlignLabel", 8, 152, 76, 13);
    AlignLabel->SetCaption("Align");
    AlignCombo = NewControl<TComboBox>(this, Panel1, "AlignCombo", 88, 148, 90, 21);
    AlignLabel->SetFocusControl(AlignCombo);
    for (const char* item : {"LEFT", "RIGHT"})
        AlignCombo->Items().Add(item);
    AlignCombo->SetText("LEFT");
    RowsEdit = AddRow("Rows", "Rows", 176, RowsLabel);
    RowsEdit->SetWidth(50);
    RowsUpDown = AddUpDown(this, Panel1, "RowsUpDown", RowsEdit, 1, 100);
    RowsUpDown->SetPosition(1);
    InputEdit = AddRow("Input", "Filename", 204, InputLabel);
    InputBrowseButton =
        NewControl<TQmToolbarButton>(this, Panel1, "InputBrowseButton", 230, 203, 23, 22);
    InputBrowseButton->SetCaption("...");
    InputBrowseButton->OnClick = Handler(this, &TSizeForm::InputBrowseButtonClick);
    HideAll({InputLabel, InputEdit, InputBrowseButton});

    OKButton = AddModalButton(this, this, "OKButton", mrOk, 268, 8);
    OKButton->OnClick = Handler(this, &TSizeForm::OKButtonClick);
    CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 268, 40);
    CancelButton->OnClick = Handler(this, &TSizeForm::CancelButtonClick);
    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
    OpenDialog->SetFilter("Image files (*.gif;*.jpg;*.bmp)|*.gif;*.jpg;*.bmp|All files (*.*)|*.*");
}

String TSizeForm::MissingEntry() const {
    if (Caption() == "Type: Radio" && ValueEdit->Text().empty())
        return "You must give a VALUE for a radio button.";
    if (NameEdit->Text().empty())
        return "You must give a NAME for the form item.";
    return "";
}

void TSizeForm::OKButtonClick(TObject* /*Sender*/) {
    const String missing = MissingEntry();
    if (missing.empty()) {
        SetModalResult(mrOk);
        return;
    }
    SetModalResult(mrNone);
    MessageBox(Handle(), missing, "Quiltmarker", MB_OK | MB_ICONERROR);
}

void TSizeForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TSizeForm::InputBrowseButtonClick(TObject* /*Sender*/) {
    if (OpenDialog->Execute())
        InputEdit->SetText(URLFromPage(OpenDialog->FileName(), PageFolder));
}

void TSizeForm::HideSize() {
    HideAll({SizeEdit, SizeUpDown, SizeLabel});
}

void TSizeForm::HideMaxLength() {
    HideAll({MaxLengthEdit, MaxLengthUpDown, MaxLengthLabel});
}

void TSizeForm::HideRows() {
    HideAll({RowsEdit, RowsUpDown, RowsLabel});
}

void TSizeForm::HideAlign() {
    HideAll({AlignCombo, AlignLabel});
}

void TSizeForm::HideValue() {
    HideAll({ValueEdit, ValueLabel});
}

void TSizeForm::PrepareInput(TInputKind kind) {
    const TInputLayout& layout = LayoutOf(kind);
    SetCaption(layout.Caption);
    FTypeWord = layout.TypeWord;
    NameEdit->SetText(layout.Name);
    if (!layout.HasSize)
        HideSize();
    if (!layout.HasMaxLength)
        HideMaxLength();
    if (!layout.HasValue)
        HideValue();
    if (!layout.HasCheck)
        Check->Hide();
    ShowControls({InputLabel, InputEdit, InputBrowseButton}, layout.HasSource);
    SizeUpDown->SetPosition(30);
    for (TEdit* edit : {SizeEdit, ValueEdit, MaxLengthEdit})
        edit->SetText("");
    Check->SetCaption("Disabled");
    HideAlign();
    HideRows();
}

void TSizeForm::PrepareTextArea() {
    SetCaption("Type: Textarea");
    SizeEdit->SetText("25");
    SizeUpDown->SetPosition(25);
    SizeLabel->SetCaption("Cols");
    NameEdit->SetText("Textarea");
    ValueEdit->SetText("");
    Check->SetCaption("Disabled");
    HideMaxLength();
    AlignLabel->SetCaption("Wrap");
    AlignCombo->Items().Clear();
    for (const char* item : {"", "OFF", "HARD", "SOFT"})
        AlignCombo->Items().Add(item);
    AlignCombo->SetItemIndex(3);
}

void TSizeForm::PrepareChoice(const String& caption, const String& name) {
    SetCaption(caption);
    NameEdit->SetText(name);
    SizeEdit->SetText("");
    ValueEdit->SetText("");
    Check->SetCaption("Checked");
    Check->SetEnabled(true);
    HideSize();
    HideMaxLength();
    HideRows();
    AlignCombo->SetItemIndex(1);
}

void TSizeForm::PrepareButton(const String& typeWord) {
    FTypeWord = typeWord;
    SetCaption("Type: " + String(1, static_cast<char>(std::toupper(typeWord[0]))) +
               typeWord.substr(1));
    SizeEdit->SetText("");
    NameEdit->SetText(typeWord);
    ValueEdit->SetText("");
    Check->SetCaption("Disabled");
    HideSize();
    HideMaxLength();
    HideAlign();
    HideRows();
}

String TSizeForm::NameAndValue() const {
    return QuotedAttribute("NAME", NameEdit->Text()) + QuotedAttribute("VALUE", ValueEdit->Text());
}

String TSizeForm::InputTag() const {
    const String maxLength = MaxLengthEdit->Visible() ? MaxLengthEdit->Text() : String();
    return "<INPUT TYPE=\"" + FTypeWord + "\"" + NameAndValue() +
           QuotedAttribute("SIZE", SizeEdit->Text()) + QuotedAttribute("MAXLENGTH", maxLength) +
           QuotedAttribute("SRC", InputEdit->Text()) + CheckedOption(Check, "DISABLED") + "><BR>";
}

String TSizeForm::TextAreaTag() const {
    return "<TEXTAREA" + QuotedAttribute("NAME", NameEdit->Text()) +
           QuotedAttribute("COLS", SizeEdit->Text()) + QuotedAttribute("ROWS", RowsEdit->Text()) +
           PlainAttribute("WRAP", AlignCombo->Text()) + CheckedOption(Check, "DISABLED") + ">" +
           ValueEdit->Text() + "</TEXTAREA><BR>";
}

String TSizeForm::ChoiceTag(const String& typeWord) const {
    const String label = ValueEdit->Text();
    const String align = AlignCombo->Text();
    return (align == "LEFT" ? label : String()) + "<INPUT TYPE=\"" + typeWord + "\"" +
           NameAndValue() + CheckedOption(Check, "CHECKED") + ">" +
           (align == "RIGHT" ? label : String()) + "<BR>";
}

String TSizeForm::ButtonStartTag() const {
    const bool push = FTypeWord == "button";
    return (push ? "<BUTTON" : "<INPUT") + String(" TYPE=\"") + FTypeWord + "\"" + NameAndValue() +
           CheckedOption(Check, "DISABLED") + (push ? ">" : "><BR>");
}

String TSizeForm::ButtonEndTag() const {
    return FTypeWord == "button" ? "\r\n</BUTTON>" : "\r\n";
}
