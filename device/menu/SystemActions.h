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

// Starts application with commandLine (may be NULL); handles closed at once,
// failure silent.
void StartProcess(const WCHAR* application, const WCHAR* commandLine);

// Shows the row's question or error (its text ids) with style; the answer.
int ShowCommandMessage(const CommandRow& row, UINT style);

// True when path names an existing file (not a folder).
bool FileExists(const WCHAR* path);

// The executable of the maker's product name, kept once found; NULL when the
// product's key or install folder is missing (looked up again next time).
const WCHAR* FindProductExecutable(const WCHAR* name);

// The actions, one per command or family of commands (their files say which).
void SoftReset();                             // DeviceActions.cpp
void HardReset(const CommandRow& row);        // DeviceActions.cpp
void PowerOff();                              // DeviceActions.cpp
void OpenBrightness();                        // SettingsPages.cpp
void OpenBattery();                           // SettingsPages.cpp
void ShowTodayScreen();                       // TodayScreen.cpp
void RefreshTodayScreen();                    // TodayScreen.cpp
void RunMemoryCleaner(const CommandRow& row); // MemoryCleaner.cpp
void RotateCommand(const CommandRow& row);    // Display.cpp
void TurnScreenOff();                         // Display.cpp
void CaptureScreen();                         // ScreenCapture.cpp
void RunIpHelper();                           // IpHelper.cpp
