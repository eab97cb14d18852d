// A program of the device that tests place under the names the product
// starts: records its file name, the command line it received and its
// current folder, then ends.
#include <windows.h>

#include "DeviceLog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    WCHAR path[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    WCHAR folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    const WCHAR* name = path;
    for (const WCHAR* at = path; *at; at++)
        if (*at == L'\\') name = at + 1;
    DeviceLog(L"recorder", L"%ls [%ls] in %ls", name, DeviceCommandLine(), folder);
    return 0;
}
