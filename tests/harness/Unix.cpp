#include "Unix.h"
#include "Device.h"

#include <vector>

namespace device {

std::wstring HostPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : (wchar_t)(unsigned char)c;
    return path;
}

// Wine starts host programs but cannot wait for them, and the process record
// it fills in for one holds no real handles (closing them could close one of
// ours): the command leaves a marker file when it is done, and that is what we
// wait for.
bool RunOnHost(const std::string& command, unsigned timeoutMs) {
    static unsigned sequence;
    std::string marker = "/tmp/orvalet-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++sequence);
    std::string script = command + "; : > " + marker;
    std::wstring commandLine = L"sh -c \"";
    for (char c : script) {
        if (c == '"' || c == '\\') commandLine += L'\\';
        commandLine += (wchar_t)(unsigned char)c;
    }
    commandLine += L"\"";
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &info))
        return false;
    std::wstring done = HostPath(marker);
    bool finished = WaitFor([&] { return FileExists(done); }, timeoutMs);
    DeleteFileW(done.c_str());
    return finished;
}

} // namespace device
