// The CE core services that a desktop lacks, as the emulated device provides
// them. Device paths ("\Windows\StartUp") are paths from the root of the
// emulator's drive C:, where the emulated programs run.
#include <windows.h>

#include "DeviceLog.h"

extern "C" {

namespace {

struct SpecialFolder {
    int id;
    const wchar_t* path;
};

// The Pocket PC's folders, by the CSIDL numbers the device uses.
const SpecialFolder SPECIAL_FOLDERS[] = {
    {0x0002, L"\\Windows\\Start Menu\\Programs"}, // CSIDL_PROGRAMS
    {0x0005, L"\\My Documents"},                  // CSIDL_PERSONAL
    {0x0006, L"\\Windows\\Favorites"},            // CSIDL_FAVORITES
    {0x0007, L"\\Windows\\StartUp"},              // CSIDL_STARTUP
    {0x000b, L"\\Windows\\Start Menu"},           // CSIDL_STARTMENU
    {0x0010, L"\\Windows\\Desktop"},              // CSIDL_DESKTOPDIRECTORY
    {0x0014, L"\\Windows\\Fonts"},                // CSIDL_FONTS
    {0x0026, L"\\Program Files"},                 // CSIDL_PROGRAM_FILES
};

} // namespace

__declspec(dllexport) BOOL SHGetSpecialFolderPath(HWND, LPWSTR path, int folder, BOOL create) {
    if (!path) return FALSE;
    for (const SpecialFolder& entry : SPECIAL_FOLDERS) {
        if (entry.id != folder) continue;
        lstrcpynW(path, entry.path, MAX_PATH);
        if (create) CreateDirectoryW(path, NULL);
        return TRUE;
    }
    path[0] = 0;
    return FALSE;
}

// The device's shortcut file: the target's length in characters, "#", and the
// target (a quoted path, optionally followed by arguments), in 8-bit text.
__declspec(dllexport) BOOL SHCreateShortcut(LPWSTR shortcut, LPWSTR target) {
    if (!shortcut || !target) return FALSE;
    int length = lstrlenW(target);
    char content[MAX_PATH * 3 + 16];
    int prefix = wsprintfA(content, "%d#", length);
    int bytes = WideCharToMultiByte(CP_ACP, 0, target, length, content + prefix,
                                    sizeof(content) - prefix, NULL, NULL);
    if (length > 0 && bytes == 0) return FALSE;
    HANDLE file = CreateFileW(shortcut, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    DWORD written = 0;
    BOOL ok = WriteFile(file, content, prefix + bytes, &written, NULL);
    CloseHandle(file);
    DeviceLog(L"coredll", L"shortcut %ls -> %ls", shortcut, target);
    return ok && written == (DWORD)(prefix + bytes);
}

} // extern "C"
