// The popup menu built from the item list, and the one entry point through
// which every command runs.
#pragma once

#include "platform.h"

extern int menuAnchorX;
extern int menuAnchorY;
extern bool menuShowing;
extern HMENU cachedMenu;
extern bool cachedMenuHeaderFirst;
extern HWND settingsDialog; // the open settings dialog, or none

// A new owner-drawn popup menu from the shown slots of menuItems, with the
// header item first or last.
HMENU BuildPopupMenu(bool headerFirst);

// Command 0 shows the menu and runs the chosen item; any other command runs.
void DispatchMenuCommand(int command, bool hideSettings);

// Cancels a popup menu that is on screen.
void CloseOpenMenu();
