#pragma once
// What the docks and the toolbars share, for their own units only.

#include "platform/Component.h"
#include "platform/ToolWindow.h"
#include "widgets/QmToolbars.h"

namespace QmToolbars {

// Docks and toolbars belong to a form: they find their docks among its components. Throws
// message when owner is not a form.
TComponent* FormOwner(TComponent* owner, const char* message);
// Positions and lengths are added up wide and kept within int when they are set.
int ClampToInt(long long value);

} // namespace QmToolbars

// A drag of a toolbar by the mouse, from the press to the release of the left button.
struct TQmToolbar::TDrag {
    enum TKind { dkMove, dkSize, dkClose } Kind = dkMove;
    TScreenOutline Outline;
    std::unique_ptr<TInputHold> Hold;
    bool ShowHint = true;
    // Moving: the grab point and size, and the size the toolbar takes floating or in each dock.
    TPoint Grab{};
    TSize GrabSize{};
    bool NoDocking = false;
    TPoint Pointer{};
    std::vector<std::pair<TQmDock*, TSize>> Sizes;
    TQmDock* Target = nullptr;
    // Sizing: the edge, the window sizes of the wrap layouts and the choice among them.
    TFrameHit Edge = fhNone;
    std::vector<TSize> SizeList;
    int Threshold = 12;
    TRect Start{};
    TSize Choice{};
    bool Moved = false;
    bool Shrinking = false;
};
