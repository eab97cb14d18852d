// The clean boot: the object store starts empty. The emulator keeps its
// desktop registry and system folder; what goes is what the user made.
#include "Boot.h"

#include "DeviceLog.h"

namespace {

const WCHAR* const WIPED_KEYS[] = {L"Software\\Brantwell\\Orvalet"}; // under HKLM
const WCHAR* const EMPTIED_FOLDERS[] = {L"C:\\Windows\\StartUp", L"C:\\My Documents"};

// Deletes what folder holds, folders within it too, but not folder itself.
void EmptyFolder(const WCHAR* folder) {
    WCHAR pattern[MAX_PATH];
    if (wsprintfW(pattern, L"%s\\*", folder) >= MAX_PATH - 1) return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!lstrcmpW(found.cFileName, L".") || !lstrcmpW(found.cFileName, L"..")) continue;
        WCHAR path[MAX_PATH];
        if (lstrlenW(folder) + 1 + lstrlenW(found.cFileName) >= MAX_PATH) continue;
        wsprintfW(path, L"%s\\%s", folder, found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A link to a folder goes, not what it points at.
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) EmptyFolder(path);
            RemoveDirectoryW(path);
        } else {
            SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace

void WipeUserData() {
    for (const WCHAR* key : WIPED_KEYS)
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);
    for (const WCHAR* folder : EMPTIED_FOLDERS)
        EmptyFolder(folder);
    DeviceLog(L"boot", L"wiped");
}
