// The system actions behind the menu commands.
#pragma once

#include "CommandTable.h"
#include "platform.h"

// Runs a command whose row's action is ACTION_DEVICE.
void RunSystemAction(const CommandRow& row);

// Opens the control panel's page given by its command line.
void OpenControlPanel(const WCHAR* parameters);

// Asks the shell to open file with parameters in directory; false when the
// shell failed or gave no process.
bool ShellLaunch(const WCHAR* file, const WCHAR* directory, const WCHAR* parameters);
