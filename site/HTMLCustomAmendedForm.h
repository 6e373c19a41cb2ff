#pragma once
// The Custom choice of Select Modified Files: files changed in the last so many sessions, hours,
// days or weeks. The spin edit is an edit with an up-down beside it.

#include "platform/Forms.h"

class TLabel;
class TEdit;
class TUpDown;
class TRadioButton;
class TButton;

class TCustomAmendedForm : public TForm {
public:
    explicit TCustomAmendedForm(TComponent* AOwner);

    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* SpinEdit = nullptr;
    TUpDown* SpinButton = nullptr;
    TRadioButton* SessionButton = nullptr;
    TRadioButton* HoursButton = nullptr;
    TRadioButton* DaysButton = nullptr;
    TRadioButton* WeeksButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    // The number of sessions so far, given by the caller.
    int TotalSessions = 0;

    // The spin edit's value, kept between 1 and its maximum.
    int Value() const;
    void SetValue(int value);
    int MaxValue() const;

    void SessionButtonClick(TObject* Sender);
    void SpinEditChange(TObject* Sender);

private:
    void BuildControls();
    void SetMaxValue(int value);
};

extern TCustomAmendedForm* CustomAmendedForm;
