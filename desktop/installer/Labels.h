// How the pages colour their labels: one table by control id, the same on
// every page, with the four fonts it selects.
#pragma once

#include <windows.h>

// The answer to WM_CTLCOLORSTATIC for control drawn on dc: a brush, or NULL
// for the default colouring.
HBRUSH ColourLabel(HDC dc, HWND control);

// Gives the page's labels their fonts as well: a static control that selects
// its own font after asking its colours (Wine's does) still draws in them.
void SetLabelFonts(HWND dialog);
