#pragma once
// The progress window shown while several pages are published; made hidden at start-up.

#include "platform/Forms.h"

class TLabel;

class TAnimPub : public TForm {
public:
    explicit TAnimPub(TComponent* AOwner);

    // The publisher writes the page and folder being published here.
    TLabel* Label = nullptr;
};

extern TAnimPub* AnimPub;
