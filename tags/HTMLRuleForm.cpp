#include "tags/HTMLRuleForm.h"

#include "editor/DialogGuard.h"
#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"

TRuleForm* RuleForm = nullptr;

namespace {

TLabel* AddLabel(TForm* form, TWinControl* parent, const String& name, const String& caption,
                 int left, int top) {
    auto* label = NewControl<TLabel>(form, parent, name, left, top, 40, 13);
    label->SetCaption(caption);
    return label;
}

} // namespace

TRuleForm::TRuleForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("RuleForm");
        SetCaption("Quiltmarker - Horizontal Rule");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(260);
        SetClientHeight(150);
        Panel1 = NewControl<TPanel>(this, this, "Panel1", 4, 4, 252, 104);
        AddLabel(this, Panel1, "SizeLabel", "Size", 8, 12);
        SizeEdit = NewControl<TEdit>(this, Panel1, "SizeEdit", 56, 8, 40, 21);
        SizeUpDown = AddUpDown(this, Panel1, "SizeUpDown", SizeEdit, 0, 20);
        AddLabel(this, Panel1, "WidthLabel", "Width", 8, 40);
        WidthEdit = NewControl<TEdit>(this, Panel1, "WidthEdit", 56, 36, 40, 21);
        WidthUpDown = AddUpDown(this, Panel1, "WidthUpDown", WidthEdit, 0, 100);
        PercentCheck = NewControl<TCheckBox>(this, Panel1, "PercentCheck", 120, 38, 40, 17);
        PercentCheck->SetCaption("%");
        AddLabel(this, Panel1, "AlignLabel", "Align", 8, 68);
        AlignCombo = NewControl<TComboBox>(this, Panel1, "AlignCombo", 56, 64, 80, 21);
        for (const char* item : {"LEFT", "CENTER", "RIGHT"})
            AlignCombo->Items().Add(item);
        AlignCombo->SetDropDownCount(3);
        NoShadeCheck = NewControl<TCheckBox>(this, Panel1, "NoShadeCheck", 150, 66, 90, 17);
        NoShadeCheck->SetCaption("No Shade");
        OKButton = NewControl<TButton>(this, this, "OKButton", 96, 118, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->SetModalResult(mrOk);
        OKButton->OnClick = Handler(this, &TRuleForm::OKButtonClick);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 178, 118, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->SetModalResult(mrCancel);
        CancelButton->OnClick = Handler(this, &TRuleForm::CancelButtonClick);
    });
}

void TRuleForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TRuleForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TRuleForm::Prepare() {
    SizeUpDown->SetPosition(2);
    WidthUpDown->SetPosition(100);
    SizeEdit->SetText("");
    WidthEdit->SetText("");
    PercentCheck->SetChecked(false);
    NoShadeCheck->SetChecked(false);
    AlignCombo->SetText("");
}

String TRuleForm::RuleTag() const {
    String rule = "<HR";
    if (!SizeEdit->Text().empty())
        rule += " SIZE=\"" + IntToStr(SizeUpDown->Position()) + "\"";
    if (!WidthEdit->Text().empty())
        rule += " WIDTH=\"" + IntToStr(WidthUpDown->Position()) +
                (PercentCheck->Checked() ? "%" : "") + "\"";
    return rule + PlainAttribute("ALIGN", AlignCombo->Text()) +
           CheckedOption(NoShadeCheck, "NOSHADE") + ">";
}
