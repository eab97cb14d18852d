// The installer's record of the packages installed on the emulated device:
// one key each under HKEY_LOCAL_MACHINE "Software\Apps", named after the
// provider and the application as on the device, with what removal needs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct InstalledPackage {
    std::wstring appName, provider;
    std::wstring installFolder; // device path
    std::wstring setupLibrary;  // the kept setup library, or empty
    std::vector<std::wstring> files, folders, selfRegistering;
};

// Where the package's setup library is kept for its removal.
std::wstring SetupLibraryPath(const std::wstring& provider, const std::wstring& appName);

// The record of the package of that application name (without regard to case).
bool FindInstalled(const std::wstring& appName, InstalledPackage& record);
void RecordInstalled(const InstalledPackage& record);
void ForgetInstalled(const InstalledPackage& record);

// Removes an installed package's files, its folders when empty, its kept setup
// library and its record; with callHooks, after asking its setup library.
bool RemoveInstalled(const InstalledPackage& record, bool callHooks);
