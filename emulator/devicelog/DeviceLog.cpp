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

const wchar_t* DeviceCommandLine() {
    const wchar_t* line = GetCommandLineW();
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    const wchar_t* name = path;
    for (const wchar_t* at = path; *at; at++)
        if (*at == L'\\' || *at == L'/') name = at + 1;
    // The first token and where its last path component starts.
    bool quoted = *line == L'"';
    const wchar_t* start = quoted ? line + 1 : line;
    const wchar_t* end = start;
    const wchar_t* last = start;
    for (; *end && (quoted ? *end != L'"' : *end != L' '); end++)
        if (*end == L'\\' || *end == L'/') last = end + 1;
    int length = lstrlenW(name);
    if (end - last != length ||
        CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, last, length, name, length) != CSTR_EQUAL)
        return line;
    if (quoted && *end == L'"') end++;
    while (*end == L' ')
        end++;
    return end;
}
