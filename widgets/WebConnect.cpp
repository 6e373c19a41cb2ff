#include "widgets/WebConnect.h"

#include "platform/Forms.h"

void TWebConnect::LoadWebCursor(const String& cursorName) {
    Screen->SetCursors(crWebHand, LoadCursor(HInstance, cursorName.c_str()));
}
