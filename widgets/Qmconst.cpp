#include "widgets/Qmconst.h"

#include "platform/Forms.h"

void RegisterQmCursors() {
    Screen->SetCursors(crQmHand, LoadCursor(HInstance, "QM_HANDCUR"));
    Screen->SetCursors(crQmDrag, LoadCursor(HInstance, "QM_DRAGCUR"));
}
