// The screen a starting device shows: the whole display, above every window.
#pragma once

#include <windows.h>

// Shows the start screen at once; none when it could not be made.
HWND ShowStartScreen(HINSTANCE instance);
// Keeps the screen up, painting, until shownAt + milliseconds; then removes it.
void EndStartScreen(HWND screen, DWORD shownAt, DWORD milliseconds);
