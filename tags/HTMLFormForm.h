#pragma once
// The FORM dialog: where a form sends its data, how, and in which encoding.

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TPanel;

class TFormForm : public TForm {
public:
    explicit TFormForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TComboBox* ActionCombo = nullptr;
    TComboBox* MethodCombo = nullptr;
    TComboBox* EncTypeCombo = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void FormShow(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The three boxes emptied.
    void Prepare();
    // The FORM start tag and its line break; the selection goes on the lines after it.
    String StartText() const;
    String EndText() const { return "\r\n</FORM>"; }
};

extern TFormForm* FormForm;
