#include "platform/Spin.h"

#include "platform/ComCtrls.h"

#include <algorithm>
#include <climits>

TSpinEdit::TSpinEdit(TComponent* AOwner) : TEdit(AOwner) {
    SetText("0");
}

int TSpinEdit::WithinRange(int value) const {
    if (FMaxValue == FMinValue)
        return value;
    return std::clamp(value, FMinValue, FMaxValue);
}

int TSpinEdit::Value() const {
    const int NotANumber = INT_MIN;
    int typed = StrToIntDef(Trim(Text()), NotANumber);
    return WithinRange(typed == NotANumber ? FMinValue : typed);
}

void TSpinEdit::SetValue(int value) {
    SetText(IntToStr(WithinRange(value)));
}

void TSpinEdit::SetMinValue(int value) {
    FMinValue = value;
    SetButtonRange();
}

void TSpinEdit::SetMaxValue(int value) {
    FMaxValue = value;
    SetButtonRange();
}

void TSpinEdit::SetButtonRange() {
    if (!FButton)
        return;
    FButton->SetMin(FMinValue);
    FButton->SetMax(FMaxValue);
}

void TSpinEdit::Loaded() {
    TEdit::Loaded();
    if (FButton || !Parent())
        return;
    const int typed = Value();
    FButton = new TUpDown(this);
    SetButtonRange();
    FButton->SetThousands(false);
    FButton->SetPosition(typed);
    FButton->SetAssociate(this);
}
