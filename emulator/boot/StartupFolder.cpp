// The startup folder's shortcuts, in the device's own format (the desktop's
// shell opens none of them): 8-bit text "N#target", N the target's length in
// characters, the target a program path, quoted when it holds spaces,
// followed by its arguments.
#include "Boot.h"

#include "DeviceLog.h"

namespace {

const WCHAR STARTUP_FOLDER[] = L"C:\\Windows\\StartUp";
// A target is a path of up to MAX_PATH characters with its quotes and
// arguments; a file much longer than that is no shortcut.
const int LONGEST_TARGET = 2 * MAX_PATH;
const DWORD LONGEST_FILE = 3 * LONGEST_TARGET + 16;

// The target of the shortcut text of size bytes; an empty string and the
// reason when it is no shortcut.
const WCHAR* ParseShortcut(const char* text, DWORD size, WCHAR target[LONGEST_TARGET + 1]) {
    DWORD at = 0;
    int length = 0;
    while (at < size && text[at] >= '0' && text[at] <= '9') {
        length = length * 10 + (text[at++] - '0');
        if (length > LONGEST_TARGET) return L"target too long";
    }
    if (at == 0) return L"no length";
    if (at == size || text[at] != '#') return L"no '#' after the length";
    at++;
    if (length == 0) return L"empty target";
    // What follows may be longer (a line end); the target is its first
    // length characters.
    WCHAR rest[LONGEST_FILE];
    int got = MultiByteToWideChar(CP_ACP, 0, text + at, (int)(size - at), rest, LONGEST_FILE);
    if (got < length) return L"shorter than its length";
    lstrcpynW(target, rest, length + 1);
    if (target[0] == L'"' && !wcschr(target + 1, L'"')) return L"unclosed quote";
    return NULL;
}

// Reads and starts one shortcut; a file that is not one is skipped.
void StartShortcut(const WCHAR* path, const WCHAR* name) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    char text[LONGEST_FILE];
    DWORD size = GetFileSize(file, NULL), got = 0;
    BOOL read = size <= LONGEST_FILE && ReadFile(file, text, size, &got, NULL) && got == size;
    CloseHandle(file);
    WCHAR target[LONGEST_TARGET + 1] = L"";
    const WCHAR* fault = read ? ParseShortcut(text, got, target) : L"unreadable or too long";
    if (fault) {
        DeviceLog(L"boot", L"skipped %ls: %ls", name, fault);
        return;
    }
    StartDeviceProgram(target);
}

} // namespace

void StartStartupFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"C:\\Windows\\StartUp\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        WCHAR path[MAX_PATH];
        if (lstrlenW(STARTUP_FOLDER) + 1 + lstrlenW(found.cFileName) >= MAX_PATH) continue;
        wsprintfW(path, L"%s\\%s", STARTUP_FOLDER, found.cFileName);
        StartShortcut(path, found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
