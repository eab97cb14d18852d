#include "ProgramPath.h"

bool GetProgramPath(WCHAR* path, DWORD capacity) {
    DWORD length = GetModuleFileNameW(NULL, path, capacity);
    // A full buffer means the path was cut (and, on some platforms, not terminated).
    if (length == 0 || length >= capacity) {
        path[0] = 0;
        return false;
    }
    path[length] = 0;
    return true;
}

bool GetSiblingPath(const WCHAR* extension, WCHAR path[PROGRAM_PATH_LENGTH + 1]) {
    if (!GetProgramPath(path, PROGRAM_PATH_LENGTH + 1)) return false;
    size_t length = wcslen(path);
    if (length <= 3) return false;
    for (int i = 0; i < 3; i++)
        path[length - 3 + i] = extension[i];
    return true;
}
