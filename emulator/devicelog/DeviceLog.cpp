#include "DeviceLog.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>

const wchar_t DEVICE_LOG_PATH[] = L"C:\\devicelog.txt";

void DeviceLog(const wchar_t* source, const wchar_t* format, ...) {
    wchar_t line[2048];
    int length = _snwprintf(line, 1024, L"%ls: ", source);
    va_list args;
    va_start(args, format);
    _vsnwprintf(line + length, 2040 - length, format, args);
    va_end(args);
    line[2040] = 0;
    lstrcatW(line, L"\r\n");

    char utf8[8192];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof(utf8), NULL, NULL);
    if (bytes <= 1) return;
    // Several processes write to the log; appending under a brief exclusive
    // open keeps their lines whole.
    for (int attempt = 0; attempt < 50; attempt++) {
        HANDLE file = CreateFileW(DEVICE_LOG_PATH, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(file, utf8, bytes - 1, &written, NULL);
            CloseHandle(file);
            return;
        }
        Sleep(10);
    }
}
