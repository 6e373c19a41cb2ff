#pragma once
// Opening web addresses with the program the system has for them, and the hand cursor that
// link-like controls show.

#include "platform/Component.h"

class TWebConnect : public TComponent {
public:
    explicit TWebConnect(TComponent* AOwner) : TComponent(AOwner) {}

    // Puts the program's cursor of that name into the screen's cursor slot crWebHand.
    void LoadWebCursor(const String& cursorName = "HAND");
};

// The screen's cursor slot of the web hand.
constexpr int crWebHand = -21;
