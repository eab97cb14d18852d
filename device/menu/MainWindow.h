// The hidden main window: owner of the tray icon, the popup menu and the
// program's private messages.
#pragma once

#include "platform.h"

extern HINSTANCE appInstance;
extern HWND mainWindow;

// True when this copy now owns the resident main window; false when another
// copy runs (it has been asked to show its menu) or creation failed.
bool CreateMainWindow(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
