#pragma once
// The program's own hand and drag cursors, put into the screen's cursor table at start-up.

#include "platform/Controls.h"

enum : TCursor {
    crQmHand = 14000, // a pointing hand
    crQmDrag = 14001, // a closed hand
};

// Puts both cursors into the screen's table under their numbers.
void RegisterQmCursors();
