#pragma once
// The image dialog: an IMG tag whose size is read from the image file chosen.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TOpenDialog;
class TPanel;
class TQmToolbarButton;
class TUpDown;

class TImageForm : public TForm {
public:
    explicit TImageForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TEdit* ImageEdit = nullptr;
    TQmToolbarButton* ImageFileButton = nullptr;
    TCheckBox* ImagePathCheck = nullptr;
    TEdit* AltTextEdit = nullptr;
    TEdit* LowSrcEdit = nullptr;
    TQmToolbarButton* LowSrcFileButton = nullptr;
    TCheckBox* LowSrcPathCheck = nullptr;
    TEdit* UseMapEdit = nullptr;
    TCheckBox* IsMapCheck = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUD = nullptr;
    TEdit* HeightEdit = nullptr;
    TUpDown* HeightUD = nullptr;
    TEdit* BorderEdit = nullptr;
    TUpDown* BorderUpDown = nullptr;
    TEdit* HSpaceEdit = nullptr;
    TUpDown* HSpaceUD = nullptr;
    TEdit* VSpaceEdit = nullptr;
    TUpDown* VSpaceUD = nullptr;
    TComboBox* AlignCombo = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    String PageFolder;
    // The full path of the image last chosen with ImageFileButton; "" until one is chosen.
    String ImagePath;
    // The same for the low-resolution image, which "Use full path" writes.
    String LowSrcPath;

    void FormShow(TObject* Sender);
    void ImageFileButtonClick(TObject* Sender);
    void LowSrcFileButtonClick(TObject* Sender);
    void ImageEditExit(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The IMG tag the controls describe.
    String ImageTag() const;

private:
    void BuildControls();
    TEdit* AddNumberBox(const String& name, const String& label, const String& labelName, int top,
                        int max, TUpDown*& upDown, const String& upDownName);
    // The file chosen in OpenDialog, or "" when cancelled.
    String ChooseFile();
};

extern TImageForm* ImageForm;
