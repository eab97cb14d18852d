// Writing the package beside the desktop's application manager and handing
// it over: every failure on the way is reported by Fail() and ends the program.
#pragma once

// Finds the application manager, writes the package's files into a folder
// beside it, starts it with the package's INI file and waits until it ends.
void InstallPackage();
