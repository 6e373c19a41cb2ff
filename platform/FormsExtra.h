#pragma once
// Services of the framework's forms and controls that widgets rely on: the control under a
// screen point, accelerator keys of captions, and the hooks of the application's main window.

#include "platform/Controls.h"
#include "platform/Messages.h"

#include <functional>

// The control under a point of the screen, as a drop would find it: the innermost visible
// control of the topmost shown form there (windowed children above the graphic ones, later
// children above earlier ones), the form itself when no child is there, nullptr off every form.
// Disabled controls count only with allowDisabled.
TControl* FindDragTarget(const TPoint& screenPoint, bool allowDisabled);

// Whether key, a character, is the accelerator that "&" marks in caption (letters without
// regard to case; "&&" marks none).
bool IsAccel(WORD key, const String& caption);

// A hook sees the messages of the application's main window before it does; true means the
// hook handled the message and the rest of the hooks do not see it.
using TWindowHook = std::function<bool(TMessage& Message)>;
// Returns the number that UnhookMainWindow takes.
int HookMainWindow(TWindowHook hook);
void UnhookMainWindow(int hook);
// Hands a message of the main window to the hooks, the first installed first; true when one
// handled it. The application calls it with CM_ACTIVATE and CM_DEACTIVATE when it gains or loses
// the user's attention.
bool CallMainWindowHooks(TMessage& Message);
