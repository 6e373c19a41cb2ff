#pragma once
// The keyboard's keys as the window system names them and as the program's virtual keys do, for
// the platform's own .cpp files.

#include "platform/Messages.h"

class QKeyEvent;

// The virtual key of a Qt key event (0 when there is none).
WORD VirtualKeyOf(const QKeyEvent& event);
// The Qt key for a virtual key; keypad tells whether it is a key of the keypad.
int QtKeyOf(WORD virtualKey, bool& keypad);
// The Qt key that a US keyboard reports for the key pressed with Shift: "<" for the comma key,
// ")" for 0; the key itself where Shift changes none.
int UsShiftedQtKey(int qtKey);
