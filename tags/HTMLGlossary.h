#pragma once
// The glossary of phrases: a dialog made at start-up that lives for the whole run.

#include "platform/Forms.h"

class TRichEdit;

class TGlossaryForm : public TForm {
public:
    explicit TGlossaryForm(TComponent* AOwner);
    ~TGlossaryForm() override;

    // The phrase being edited; the main window gives it the same tab stops as the pages.
    TRichEdit* GlossaryMemo = nullptr;
};

extern TGlossaryForm* GlossaryForm;
