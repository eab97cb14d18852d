// The steps of the emulated device's restart (boot.cpp runs them in order).
#pragma once

#include <windows.h>

// Ends every program of the device but this one; the number ended.
int EndDevicePrograms();
// Starts a command line ("\Windows\today.exe", a shortcut's target) as the
// device would; false when it could not start.
bool StartDeviceProgram(const WCHAR* commandLine);
// The clean boot: the program's settings, the startup folder's and
// "\My Documents"' contents go.
void WipeUserData();
// Starts the target of every shortcut in the startup folder.
void StartStartupFolder();
