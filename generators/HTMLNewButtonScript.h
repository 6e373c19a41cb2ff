#pragma once
// The time-limited image dialog: the image, its texts, and the days it shows from a first day.

#include "platform/Forms.h"

class TButton;
class TDateEdit;
class TEdit;
class TOpenDialog;
class TQmToolbarButton;
class TUpDown;

class TNewButtonScriptForm : public TForm {
public:
    explicit TNewButtonScriptForm(TComponent* AOwner);

    TEdit* PeriodEdit = nullptr;
    TUpDown* PeriodUD = nullptr;
    TDateEdit* DateEdit = nullptr;
    TEdit* ImageEdit = nullptr;
    TQmToolbarButton* ImageBrowseButton = nullptr;
    TEdit* AltTextEdit = nullptr;
    TEdit* AdditionalTextEdit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    void ImageBrowseButtonClick(TObject* Sender);
};

extern TNewButtonScriptForm* NewButtonScriptForm;
