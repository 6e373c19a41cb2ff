#pragma once
// The image map's first dialog: the picture to draw the map on and the map's name. Its OK runs
// the map editor; the dialog reports OK only when the editor was left with OK.

#include "platform/Forms.h"

class TButton;
class TEdit;
class TOpenDialog;

class TImageSelectForm : public TForm {
public:
    explicit TImageSelectForm(TComponent* AOwner);

    // The picture file, as typed or relative to the current folder.
    TEdit* ImageEdit = nullptr;
    TButton* BrowseButton = nullptr;
    TEdit* MapNameEdit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void BrowseButtonClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TImageSelectForm* ImageSelectForm;
