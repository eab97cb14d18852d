// The settings sheet's host dialog (template IDD_SETTINGS).
#pragma once

#include "platform.h"
#include "resource.h"

// Runs the settings window: its host with the four-page sheet, until Done.
void RunSettingsWindow();

// The shell's set-up of a dialog (SHInitDialog) with flags (SHIDIF_*).
void ShellDialogSetUp(HWND dialog, DWORD flags);

// Gives a shell dialog its empty menu bar: the window of the new bar, or none.
HWND CreateSettingsMenuBar(HWND window);
