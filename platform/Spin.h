#pragma once
// An edit for a whole number within a range: the number typed, read back within the range, or
// stepped by the arrows at its right edge.

#include "platform/StdCtrls.h"

class TUpDown;

class TSpinEdit : public TEdit {
public:
    explicit TSpinEdit(TComponent* AOwner);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value);
    // The number typed, brought within MinValue and MaxValue (when they differ); text that is no
    // number reads as MinValue.
    int Value() const;
    // Writes the number, brought within the range, as the text.
    void SetValue(int value);
    // The arrows, made once the form that holds the edit has loaded; nullptr before.
    TUpDown* Button() const { return FButton; }

    // Puts the arrows at the edit's right edge, stepping within its range.
    void Loaded() override;

private:
    int WithinRange(int value) const;
    void SetButtonRange();

    TUpDown* FButton = nullptr;

    int FMinValue = 0;
    int FMaxValue = 0;
};
