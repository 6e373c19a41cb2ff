#pragma once
// Dragging within the program, as the framework's own drag and drop does it (not the desktop's):
// a drag starts from a source control, follows the mouse while the left button is held, and ends
// where the button is let go. A control takes drops by handing the manager its OnDragOver and
// OnDragDrop; the target under the pointer is asked whether it accepts, and the drop goes to it
// when it does. The source reaches the target as the control it is. However a drag ends, dropped
// or not, the source's OnEndDrag hears of it last.

#include "platform/Controls.h"

#include <functional>

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;

namespace DragManager {

// Makes the control a drop target, until it is freed or given empty events.
void SetDropTarget(TControl& target, TDragOverEvent over, TDragDropEvent drop);
// Starts a drag from the source; the left button's release ends it.
void BeginDrag(TControl& source);
bool Dragging();
// Ends the drag at a point in the target's client area: the target is asked, and takes the drop
// when it accepts. True when it took it. A control that takes no drops ends the drag with none.
bool DropAt(TControl& target, int x, int y);
void CancelDrag();

} // namespace DragManager
