#pragma once
// The mouse-over button dialog: the button's three images (a preset set or the user's own), when
// the image changes, and the link with its text.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TEdit;
class TOpenDialog;
class TRadioGroup;
class TSpeedButton;

class TMouseOverForm : public TForm {
public:
    explicit TMouseOverForm(TComponent* AOwner);

    TRadioGroup* ImageGroup = nullptr;
    TRadioGroup* ChangeGroup = nullptr;
    TEdit* NormalImageEdit = nullptr;
    TSpeedButton* NormalBrowseButton = nullptr;
    TEdit* OverImageEdit = nullptr;
    TSpeedButton* OverBrowseButton = nullptr;
    TEdit* OnImageEdit = nullptr;
    TSpeedButton* OnBrowseButton = nullptr;
    TEdit* AltTextEdit = nullptr;
    TEdit* URLEdit = nullptr;
    TSpeedButton* URLBrowseButton = nullptr;
    TEdit* LinkTextEdit = nullptr;
    TCheckBox* TextIsLinkCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    void NormalBrowseButtonClick(TObject* Sender);
    void OverBrowseButtonClick(TObject* Sender);
    void OnBrowseButtonClick(TObject* Sender);
    void URLBrowseButtonClick(TObject* Sender);
    void ImageGroupClick(TObject* Sender);
    void LinkTextEditChange(TObject* Sender);

private:
    TEdit* AddImageBox(const String& name, const String& caption, const String& hint, int top,
                       TSpeedButton*& browse, const String& browseName);
    void BrowseImage(TEdit* edit);
};

extern TMouseOverForm* MouseOverForm;
