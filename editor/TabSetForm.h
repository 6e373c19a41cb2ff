#pragma once
// The tab-width dialog: the distance between the editors' tab stops, in points.

#include "platform/Forms.h"

class TLabel;
class TEdit;
class TUpDown;
class TButton;

class TTabSetForm : public TForm {
public:
    explicit TTabSetForm(TComponent* AOwner);

    TLabel* Label1 = nullptr;
    TEdit* TabWidthEdit = nullptr;
    TUpDown* TabWidthUpDown = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

private:
    void BuildControls();
};

extern TTabSetForm* TabSetForm;
