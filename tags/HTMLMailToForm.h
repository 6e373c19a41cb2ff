#pragma once
// The mailto dialog: a link that opens a mail to an address, with an optional subject.

#include "platform/Forms.h"

class TButton;
class TEdit;
class TGroupBox;

class TMailToForm : public TForm {
public:
    explicit TMailToForm(TComponent* AOwner);

    TGroupBox* GroupBox1 = nullptr;
    TEdit* AddressEdit = nullptr;
    TEdit* LinkTextEdit = nullptr;
    TEdit* SubjectEdit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void FormShow(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The whole link the dialog describes.
    String MailLink() const;
};

extern TMailToForm* MailToForm;
