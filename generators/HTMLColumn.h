#pragma once
// The column dialog: a COLGROUP or COL start tag with its alignment, span and width.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TUpDown;

class THTMLColumnForm : public TForm {
public:
    explicit THTMLColumnForm(TComponent* AOwner);

    TGroupBox* TypeGroup = nullptr;
    TRadioButton* ColgroupCheck = nullptr;
    TRadioButton* ColCheck = nullptr;
    TGroupBox* AlignmentGroup = nullptr;
    TRadioButton* AlignLeftCheck = nullptr;
    TRadioButton* AlignCenterCheck = nullptr;
    TRadioButton* AlignRightCheck = nullptr;
    TRadioButton* AlignJustifyCheck = nullptr;
    TRadioButton* AlignCharCheck = nullptr;
    TEdit* CharEdit = nullptr;
    TLabel* CharoffLabel = nullptr;
    TEdit* CharOffEdit = nullptr;
    TUpDown* CharOffUpDown = nullptr;
    TGroupBox* VAlignGroup = nullptr;
    TRadioButton* AlignTopCheck = nullptr;
    TRadioButton* AlignMiddleCheck = nullptr;
    TRadioButton* AlignBottomCheck = nullptr;
    TRadioButton* AlignBaselineCheck = nullptr;
    TEdit* SpanEdit = nullptr;
    TUpDown* SpanUpDown = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUpDown = nullptr;
    TCheckBox* PercentCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void AlignCharCheckClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // Every radio button cleared, the width emptied and unticked, then the type chosen.
    void Prepare(bool colgroup);
    // The start tag the dialog describes.
    String ColumnTag() const;
};

extern THTMLColumnForm* HTMLColumnForm;
