#include "tags/HTMLAppletForm.h"

#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/Grids.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"

#include <initializer_list>

TAppletForm* AppletForm = nullptr;

namespace {

// The box captions of the two modes, in the order code, codebase, alt. text, archive.
const char* const AppletCaptions[] = {"Applet filename (Code)", "URL of applet (Codebase)",
                                      "Alt. Text", "Archive"};
const char* const ObjectCaptions[] = {"Data", "URL of object (Codebase)", "Class ID",
                                      "Standby Text"};

void SetItems(TComboBox* combo, std::initializer_list<const char*> items) {
    combo->Items().Clear();
    for (const char* item : items)
        combo->Items().Add(item);
}

TButton* AddButtonAt(TForm* form, const String& name, const String& caption, int left, int top,
                     int width) {
    auto* button = NewControl<TButton>(form, form, name, left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

} // namespace

TAppletForm::TAppletForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("AppletForm");
        SetCaption("Quiltmarker");
        SetBorderIcons({biSystemMenu, biMinimize});
        SetClientWidth(480);
        SetClientHeight(466);
        BuildControls();
    });
}

TEdit* TAppletForm::AddNumberBox(const String& name, const String& caption, int top, int max,
                                 TUpDown*& upDown) {
    TEdit* edit = AddLabelledBox<TEdit>(this, this, name, name + "Label", caption, 240, top, 50);
    upDown = NewControl<TUpDown>(this, this, name.substr(0, name.size() - 4) + "UD", 290, top + 16,
                                 15, 21);
    upDown->SetMax(max);
    upDown->SetAssociate(edit);
    return edit;
}

