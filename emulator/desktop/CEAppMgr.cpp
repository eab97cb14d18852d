// The emulated desktop's application manager, CEAppMgr.exe: takes the
// quoted path of a package's INI file, reads the component it names and its
// CAB files, and hands each CAB to the connected device's CAB installer, as
// the real manager copies it over the connection. What it does goes to the
// device log.
//
// HKLM\Software\Orvalet Emulator\Desktop:
//   "AppManager" = "install" (the default), "cancel" (the user cancels in
//                  the manager) or "absent" (no device is connected)
//   "DeviceLink" = the host command that runs the device's CAB installer; the
//                  host path of the CAB is appended, single-quoted
#include <windows.h>

#include <string>

#include "DeviceLog.h"
#include "HostCommand.h"

namespace {

const wchar_t DESKTOP_KEY[] = L"Software\\Orvalet Emulator\\Desktop";

std::wstring Setting(const wchar_t* name) {
    wchar_t value[1024] = L"";
    DWORD size = sizeof(value) - sizeof(wchar_t);
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, DESKTOP_KEY, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExW(key, name, NULL, NULL, (BYTE*)value, &size) != ERROR_SUCCESS)
            value[0] = 0;
        value[size / sizeof(wchar_t)] = 0;
        RegCloseKey(key);
    }
    return value;
}

// The one argument: the INI path, quoted or not.
std::wstring IniPath() {
    std::wstring line = DeviceCommandLine();
    if (!line.empty() && line[0] == L'"') {
        size_t end = line.find(L'"', 1);
        return line.substr(1, end == std::wstring::npos ? std::wstring::npos : end - 1);
    }
    return line;
}

std::wstring Profile(const std::wstring& ini, const std::wstring& section, const wchar_t* key) {
    wchar_t value[1024] = L"";
    GetPrivateProfileStringW(section.c_str(), key, L"", value, 1024, ini.c_str());
    return value;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text)
        narrow += (char)c;
    return narrow;
}

// The host path of a file of this machine, through Wine's own export (the
// host carries the package to the device, as the cable would).
std::string HostPath(const std::wstring& path) {
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    ToUnix toUnix =
        (ToUnix)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    char* unix = toUnix ? toUnix(path.c_str()) : NULL;
    if (!unix) return "";
    std::string host = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return host;
}

// Copies the CAB to the device and has the device's installer unpack it.
bool HandToDevice(const std::wstring& cab, const std::wstring& name) {
    std::string host = HostPath(cab);
    if (host.empty() || GetFileAttributesW(cab.c_str()) == INVALID_FILE_ATTRIBUTES) {
        DeviceLog(L"appmgr", L"no package %ls", cab.c_str());
        return false;
    }
    std::wstring link = Setting(L"DeviceLink");
    if (link.empty()) {
        DeviceLog(L"appmgr", L"no link to the device");
        return false;
    }
    DeviceLog(L"appmgr", L"copying %ls to the device", name.c_str());
    int result = -1;
    RunOnHost(Narrow(link) + " '" + host + "'", 300000, &result);
    DeviceLog(L"appmgr", L"the device's installer ended with %d", result);
    return result == 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    DeviceLog(L"appmgr", L"command line [%ls]", GetCommandLineW());
    std::wstring ini = IniPath();
    std::wstring component = Profile(ini, L"CEAppManager", L"Component");
    std::wstring cabs = Profile(ini, component, L"CabFiles");
    if (component.empty() || cabs.empty()) {
        DeviceLog(L"appmgr", L"no component in %ls", ini.c_str());
        return 1;
    }
    DeviceLog(L"appmgr", L"component %ls, CAB files %ls", component.c_str(), cabs.c_str());
    std::wstring behaviour = Setting(L"AppManager");
    if (behaviour == L"cancel") {
        DeviceLog(L"appmgr", L"the user cancelled");
        return 1;
    }
    if (behaviour == L"absent") {
        DeviceLog(L"appmgr", L"no device connected: %ls waits for the next connection",
                  component.c_str());
        return 1;
    }
    std::wstring folder = ini.substr(0, ini.rfind(L'\\'));
    size_t start = 0;
    bool installed = true;
    while (start <= cabs.size()) {
        size_t comma = cabs.find(L',', start);
        std::wstring name =
            cabs.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        if (!name.empty()) installed = HandToDevice(folder + L"\\" + name, name) && installed;
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    return installed ? 0 : 1;
}
