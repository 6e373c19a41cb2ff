#pragma once
// The horizontal-rule dialog.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TPanel;
class TUpDown;

class TRuleForm : public TForm {
public:
    explicit TRuleForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TEdit* SizeEdit = nullptr;
    TUpDown* SizeUpDown = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUpDown = nullptr;
    TCheckBox* PercentCheck = nullptr;
    TComboBox* AlignCombo = nullptr;
    TCheckBox* NoShadeCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The boxes emptied, the up-downs at size 2 and width 100, nothing ticked or aligned.
    void Prepare();
    // The HR tag: sizes from the up-downs, each written only when its box holds something.
    String RuleTag() const;
};

extern TRuleForm* RuleForm;
