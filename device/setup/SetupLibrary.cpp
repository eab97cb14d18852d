// OrvaletSetup.dll, the setup library of the device package. The device's
// CAB installer loads it and calls its hooks: Install_Init before the files
// are copied, Install_Exit after, Uninstall_Init before they are removed. No
// hook ever cancels the installer, and none keeps state between calls.
#include "platform.h"

namespace {

const WCHAR SETTINGS_KEY[] = L"Software\\Brantwell\\Orvalet";
const WCHAR WINDOW_NAME[] = L"Orvalet"; // class and title of a running copy
const WCHAR PROGRAM_FILE[] = L"\\Orvalet.exe";
const WCHAR STARTUP_SHORTCUT[] = L"\\Orvalet.lnk";
const WCHAR PROGRAM_SHORTCUT[] = L"\\Programs\\Orvalet.lnk";
const WCHAR QUICK_ACTION_SHORTCUT[] = L"\\Programs\\Orvalet Quick Action.lnk";
const WCHAR QUICK_ACTION_OPTION[] = L"-Q";
const DWORD SETTINGS_VERSION = 1040;
// Settings with a quick action but no "Version" were written by 1.020.
const DWORD UNVERSIONED_SETTINGS = 1020;

// Sends the running copy WM_CLOSE and waits until its window has handled it.
void CloseRunningCopy() {
    HWND window = FindWindowW(WINDOW_NAME, WINDOW_NAME);
    if (window) SendMessageW(window, WM_CLOSE, 0, 0);
}

// The folder's path followed by name, in a MAX_PATH buffer; false when the
// shell has no such folder or the two do not fit together.
bool GetShortcutPath(int folder, const WCHAR* name, WCHAR path[MAX_PATH]) {
    path[0] = 0;
    if (!SHGetSpecialFolderPath(NULL, path, folder, FALSE)) return false;
    size_t length = wcslen(path);
    if (length + wcslen(name) >= MAX_PATH) return false;
    wcscpy(path + length, name);
    return true;
}

// Makes a shortcut to target, replacing any file of that name first when
// replace is set; every failure is silent.
void MakeShortcut(int folder, const WCHAR* name, WCHAR* target, bool replace) {
    WCHAR path[MAX_PATH];
    if (!GetShortcutPath(folder, name, path)) return;
    if (replace) DeleteFileW(path);
    SHCreateShortcut(path, target);
}

void DeleteShortcut(int folder, const WCHAR* name) {
    WCHAR path[MAX_PATH];
    if (GetShortcutPath(folder, name, path)) DeleteFileW(path);
}

// The program target, the quoted program path, in a MAX_PATH buffer. The
// quick-action target adds "-Q" to it later, so the folder is refused unless
// that longer one fits as well: a truncated path would start another file.
bool BuildProgramTarget(const WCHAR* folder, WCHAR target[MAX_PATH]) {
    target[0] = 0;
    if (!folder || !folder[0]) return false;
    size_t length = 1 + wcslen(folder) + wcslen(PROGRAM_FILE) + 1;
    if (length + wcslen(QUICK_ACTION_OPTION) >= MAX_PATH) return false;
    wcscpy(target, L"\"");
    wcscat(target, folder);
    wcscat(target, PROGRAM_FILE);
    wcscat(target, L"\"");
    return true;
}

// The format of the stored settings: 0 when there are none (or no quick
// action, which every release stores), else "Version", else 1020.
DWORD StoredSettingsVersion() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD quickAction = 0, size = sizeof(quickAction);
    RegQueryValueExW(key, L"QuickAction", NULL, NULL, (BYTE*)&quickAction, &size);
    DWORD version = 0;
    if (quickAction != 0) {
        size = sizeof(version);
        if (RegQueryValueExW(key, L"Version", NULL, NULL, (BYTE*)&version, &size) != ERROR_SUCCESS)
            version = UNVERSIONED_SETTINGS;
    }
    RegCloseKey(key);
    return version;
}

// The program's first start: through the shell, quoted path, "-V", not waited for.
void StartProgram(const WCHAR* target, const WCHAR* folder) {
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = SHELL_EXECUTE_RECORD_SIZE;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpFile = target;
    info.lpParameters = L"-V";
    info.lpDirectory = folder;
    info.nShow = SW_SHOW;
    ShellExecuteEx(&info);
}

// "Version" = 1040, written through to storage.
void WriteSettingsVersion() {
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        &disposition) != ERROR_SUCCESS)
        return;
    DWORD version = SETTINGS_VERSION;
    RegSetValueExW(key, L"Version", 0, REG_DWORD, (const BYTE*)&version, sizeof(version));
    RegFlushKey(key);
    RegCloseKey(key);
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    return TRUE;
}

codeINSTALL_INIT Install_Init(HWND owner, BOOL firstCall, BOOL previouslyInstalled,
                              LPCWSTR installFolder) {
    CloseRunningCopy();
    return codeINSTALL_INIT_CONTINUE;
}

// An install folder too long for the targets gets no shortcuts and no start
// (see BuildProgramTarget); the settings are still brought to this format.
codeINSTALL_EXIT Install_Exit(HWND owner, LPCWSTR installFolder, WORD failedDirectories,
                              WORD failedFiles, WORD failedKeys, WORD failedValues,
                              WORD failedShortcuts) {
    WCHAR target[MAX_PATH];
    bool haveTarget = BuildProgramTarget(installFolder, target);
    if (haveTarget) {
        // The startup shortcut may be the user's own (the settings' start
        // with the system): it is written over, never deleted first.
        MakeShortcut(CSIDL_STARTUP, STARTUP_SHORTCUT, target, false);
        MakeShortcut(CSIDL_STARTMENU, PROGRAM_SHORTCUT, target, true);
    }
    if (StoredSettingsVersion() < SETTINGS_VERSION)
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
    if (haveTarget) {
        StartProgram(target, installFolder);
        // No blank before "-Q": the launcher hands on what follows the quote.
        wcscat(target, QUICK_ACTION_OPTION);
        MakeShortcut(CSIDL_STARTMENU, QUICK_ACTION_SHORTCUT, target, true);
    }
    WriteSettingsVersion();
    return codeINSTALL_EXIT_DONE;
}

codeUNINSTALL_INIT Uninstall_Init(HWND owner, LPCWSTR installFolder) {
    CloseRunningCopy();
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
    DeleteShortcut(CSIDL_STARTUP, STARTUP_SHORTCUT);
    DeleteShortcut(CSIDL_STARTMENU, PROGRAM_SHORTCUT);
    DeleteShortcut(CSIDL_STARTMENU, QUICK_ACTION_SHORTCUT);
    return codeUNINSTALL_INIT_CONTINUE;
}

// The package marks the library self-registering; there is nothing to register.
HRESULT DllRegisterServer() {
    return S_OK;
}

HRESULT DllUnregisterServer() {
    return S_OK;
}

} // extern "C"