void TAppletForm::BuildControls() {
    RadioGroup = NewControl<TRadioGroup>(this, this, "RadioGroup", 8, 4, 300, 40);
    RadioGroup->SetCaption("Tag Type");
    RadioGroup->SetColumns(2);
    RadioGroup->Items().Add("<APPLET>");
    RadioGroup->Items().Add("<OBJECT>");
    RadioGroup->SetItemIndex(0);
    RadioGroup->OnClick = Handler(this, &TAppletForm::RadioGroupClick);

    CodeEdit = AddLabelledBox<TEdit>(this, this, "CodeEdit", "CodeLabel", AppletCaptions[0], 8, 50,
                                     220, &CodeLabel);
    CodeURLEdit = AddLabelledBox<TEdit>(this, this, "CodeURLEdit", "CodeURLLabel",
                                        AppletCaptions[1], 8, 92, 220, &CodeURLLabel);
    AltTextEdit = AddLabelledBox<TEdit>(this, this, "AltTextEdit", "AltTextLabel",
                                        AppletCaptions[2], 8, 134, 220, &AltTextLabel);
    ArchiveEdit = AddLabelledBox<TEdit>(this, this, "ArchiveEdit", "ArchiveLabel",
                                        AppletCaptions[3], 8, 176, 220, &ArchiveLabel);
    AlignCombo =
        AddLabelledBox<TComboBox>(this, this, "AlignCombo", "AlignLabel", "Alignment", 8, 218, 120);
    SetItems(AlignCombo, {"LEFT", "RIGHT", "TOP", "BOTTOM", "MIDDLE", ""});

    WidthEdit = AddNumberBox("WidthEdit", "Width", 50, 100, WidthUD);
    PercentCheck = NewControl<TCheckBox>(this, this, "PercentCheck", 312, 68, 40, 17);
    PercentCheck->SetCaption("%");
    HeightEdit = AddNumberBox("HeightEdit", "Height", 92, 100, HeightUD);
    HSpaceEdit = AddNumberBox("HSpaceEdit", "Horiz. space", 134, 10, HSpaceUD);
    VSpaceEdit = AddNumberBox("VSpaceEdit", "Vert. space", 176, 100, VSpaceUD);

    ParamNameEdit = AddLabelledBox<TEdit>(this, this, "ParamNameEdit", "ParamNameLabel",
                                          "Parameter Name", 8, 262, 180);
    ParamValueEdit = AddLabelledBox<TEdit>(this, this, "ParamValueEdit", "ParamValueLabel", "Value",
                                           196, 262, 180);
    AddButton = AddButtonAt(this, "AddButton", "Add", 384, 276, 40);
    AddButton->OnClick = Handler(this, &TAppletForm::AddButtonClick);
    DeleteButton = AddButtonAt(this, "DeleteButton", "Delete", 428, 276, 48);
    DeleteButton->OnClick = Handler(this, &TAppletForm::DeleteButtonClick);

    auto* note = NewControl<TLabel>(this, this, "GridNote", 8, 306, 300, 13);
    note->SetCaption("Double-click a parameter to edit it");
    StringGrid = NewControl<TStringGrid>(this, this, "StringGrid", 8, 322, 468, 100);
    StringGrid->SetFixedCols(0);
    StringGrid->SetFixedRows(0);
    StringGrid->SetColCount(2);
    StringGrid->SetRowCount(1);
    StringGrid->SetDefaultColWidth(220);
    StringGrid->SetOptions(StringGrid->Options() | TGridOptions{goRowSelect});
    StringGrid->OnDblClick = Handler(this, &TAppletForm::StringGridDblClick);

    OKButton = AddButtonAt(this, "OKButton", "OK", 316, 432, 75);
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = AddButtonAt(this, "CancelButton", "Cancel", 400, 432, 75);
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

void TAppletForm::ClearFields() {
    RadioGroup->SetItemIndex(0);
    for (TEdit* edit : {CodeEdit, CodeURLEdit, AltTextEdit, ParamNameEdit, ParamValueEdit,
                        HeightEdit, WidthEdit, VSpaceEdit, HSpaceEdit})
        edit->SetText("");
    AlignCombo->SetText("");
    PercentCheck->SetChecked(false);
    for (int row = 0; row < StringGrid->RowCount(); ++row)
        ClearRow(row);
    StringGrid->SetRowCount(1);
}

void TAppletForm::RadioGroupClick(TObject* /*Sender*/) {
    const bool object = ObjectMode();
    const char* const* captions = object ? ObjectCaptions : AppletCaptions;
    TLabel* labels[] = {CodeLabel, CodeURLLabel, AltTextLabel, ArchiveLabel};
    for (int i = 0; i < 4; ++i)
        labels[i]->SetCaption(captions[i]);
    if (object)
        SetItems(AlignCombo,
                 {"LEFT", "RIGHT", "CENTER", "BASELINE", "MIDDLE", "TEXTBOTTOM", "TEXTMIDDLE", ""});
    else
        SetItems(AlignCombo, {"LEFT", "RIGHT", "MIDDLE", "BOTTOM", ""});
    PercentCheck->SetVisible(!object);
}

void TAppletForm::AddButtonClick(TObject* /*Sender*/) {
    if (ParamNameEdit->Text().empty())
        return;
    const int last = StringGrid->RowCount() - 1;
    StringGrid->SetCells(0, last, ParamNameEdit->Text());
    StringGrid->SetCells(1, last, ParamValueEdit->Text());
    ParamNameEdit->SetText("");
    ParamValueEdit->SetText("");
    StringGrid->SetRowCount(last + 2);
}

void TAppletForm::DeleteButtonClick(TObject* /*Sender*/) {
    RemoveRow(StringGrid->Row());
}

void TAppletForm::StringGridDblClick(TObject* /*Sender*/) {
    const int row = StringGrid->Row();
    if (row < 0 || row >= ParameterCount())
        return;
    ParamNameEdit->SetText(StringGrid->Cells(0, row));
    ParamValueEdit->SetText(StringGrid->Cells(1, row));
    RemoveRow(row);
}

void TAppletForm::RemoveRow(int row) {
    const int last = StringGrid->RowCount() - 1;
    if (row < 0 || row >= last)
        return;
    for (int r = row; r < last; ++r)
        for (int col = 0; col < 2; ++col)
            StringGrid->SetCells(col, r, StringGrid->Cells(col, r + 1));
    ClearRow(last);
    StringGrid->SetRowCount(last);
}

void TAppletForm::ClearRow(int row) {
    StringGrid->SetCells(0, row, "");
    StringGrid->SetCells(1, row, "");
}

bool TAppletForm::ObjectMode() const {
    return RadioGroup->ItemIndex() == 1;
}

String TAppletForm::TagName() const {
    return ObjectMode() ? "OBJECT" : "APPLET";
}

int TAppletForm::ParameterCount() const {
    return StringGrid->RowCount() - 1;
}

String TAppletForm::Attributes() const {
    const String width = WidthEdit->Text();
    const String widthAttribute = width.empty() || !PercentCheck->Checked()
                                      ? PlainAttribute("WIDTH", width)
                                      : QuotedAttribute("WIDTH", width + "%");
    const String sizes = widthAttribute + PlainAttribute("HEIGHT", HeightEdit->Text()) +
                         PlainAttribute("HSPACE", HSpaceEdit->Text()) +
                         PlainAttribute("VSPACE", VSpaceEdit->Text());
    const String codebase = QuotedAttribute("CODEBASE", CodeURLEdit->Text());
    const String align = PlainAttribute("ALIGN", AlignCombo->Text());
    if (ObjectMode())
        return QuotedAttribute("SRC", CodeEdit->Text()) + codebase +
               QuotedAttribute("CLASSID", AltTextEdit->Text()) +
               QuotedAttribute("STANDBY", ArchiveEdit->Text()) + sizes + align;
    return QuotedAttribute("CODE", CodeEdit->Text()) + codebase +
           QuotedAttribute("ARCHIVE", ArchiveEdit->Text()) + sizes +
           QuotedAttribute("ALT", AltTextEdit->Text()) + align;
}

String TAppletForm::Parameters() const {
    String lines;
    for (int row = 0; row < ParameterCount(); ++row)
        lines += "<PARAM NAME=\"" + QuotedValue(StringGrid->Cells(0, row)) + "\" VALUE=\"" +
                 QuotedValue(StringGrid->Cells(1, row)) + "\">\r\n";
    return lines;
}

String TAppletForm::StartText() const {
    const String start = "<" + TagName() + Attributes() + ">\r\n";
    return ParameterCount() > 0 ? start + Parameters() + "</" + TagName() + ">" : start;
}

String TAppletForm::EndText() const {
    return ParameterCount() > 0 ? String() : "</" + TagName() + ">";
}
