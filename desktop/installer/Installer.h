// What the installer's parts share: the program's instance and the end of the
// program after a failure.
#pragma once

#include <windows.h>

// The instance the program was started with; the pages and strings load from it.
HINSTANCE Instance();

// Shows the failure message with the string id message under the caption
// "Setup" and ends the program with exit code -1. The package description is
// released first.
void Fail(int message);
