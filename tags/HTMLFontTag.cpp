#include "tags/HTMLFontTag.h"

#include "editor/DialogGuard.h"
#include "platform/ColorGrd.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLGlobal.h"

THTMLFontTagForm* HTMLFontTagForm = nullptr;

namespace {

TComboBox* AddFace(TForm* form, TWinControl* parent, int number, int top) {
    const String digit = IntToStr(number);
    auto* label = NewControl<TLabel>(form, parent, "Label" + digit, 8, top + 4, 12, 13);
    label->SetCaption("&" + digit);
    auto* combo = NewControl<TComboBox>(form, parent, "Face" + digit + "Combo", 24, top, 180, 21);
    label->SetFocusControl(combo);
    return combo;
}

TButton* AddButton(TForm* form, TWinControl* parent, const String& name, const String& caption,
                   int left, int top) {
    auto* button = NewControl<TButton>(form, parent, name, left, top, 75, 25);
    button->SetCaption(caption);
    return button;
}

} // namespace

THTMLFontTagForm::THTMLFontTagForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLFontTagForm");
        SetCaption("Quiltmarker - Font");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(400);
        SetClientHeight(220);
        BuildControls();
        OnCreate = Handler(this, &THTMLFontTagForm::FormCreate);
        OnShow = Handler(this, &THTMLFontTagForm::FormShow);
    });
}

void THTMLFontTagForm::BuildControls() {
    GroupBox1 = NewControl<TGroupBox>(this, this, "GroupBox1", 8, 8, 216, 112);
    GroupBox1->SetCaption(" Face ");
    Face1Combo = AddFace(this, GroupBox1, 1, 20);
    Face1Combo->SetDropDownCount(12);
    Face2Combo = AddFace(this, GroupBox1, 2, 50);
    Face3Combo = AddFace(this, GroupBox1, 3, 80);

    ColourBox = NewControl<TGroupBox>(this, this, "ColourBox", 232, 8, 160, 176);
    ColourBox->SetCaption(" &Colour ");
    auto* colourLabel = NewControl<TLabel>(this, ColourBox, "Label5", 8, 16, 60, 13);
    colourLabel->SetCaption("&Colour");
    ColorGrid1 = NewControl<TColorGrid>(this, ColourBox, "ColorGrid1", 8, 32, 96, 96);
    ColorGrid1->SetBackgroundEnabled(false);
    ColorGrid1->OnChange = Handler(this, &THTMLFontTagForm::ColorGrid1Change);
    MoreButton = AddButton(this, ColourBox, "MoreButton", "More...", 8, 136);
    MoreButton->OnClick = Handler(this, &THTMLFontTagForm::MoreButtonClick);
    ColorCancelButton = AddButton(this, ColourBox, "ColorCancelButton", "Cancel", 84, 136);
    ColorCancelButton->OnClick = Handler(this, &THTMLFontTagForm::ColorCancelButtonClick);

    SizeBox = NewControl<TGroupBox>(this, this, "SizeBox", 8, 128, 216, 56);
    SizeBox->SetCaption(" Size ");
    auto* sizeLabel = NewControl<TLabel>(this, SizeBox, "Label4", 8, 24, 30, 13);
    sizeLabel->SetCaption("&Size");
    SizeEdit = NewControl<TEdit>(this, SizeBox, "SizeEdit", 44, 20, 40, 21);
    SizeEdit->SetReadOnly(true);
    sizeLabel->SetFocusControl(SizeEdit);
    SizeUpDown = NewControl<TUpDown>(this, SizeBox, "SizeUpDown", 84, 20, 15, 21);
    SizeUpDown->SetMin(1);
    SizeUpDown->SetMax(7);
    SizeUpDown->SetAssociate(SizeEdit);
    SizeUpDown->SetPosition(2);
    SizeUpDown->OnChanging = Handler(this, &THTMLFontTagForm::SizeUpDownChanging);
    SizeCheck = NewControl<TCheckBox>(this, SizeBox, "SizeCheck", 110, 22, 17, 17);

    OKButton = AddButton(this, this, "OKButton", "OK", 236, 190);
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &THTMLFontTagForm::OKButtonClick);
    Cancel = AddButton(this, this, "Cancel", "Cancel", 316, 190);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    Cancel->OnClick = Handler(this, &THTMLFontTagForm::CancelClick);

    ColorDialog1 = NewComponent<TColorDialog>(this, "ColorDialog1");
    ColorDialog1->SetOptions({cdFullOpen, cdAnyColor});
}

void THTMLFontTagForm::FormCreate(TObject* /*Sender*/) {
    for (TComboBox* face : {Face1Combo, Face2Combo, Face3Combo}) {
        face->Items().Assign(Screen->Fonts());
        face->SetText("");
    }
    ColorGrid1->SetForegroundIndex(0);
    SizeUpDown->SetPosition(2);
    SizeCheck->SetChecked(false);
}

void THTMLFontTagForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
    ColorGrid1->SetForegroundIndex(-1);
    SizeUpDown->SetPosition(2);
    SizeCheck->SetChecked(false);
    CustomColour.clear();
}

void THTMLFontTagForm::SizeUpDownChanging(TObject* /*Sender*/, bool& AllowChange) {
    SizeCheck->SetChecked(true);
    AllowChange = true;
}

void THTMLFontTagForm::ColorGrid1Change(TObject* /*Sender*/) {
    CustomColour.clear();
}

void THTMLFontTagForm::MoreButtonClick(TObject* /*Sender*/) {
    if (ColorDialog1->Execute())
        CustomColour = GlobalForm->ColourToHex(ColorDialog1->Color());
}

void THTMLFontTagForm::ColorCancelButtonClick(TObject* /*Sender*/) {
    CustomColour.clear();
    ColorGrid1->SetForegroundIndex(-1);
}

void THTMLFontTagForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void THTMLFontTagForm::CancelClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
    Close();
}

String THTMLFontTagForm::ColourAttribute() const {
    if (!CustomColour.empty())
        return " COLOR=\"#" + CustomColour + "\"";
    const int index = ColorGrid1->ForegroundIndex();
    if (index < 0)
        return "";
    return " COLOR=\"" + GlobalForm->HTMLColourText(GlobalForm->ColourFromIndex(index)) + "\"";
}

// The second and third faces come only after a first.
String THTMLFontTagForm::FaceAttribute() const {
    if (Face1Combo->Text().empty())
        return "";
    String faces = Face1Combo->Text();
    for (const TComboBox* face : {Face2Combo, Face3Combo})
        if (!face->Text().empty())
            faces += ", " + face->Text();
    return QuotedAttribute("FACE", faces);
}

String THTMLFontTagForm::StartTag(const String& name) const {
    if (!SizeCheck->Checked() && ColorGrid1->ForegroundIndex() < 0 && Face1Combo->Text().empty() &&
        CustomColour.empty())
        return "";
    const String size = SizeCheck->Checked() ? " SIZE=" + IntToStr(SizeUpDown->Position()) : "";
    return "<" + name + size + ColourAttribute() + FaceAttribute() + ">";
}
