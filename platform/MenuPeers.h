#pragma once
// The Qt side of menus that forms need, for the platform's own .cpp files only.

#include "platform/Menus.h"

class QWidget;

// A new menu bar showing the main menu's items; whoever shows it owns it. The menu keeps the
// latest one up to date.
QWidget* CreateMenuBar(TMainMenu& menu);
// Highlights the item in the menu or menu bar that shows it, as the pointer or the arrow keys
// would, and gives that menu or bar; nullptr when the item is shown in none.
QWidget* HighlightMenuItem(TMenuItem& item);
