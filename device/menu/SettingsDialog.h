// The settings sheet's host dialog (template IDD_SETTINGS).
#pragma once

#include "platform.h"
#include "resource.h"

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Gives a shell dialog its empty menu bar: the window of the new bar, or none.
HWND CreateSettingsMenuBar(HWND window);
