#include "site/HTMLCustomAmendedForm.h"

#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"

#include <algorithm>

TCustomAmendedForm* CustomAmendedForm = nullptr;

namespace {
const int MaxUnits = 999;
}

TCustomAmendedForm::TCustomAmendedForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("CustomAmendedForm");
        SetCaption("Quiltmarker");
        SetBorderStyle(bsDialog);
        SetClientWidth(230);
        SetClientHeight(150);
        BuildControls();
    });
}

void TCustomAmendedForm::BuildControls() {
    Label1 = NewControl<TLabel>(this, this, "Label1", 8, 8, 150, 13);
    Label1->SetCaption("Select files amended in:");
    Label2 = NewControl<TLabel>(this, this, "Label2", 8, 36, 30, 13);
    Label2->SetCaption("Last");
    SpinEdit = NewControl<TEdit>(this, this, "SpinEdit", 40, 32, 50, 21);
    SpinButton = NewControl<TUpDown>(this, this, "SpinButton", 90, 32, 16, 21);
    SpinButton->SetMin(1);
    SpinButton->SetMax(MaxUnits);
    SpinButton->SetAssociate(SpinEdit);
    SpinButton->SetPosition(1);
    SpinEdit->SetText("1");
    SpinEdit->OnChange = Handler(this, &TCustomAmendedForm::SpinEditChange);
    int top = 8;
    for (auto [button, name, caption] : {std::tuple{&SessionButton, "SessionButton", "Sessions"},
                                         std::tuple{&HoursButton, "HoursButton", "Hours"},
                                         std::tuple{&DaysButton, "DaysButton", "Days"},
                                         std::tuple{&WeeksButton, "WeeksButton", "Weeks"}}) {
        *button = NewControl<TRadioButton>(this, this, name, 146, top, 80, 17);
        (*button)->SetCaption(caption);
        (*button)->OnClick = Handler(this, &TCustomAmendedForm::SessionButtonClick);
        top += 22;
    }
    SessionButton->SetChecked(true);
    OKButton = NewControl<TButton>(this, this, "OKButton", 30, 116, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 120, 116, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

int TCustomAmendedForm::Value() const {
    return std::clamp(StrToIntDef(Trim(SpinEdit->Text()), 1), 1, MaxValue());
}

void TCustomAmendedForm::SetValue(int value) {
    SpinEdit->SetText(IntToStr(value));
}

int TCustomAmendedForm::MaxValue() const {
    return SpinButton->Max();
}

// Never below the minimum of 1, even before the first session was counted.
void TCustomAmendedForm::SetMaxValue(int value) {
    SpinButton->SetMax(std::max(value, 1));
    if (StrToIntDef(Trim(SpinEdit->Text()), 1) > MaxValue())
        SetValue(MaxValue());
}

void TCustomAmendedForm::SessionButtonClick(TObject* /*Sender*/) {
    SetMaxValue(SessionButton->Checked() ? TotalSessions : MaxUnits);
}

void TCustomAmendedForm::SpinEditChange(TObject* /*Sender*/) {
    if (SessionButton->Checked() && StrToIntDef(Trim(SpinEdit->Text()), 1) > TotalSessions)
        SetValue(std::max(TotalSessions, 1));
}
