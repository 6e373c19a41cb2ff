#include "platform/Spin.h"

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
