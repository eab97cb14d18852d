// Running a command of the machine that hosts the emulator from one of its
// stand-ins (xrandr for a turn of the screen, the device's CAB installer for
// the desktop's application manager).
#pragma once
#include <windows.h>

#include <string>

// Runs command with the host's sh and waits until it has finished, at most
// timeoutMs; false when it could not start or did not finish in time. Its
// exit status goes to exitCode when one is given.
bool RunOnHost(const std::string& command, DWORD timeoutMs, int* exitCode = NULL);
