// The system actions behind the menu commands 1 to 27.
#pragma once

#include "platform.h"

// Runs menu command 1..27.
void RunSystemAction(int command);

// Asks the shell to open file with parameters in directory; false when the
// shell failed or gave no process.
bool ShellLaunch(const WCHAR* file, const WCHAR* directory, const WCHAR* parameters);
