#include "Installed.h"

namespace {

const wchar_t APPS_KEY[] = L"Software\\Apps";

std::wstring KeyName(const InstalledPackage& record) {
    return record.provider.empty() ? record.appName : record.provider + L" " + record.appName;
}

std::wstring ReadText(HKEY key, const wchar_t* name) {
    wchar_t text[1024];
    DWORD size = sizeof(text) - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE*)text, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    text[size / sizeof(wchar_t)] = 0;
    return text;
}

std::vector<std::wstring> ReadList(HKEY key, const wchar_t* name) {
    std::vector<std::wstring> list;
    DWORD size = 0, type = 0;
    if (RegQueryValueExW(key, name, NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return list;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE*)text.data(), &size) != ERROR_SUCCESS)
        return list;
    for (const wchar_t* at = text.data(); *at; at += wcslen(at) + 1)
        list.push_back(at);
    return list;
}

void WriteText(HKEY key, const wchar_t* name, const std::wstring& text) {
    RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)text.c_str(),
                   (DWORD)((text.size() + 1) * sizeof(wchar_t)));
}

void WriteList(HKEY key, const wchar_t* name, const std::vector<std::wstring>& list) {
    std::wstring text;
    for (const std::wstring& item : list)
        text += item + L'\0';
    text += L'\0';
    RegSetValueExW(key, name, 0, REG_MULTI_SZ, (const BYTE*)text.data(),
                   (DWORD)(text.size() * sizeof(wchar_t)));
}

} // namespace

std::wstring SetupLibraryPath(const std::wstring& provider, const std::wstring& appName) {
    InstalledPackage record;
    record.provider = provider;
    record.appName = appName;
    return L"\\Windows\\AppMgr\\" + KeyName(record) + L".dll";
}

bool FindInstalled(const std::wstring& appName, InstalledPackage& record) {
    HKEY apps;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, APPS_KEY, 0, KEY_READ, &apps) != ERROR_SUCCESS)
        return false;
    bool found = false;
    wchar_t name[256];
    for (DWORD i = 0; !found; i++) {
        DWORD length = 256;
        if (RegEnumKeyExW(apps, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        HKEY key;
        if (RegOpenKeyExW(apps, name, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        if (_wcsicmp(ReadText(key, L"AppName").c_str(), appName.c_str()) == 0) {
            found = true;
            record.appName = ReadText(key, L"AppName");
            record.provider = ReadText(key, L"Provider");
            record.installFolder = ReadText(key, L"InstlDir");
            record.setupLibrary = ReadText(key, L"SetupLibrary");
            record.files = ReadList(key, L"Files");
            record.folders = ReadList(key, L"Folders");
            record.selfRegistering = ReadList(key, L"SelfRegistering");
        }
        RegCloseKey(key);
    }
    RegCloseKey(apps);
    return found;
}

void RecordInstalled(const InstalledPackage& record) {
    HKEY key;
    std::wstring path = std::wstring(APPS_KEY) + L"\\" + KeyName(record);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    DWORD installed = 1;
    RegSetValueExW(key, L"Instl", 0, REG_DWORD, (const BYTE*)&installed, sizeof(installed));
    WriteText(key, L"InstlDir", record.installFolder);
    WriteText(key, L"AppName", record.appName);
    WriteText(key, L"Provider", record.provider);
    WriteText(key, L"SetupLibrary", record.setupLibrary);
    WriteList(key, L"Files", record.files);
    WriteList(key, L"Folders", record.folders);
    WriteList(key, L"SelfRegistering", record.selfRegistering);
    RegCloseKey(key);
}

void ForgetInstalled(const InstalledPackage& record) {
    std::wstring path = std::wstring(APPS_KEY) + L"\\" + KeyName(record);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
}
