#pragma once
// The image map's area dialog: the URL, target and alternative text of one area, or the URL of
// the default area.

#include "platform/Forms.h"

class TButton;
class TEdit;
class TLabel;
class TPanel;

class TIMURLForm : public TForm {
public:
    explicit TIMURLForm(TComponent* AOwner);

    TPanel* CoordsPanel = nullptr;
    TEdit* URLEdit = nullptr;
    TEdit* TargetEdit = nullptr;
    TEdit* AltEdit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
};

extern TIMURLForm* IMURLForm;
