#pragma once
// The shared routines form: made at start-up, never shown; it carries texts that dialogs hand to
// the main window.

#include "platform/Forms.h"

class TGlobalForm : public TForm {
public:
    explicit TGlobalForm(TComponent* AOwner);

    // A result handed between a dialog and the main window; kept until the next writer.
    String ResultText;
    // Shown before the file name when an image cannot be opened.
    String MissingImageMessage;

    void FormCreate(TObject* Sender);
};

extern TGlobalForm* GlobalForm;
