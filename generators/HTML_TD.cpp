#include "generators/HTML_TD.h"

#include "generators/TableHTML.h"
#include "platform/ColorGrd.h"
#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"

THTMLTDForm* HTMLTDForm = nullptr;

namespace {

TLabel* AddLabel(THTMLTDForm* form, const String& name, const String& caption, int left, int top) {
    auto* label = NewControl<TLabel>(form, form, name, left, top, 110, 13);
    label->SetCaption(caption);
    return label;
}

TComboBox* AddCombo(THTMLTDForm* form, const String& name, int left, int top,
                    std::initializer_list<const char*> items) {
    auto* combo = NewControl<TComboBox>(form, form, name, left, top, 100, 21);
    for (const char* item : items)
        combo->Items().Add(item);
    return combo;
}

TUpDown* AddCount(THTMLTDForm* form, const String& name, int left, int top, TEdit*& edit) {
    edit = NewControl<TEdit>(form, form, name + "Edit", left, top, 40, 21);
    auto* upDown = NewControl<TUpDown>(form, form, name + "UpDown", left + 40, top, 15, 21);
    upDown->SetMin(0);
    upDown->SetMax(10000);
    upDown->SetAssociate(edit);
    upDown->SetPosition(0);
    return upDown;
}

} // namespace

THTMLTDForm::THTMLTDForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLTDForm");
        SetCaption("Quiltmarker");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(360);
        SetClientHeight(260);
        AddLabel(this, "AlignLabel", "Alignment", 8, 8);
        AlignCombo =
            AddCombo(this, "AlignCombo", 8, 24, {"", "LEFT", "CENTER", "RIGHT", "JUSTIFY", "CHAR"});
        AlignCombo->OnClick = Handler(this, &THTMLTDForm::AlignComboClick);
        CharLabel = AddLabel(this, "CharLabel", "Char", 120, 8);
        CharEdit = NewControl<TEdit>(this, this, "CharEdit", 120, 24, 30, 21);
        CharOffLabel = AddLabel(this, "CharOffLabel", "Charoff", 160, 8);
        CharOffUpDown = AddCount(this, "CharOff", 160, 24, CharOffEdit);
        for (TControl* control : std::initializer_list<TControl*>{CharLabel, CharEdit, CharOffLabel,
                                                                  CharOffEdit, CharOffUpDown})
            control->SetEnabled(false);
        AddLabel(this, "VAlignLabel", "Vertical Alignment", 8, 52);
        VAlignCombo =
            AddCombo(this, "VAlignCombo", 8, 68, {"", "TOP", "MIDDLE", "BOTTOM", "BASELINE"});
        AddLabel(this, "BGColourLabel", "Background Colour", 230, 8);
        BGColourGrid = NewControl<TColorGrid>(this, this, "BGColourGrid", 230, 24, 120, 60);
        BGColourGrid->SetForegroundIndex(-1);
        BGColourGrid->SetBackgroundEnabled(false);
        BGColourGrid->OnClick = Handler(this, &THTMLTDForm::BGColourGridClick);
        NoneCheck = NewControl<TCheckBox>(this, this, "NoneCheck", 250, 90, 60, 17);
        NoneCheck->SetCaption("None");
        NoneCheck->SetChecked(true);
        AxisLabel = AddLabel(this, "AxisLabel", "Axis", 8, 100);
        AxisEdit = NewControl<TEdit>(this, this, "AxisEdit", 8, 116, 100, 21);
        ColspanLabel = AddLabel(this, "ColspanLabel", "Colspan", 120, 100);
        ColspanUpDown = AddCount(this, "Colspan", 120, 116, ColspanEdit);
        RowspanLabel = AddLabel(this, "RowspanLabel", "Rowspan", 190, 100);
        RowspanUpDown = AddCount(this, "Rowspan", 190, 116, RowspanEdit);
        NoWrapCheck = NewControl<TCheckBox>(this, this, "NoWrapCheck", 8, 150, 80, 17);
        NoWrapCheck->SetCaption("Nowrap");
        OKButton = NewControl<TButton>(this, this, "OKButton", 196, 226, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &THTMLTDForm::OKButtonClick);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 278, 226, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->OnClick = Handler(this, &THTMLTDForm::CancelButtonClick);
    });
}

void THTMLTDForm::AlignComboClick(TObject* /*Sender*/) {
    bool isChar = AlignCombo->Text() == "CHAR";
    for (TControl* control : std::initializer_list<TControl*>{CharLabel, CharOffLabel, CharEdit,
                                                              CharOffEdit, CharOffUpDown})
        control->SetEnabled(isChar);
}

void THTMLTDForm::BGColourGridClick(TObject* /*Sender*/) {
    NoneCheck->SetChecked(false);
}

void THTMLTDForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void THTMLTDForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void THTMLTDForm::HideCellControls() {
    for (TControl* control : std::initializer_list<TControl*>{
             AxisLabel, AxisEdit, ColspanLabel, ColspanEdit, ColspanUpDown, RowspanLabel,
             RowspanEdit, RowspanUpDown, NoWrapCheck})
        control->SetVisible(false);
}

// The character controls count only while enabled: Char typed rather than chosen from the
// list writes no CHAR and no CHAROFF.
String THTMLTDForm::CellTag(const String& tagName) const {
    String tag = "<" + tagName;
    const String align = AlignCombo->Text();
    if (!align.empty())
        tag += " ALIGN=" + align;
    if (align == "CHAR" && CharEdit->Enabled()) {
        if (!CharEdit->Text().empty())
            tag += " CHAR=\"" + CharEdit->Text() + "\"";
        if (CharOffUpDown->Position() != 0)
            tag += " CHAROFF=" + IntToStr(CharOffUpDown->Position());
    }
    if (!VAlignCombo->Text().empty())
        tag += " VALIGN=" + VAlignCombo->Text();
    if (!NoneCheck->Checked() && BGColourGrid->ForegroundIndex() >= 0)
        tag += " BGCOLOR=" + TableColourName(BGColourGrid->ForegroundIndex());
    if (AxisEdit->Visible() && !AxisEdit->Text().empty())
        tag += " AXIS=\"" + AxisEdit->Text() + "\"";
    if (ColspanUpDown->Visible() && ColspanUpDown->Position() != 0)
        tag += " COLSPAN=" + IntToStr(ColspanUpDown->Position());
    if (RowspanUpDown->Visible() && RowspanUpDown->Position() != 0)
        tag += " ROWSPAN=" + IntToStr(RowspanUpDown->Position());
    if (NoWrapCheck->Visible() && NoWrapCheck->Checked())
        tag += " NOWRAP";
    return tag + ">";
}
