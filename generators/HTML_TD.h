#pragma once
// The cell dialog: a TH, TR or TD start tag with its attributes, and its end tag.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TColorGrid;
class TComboBox;
class TEdit;
class TLabel;
class TUpDown;

class THTMLTDForm : public TForm {
public:
    explicit THTMLTDForm(TComponent* AOwner);

    TComboBox* AlignCombo = nullptr;
    TLabel* CharLabel = nullptr;
    TEdit* CharEdit = nullptr;
    TLabel* CharOffLabel = nullptr;
    TEdit* CharOffEdit = nullptr;
    TUpDown* CharOffUpDown = nullptr;
    TComboBox* VAlignCombo = nullptr;
    TColorGrid* BGColourGrid = nullptr;
    TCheckBox* NoneCheck = nullptr;
    TLabel* AxisLabel = nullptr;
    TEdit* AxisEdit = nullptr;
    TLabel* ColspanLabel = nullptr;
    TEdit* ColspanEdit = nullptr;
    TUpDown* ColspanUpDown = nullptr;
    TLabel* RowspanLabel = nullptr;
    TEdit* RowspanEdit = nullptr;
    TUpDown* RowspanUpDown = nullptr;
    TCheckBox* NoWrapCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void AlignComboClick(TObject* Sender);
    void BGColourGridClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // A row has no use for the controls of a single cell: they are hidden.
    void HideCellControls();
    // The start tag for the tag name ("TH", "TR" or "TD").
    String CellTag(const String& tagName) const;
};

extern THTMLTDForm* HTMLTDForm;
