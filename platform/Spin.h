#pragma once
// An edit for a whole number within a range: the number typed, read back within the range.

#include "platform/StdCtrls.h"

class TSpinEdit : public TEdit {
public:
    explicit TSpinEdit(TComponent* AOwner);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int value) { FMinValue = value; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value) { FMaxValue = value; }
    // The number typed, brought within MinValue and MaxValue (when they differ); text that is no
    // number reads as MinValue.
    int Value() const;
    // Writes the number, brought within the range, as the text.
    void SetValue(int value);

private:
    int WithinRange(int value) const;

    int FMinValue = 0;
    int FMaxValue = 0;
};
