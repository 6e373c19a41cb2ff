#pragma once
// The font dialog, shared by the FONT and BASEFONT commands: size, colour and up to three faces.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TColorDialog;
class TColorGrid;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TUpDown;

class THTMLFontTagForm : public TForm {
public:
    explicit THTMLFontTagForm(TComponent* AOwner);

    TGroupBox* GroupBox1 = nullptr;
    TComboBox* Face1Combo = nullptr;
    TComboBox* Face2Combo = nullptr;
    TComboBox* Face3Combo = nullptr;
    TGroupBox* ColourBox = nullptr;
    TColorGrid* ColorGrid1 = nullptr;
    TButton* MoreButton = nullptr;
    TButton* ColorCancelButton = nullptr;
    TGroupBox* SizeBox = nullptr;
    TEdit* SizeEdit = nullptr;
    TUpDown* SizeUpDown = nullptr;
    TCheckBox* SizeCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* Cancel = nullptr;
    TColorDialog* ColorDialog1 = nullptr;

    // Six upper-case hex digits, red first, of a colour chosen with "More..."; "" for none. It
    // goes before the grid's choice.
    String CustomColour;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void SizeUpDownChanging(TObject* Sender, bool& AllowChange);
    void ColorGrid1Change(TObject* Sender);
    void MoreButtonClick(TObject* Sender);
    void ColorCancelButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelClick(TObject* Sender);

    // The start tag named so for the dialog's choices, or "" when nothing was chosen.
    String StartTag(const String& name) const;

private:
    void BuildControls();
    String ColourAttribute() const;
    String FaceAttribute() const;
};

extern THTMLFontTagForm* HTMLFontTagForm;
