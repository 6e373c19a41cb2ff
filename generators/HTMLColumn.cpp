#include "generators/HTMLColumn.h"

#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"

THTMLColumnForm* HTMLColumnForm = nullptr;

namespace {

TRadioButton* AddRadio(THTMLColumnForm* form, TWinControl* parent, const String& name,
                       const String& caption, int left, int top) {
    auto* radio = NewControl<TRadioButton>(form, parent, name, left, top, 100, 17);
    radio->SetCaption(caption);
    return radio;
}

TUpDown* AddUpDown(THTMLColumnForm* form, const String& name, TEdit* edit, int min, int position) {
    auto* upDown =
        NewControl<TUpDown>(form, form, name, edit->Left() + edit->Width(), edit->Top(), 15, 21);
    upDown->SetMin(min);
    upDown->SetMax(10000);
    upDown->SetAssociate(edit);
    upDown->SetPosition(position);
    return upDown;
}

TLabel* AddLabel(THTMLColumnForm* form, const String& name, const String& caption, int left,
                 int top) {
    auto* label = NewControl<TLabel>(form, form, name, left, top, 50, 13);
    label->SetCaption(caption);
    return label;
}

} // namespace

THTMLColumnForm::THTMLColumnForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLColumnForm");
        SetCaption("Quiltmarker - Columns");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(380);
        SetClientHeight(250);
        TypeGroup = NewControl<TGroupBox>(this, this, "TypeGroup", 8, 8, 120, 64);
        TypeGroup->SetCaption("&Type");
        ColgroupCheck = AddRadio(this, TypeGroup, "ColgroupCheck", "<COL&GROUP>", 8, 18);
        ColCheck = AddRadio(this, TypeGroup, "ColCheck", "<&COL>", 8, 40);
        ColgroupCheck->SetChecked(true);
        AlignmentGroup = NewControl<TGroupBox>(this, this, "AlignmentGroup", 136, 8, 116, 132);
        AlignmentGroup->SetCaption("&Alignment");
        AlignLeftCheck = AddRadio(this, AlignmentGroup, "AlignLeftCheck", "&Left", 8, 18);
        AlignCenterCheck = AddRadio(this, AlignmentGroup, "AlignCenterCheck", "&Center", 8, 40);
        AlignRightCheck = AddRadio(this, AlignmentGroup, "AlignRightCheck", "&Right", 8, 62);
        AlignJustifyCheck = AddRadio(this, AlignmentGroup, "AlignJustifyCheck", "&Justify", 8, 84);
        AlignCharCheck = AddRadio(this, AlignmentGroup, "AlignCharCheck", "C&har", 8, 106);
        AlignCharCheck->OnClick = Handler(this, &THTMLColumnForm::AlignCharCheckClick);
        CharEdit = NewControl<TEdit>(this, this, "CharEdit", 260, 110, 24, 21);
        CharEdit->SetMaxLength(1);
        CharEdit->Font().SetStyle({fsBold});
        CharEdit->SetText(".");
        CharEdit->SetEnabled(false);
        CharoffLabel = AddLabel(this, "CharoffLabel", "Charoff", 260, 140);
        CharoffLabel->SetEnabled(false);
        CharOffEdit = NewControl<TEdit>(this, this, "CharOffEdit", 310, 136, 40, 21);
        CharOffUpDown = AddUpDown(this, "CharOffUpDown", CharOffEdit, 0, 0);
        CharOffEdit->SetEnabled(false);
        CharOffUpDown->SetEnabled(false);
        VAlignGroup = NewControl<TGroupBox>(this, this, "VAlignGroup", 258, 8, 120, 100);
        VAlignGroup->SetCaption("&Vertical Alignment");
        AlignTopCheck = AddRadio(this, VAlignGroup, "AlignTopCheck", "&Top", 8, 18);
        AlignMiddleCheck = AddRadio(this, VAlignGroup, "AlignMiddleCheck", "&Middle", 8, 38);
        AlignBottomCheck = AddRadio(this, VAlignGroup, "AlignBottomCheck", "&Bottom", 8, 58);
        AlignBaselineCheck = AddRadio(this, VAlignGroup, "AlignBaselineCheck", "B&aseline", 8, 78);
        AddLabel(this, "SpanLabel", "&Span", 8, 88);
        SpanEdit = NewControl<TEdit>(this, this, "SpanEdit", 60, 84, 40, 21);
        SpanUpDown = AddUpDown(this, "SpanUpDown", SpanEdit, 0, 1);
        AddLabel(this, "WidthLabel", "&Width", 8, 120);
        WidthEdit = NewControl<TEdit>(this, this, "WidthEdit", 60, 116, 40, 21);
        WidthUpDown = AddUpDown(this, "WidthUpDown", WidthEdit, 1, 1);
        WidthEdit->SetText("");
        PercentCheck = NewControl<TCheckBox>(this, this, "PercentCheck", 60, 144, 40, 17);
        PercentCheck->SetCaption("%");
        OKButton = NewControl<TButton>(this, this, "OKButton", 216, 216, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &THTMLColumnForm::OKButtonClick);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 298, 216, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->OnClick = Handler(this, &THTMLColumnForm::CancelButtonClick);
    });
}

// The character controls stay enabled once Char has been chosen.
void THTMLColumnForm::AlignCharCheckClick(TObject* /*Sender*/) {
    if (!AlignCharCheck->Checked())
        return;
    for (TControl* control :
         std::initializer_list<TControl*>{CharEdit, CharOffEdit, CharOffUpDown, CharoffLabel})
        control->SetEnabled(true);
}

void THTMLColumnForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void THTMLColumnForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void THTMLColumnForm::Prepare(bool colgroup) {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* radio = dynamic_cast<TRadioButton*>(Components(i)))
            radio->SetChecked(false);
    WidthEdit->SetText("");
    PercentCheck->SetChecked(false);
    (colgroup ? ColgroupCheck : ColCheck)->SetChecked(true);
}

String THTMLColumnForm::ColumnTag() const {
    String tag = ColgroupCheck->Checked() ? "<COLGROUP" : "<COL";
    if (AlignLeftCheck->Checked())
        tag += " ALIGN=LEFT";
    else if (AlignCenterCheck->Checked())
        tag += " ALIGN=CENTER";
    else if (AlignRightCheck->Checked())
        tag += " ALIGN=RIGHT";
    else if (AlignJustifyCheck->Checked())
        tag += " ALIGN=JUSTIFY";
    else if (AlignCharCheck->Checked())
        tag += " ALIGN=CHAR CHAR=\"" + CharEdit->Text() +
               "\" CHAROFF=" + IntToStr(CharOffUpDown->Position());
    if (AlignTopCheck->Checked())
        tag += " VALIGN=TOP";
    else if (AlignMiddleCheck->Checked())
        tag += " VALIGN=MIDDLE";
    else if (AlignBottomCheck->Checked())
        tag += " VALIGN=BOTTOM";
    else if (AlignBaselineCheck->Checked())
        tag += " VALIGN=BASELINE";
    if (SpanUpDown->Position() > 1)
        tag += " SPAN=" + IntToStr(SpanUpDown->Position());
    if (!WidthEdit->Text().empty())
        tag += " WIDTH=\"" + WidthEdit->Text() + (PercentCheck->Checked() ? "%" : "") + "\"";
    return tag + ">";
}
