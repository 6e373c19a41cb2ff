#pragma once
// The Change Case dialog: how the selection's letters are to change.

#include "editor/TextTransforms.h"
#include "platform/Forms.h"

class TRadioButton;
class TButton;
class TPanel;

class TChangeCaseForm : public TForm {
public:
    explicit TChangeCaseForm(TComponent* AOwner);

    TRadioButton* UCButton = nullptr;
    TRadioButton* LCButton = nullptr;
    TRadioButton* SCButton = nullptr;
    TRadioButton* ICButton = nullptr;
    TRadioButton* TCButton = nullptr;
    TPanel* RightPanel = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    // The mode of the chosen button.
    TextTransforms::TCaseMode Mode() const;

private:
    void BuildControls();
};

extern TChangeCaseForm* ChangeCaseForm;
