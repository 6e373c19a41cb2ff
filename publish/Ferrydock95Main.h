#pragma once
// The publisher window: made hidden at start-up, it holds the publishing settings for the run.

#include "platform/Forms.h"

class TFerrydock95Form : public TForm {
public:
    explicit TFerrydock95Form(TComponent* AOwner);
};

extern TFerrydock95Form* Ferrydock95Form;
