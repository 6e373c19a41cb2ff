#pragma once
// The link dialog: a hypertext link, a named anchor, a style-sheet link or a base link.

#include "platform/Forms.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TOpenDialog;
class TQmToolbarButton;
class TRadioButton;

class TLinkForm : public TForm {
public:
    explicit TLinkForm(TComponent* AOwner);

    TRadioButton* LinkButton = nullptr;
    TRadioButton* TargetButton = nullptr;
    TRadioButton* StyleButton = nullptr;
    TRadioButton* BaseButton = nullptr;
    TGroupBox* RadioGroup1 = nullptr;
    TLabel* URLLabel = nullptr;
    TEdit* URLEdit = nullptr;
    TQmToolbarButton* BrowseButton = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* TargetEdit = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* LinkEdit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    // The folder of the page the link goes into, for relative URLs; ends in PathDelim.
    String PageFolder;

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void StyleButtonClick(TObject* Sender);
    void BrowseButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The start and end texts for the chosen kind of link.
    String StartText() const;
    String EndText() const;

private:
    void BuildControls();
};

extern TLinkForm* LinkForm;
