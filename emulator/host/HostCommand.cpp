#include "HostCommand.h"

#include <stdlib.h>

namespace {

// The drive Z: path of a host path.
std::wstring HostFile(const std::string& path) {
    std::wstring file = L"Z:";
    for (char c : path)
        file += c == '/' ? L'\\' : (wchar_t)(unsigned char)c;
    return file;
}

// The exit status the command left in the marker, once it is all there.
bool ReadMarker(const std::wstring& marker, int* status) {
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    char text[16] = "";
    DWORD read = 0;
    ReadFile(file, text, sizeof(text) - 1, &read, NULL);
    CloseHandle(file);
    if (read == 0 || text[read - 1] != '\n') return false;
    *status = atoi(text);
    return true;
}

} // namespace

// Wine starts host programs but cannot wait for them: the command leaves a
// marker file with its exit status when it is done, and that is what we wait
// for.
bool RunOnHost(const std::string& command, DWORD timeoutMs, int* exitCode) {
    static unsigned sequence;
    std::string marker = "/tmp/orvalet-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++sequence);
    std::string script = command + "; echo $? > " + marker;
    std::wstring line = L"sh -c \"";
    for (char c : script) {
        if (c == '"') line += L'\\'; // Wine splits the line as Windows does
        line += (wchar_t)(unsigned char)c;
    }
    line += L"\"";
    std::wstring done = HostFile(marker);
    DeleteFileW(done.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &process))
        return false;
    int status = -1;
    for (DWORD waited = 0; waited < timeoutMs; waited += 20, Sleep(20))
        if (ReadMarker(done, &status)) {
            DeleteFileW(done.c_str());
            if (exitCode) *exitCode = status;
            return true;
        }
    return false;
}
