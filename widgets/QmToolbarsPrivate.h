#pragma once
// What the docks and the toolbars share, for their own units only.

#include "platform/Component.h"

namespace QmToolbars {

// Docks and toolbars belong to a form: they find their docks among its components. Throws
// message when owner is not a form.
TComponent* FormOwner(TComponent* owner, const char* message);
// Positions and lengths are added up wide and kept within int when they are set.
int ClampToInt(long long value);

} // namespace QmToolbars
