#pragma once
// The Qt side of menus that forms need, for the platform's own .cpp files only.

#include "platform/Menus.h"

class QWidget;

// A new menu bar showing the main menu's items; whoever shows it owns it. The menu keeps the
// latest one up to date.
QWidget* CreateMenuBar(TMainMenu& menu);
