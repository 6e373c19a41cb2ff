#pragma once
// The clipboard format of the program's icons.

#include "platform/Messages.h"

// 0 until RegisterIconClipboardFormat has run.
extern UINT CF_ICON;

// Registers the format at start-up and tells the picture system that it holds icons.
void RegisterIconClipboardFormat();
