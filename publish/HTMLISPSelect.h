#pragma once
// The choice of the ISP destination a preview is published for; made hidden at start-up.

#include "platform/Forms.h"

class TISPSelectForm : public TForm {
public:
    explicit TISPSelectForm(TComponent* AOwner);
};

extern TISPSelectForm* ISPSelectForm;
