#pragma once
// The progress window shown while several pages are published; made hidden at start-up.

#include "platform/Forms.h"

class TAnimPub : public TForm {
public:
    explicit TAnimPub(TComponent* AOwner);
};

extern TAnimPub* AnimPub;
