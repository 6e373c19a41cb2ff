#pragma once
// The drop-down list dialog: a SELECT with one OPTION per line of its values box.

#include "platform/Forms.h"

class TButton;
class TEdit;
class TMemo;
class TPanel;
class TUpDown;

class TSelectForm : public TForm {
public:
    explicit TSelectForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TEdit* NameEdit = nullptr;
    TEdit* SizeEdit = nullptr;
    TUpDown* SizeUpDown = nullptr;
    TMemo* ValueMemo = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The name and the values emptied; the number of visible items stays.
    void Prepare();
    // The SELECT element: SIZE is written even when its box is empty.
    String SelectTag();
};

extern TSelectForm* SelectForm;
