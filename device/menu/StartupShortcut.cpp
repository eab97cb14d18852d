// The start-with-the-system setting: its only state is the shortcut
// "\Orvalet.lnk" in the startup folder, shared with the setup library.
#include "ProgramPath.h"
#include "Settings.h"

namespace {

const WCHAR SHORTCUT_NAME[] = L"\\Orvalet.lnk";

bool GetShortcutPath(WCHAR path[MAX_PATH]) {
    if (!SHGetSpecialFolderPath(NULL, path, CSIDL_STARTUP, FALSE)) return false;
    size_t folderLength = wcslen(path);
    if (folderLength + wcslen(SHORTCUT_NAME) >= MAX_PATH) return false;
    wcscpy(path + folderLength, SHORTCUT_NAME);
    return true;
}

} // namespace

void SetStartWithSystem(bool on) {
    WCHAR shortcut[MAX_PATH];
    if (!GetShortcutPath(shortcut)) return;
    if (!on) {
        DeleteFileW(shortcut);
        return;
    }
    // The quoted target needs two units more than the longest module path.
    WCHAR target[MAX_PATH + 3];
    target[0] = L'"';
    if (!GetProgramPath(target + 1, MAX_PATH)) return;
    wcscat(target, L"\"");
    SHCreateShortcut(shortcut, target);
}

bool IsStartWithSystem() {
    WCHAR shortcut[MAX_PATH];
    if (!GetShortcutPath(shortcut)) return false;
    HANDLE file = CreateFileW(shortcut, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}
