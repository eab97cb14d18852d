// The programs of the device, told apart from what else runs in the prefix:
// Wine's own services live in C:\windows\system32, the tests run from drive Z:.
// Everything else on drive C: is the device's (\Windows\today.exe,
// \Program Files\Orvalet\Orvalet.exe, ...).
#include "Boot.h"

#include "DeviceLog.h"
#include "EmulatorAnswers.h"

#include <tlhelp32.h>

namespace {

bool StartsWith(const WCHAR* text, const WCHAR* prefix) {
    int length = lstrlenW(prefix);
    return lstrlenW(text) >= length && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text,
                                                      length, prefix, length) == CSTR_EQUAL;
}

bool IsDeviceProgram(HANDLE process) {
    WCHAR image[MAX_PATH];
    DWORD length = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, image, &length)) return false;
    return StartsWith(image, L"C:\\") && !StartsWith(image, L"C:\\windows\\system32\\");
}

} // namespace

// The device loses power: its programs end where they are, without closing.
int EndDevicePrograms() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    int ended = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        HANDLE process =
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                        entry.th32ProcessID);
        if (!process) continue;
        if (IsDeviceProgram(process) && TerminateProcess(process, BOOT_EXIT_CODE)) {
            WaitForSingleObject(process, 3000);
            ended++;
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return ended;
}

// Device paths ("\Program Files\...") resolve on the current drive, C:, and
// the shell starts programs with no working folder of their own.
bool StartDeviceProgram(const WCHAR* commandLine) {
    WCHAR line[1024];
    lstrcpynW(line, commandLine, 1024);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) {
        DeviceLog(L"boot", L"could not start %ls (error %lu)", commandLine, GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    DeviceLog(L"boot", L"started %ls", commandLine);
    return true;
}
