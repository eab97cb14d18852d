#include "SetupTest.h"

namespace setup {

const wchar_t INSTALL_FOLDER[] = L"\\Program Files\\Orvalet";
const wchar_t PROGRAM_SHORTCUT[] = L"C:\\Windows\\Start Menu\\Programs\\Orvalet.lnk";
const wchar_t QUICK_ACTION_SHORTCUT[] =
    L"C:\\Windows\\Start Menu\\Programs\\Orvalet Quick Action.lnk";
const wchar_t INSTALLED_RECORD[] = L"Software\\Apps\\Brantwell Orvalet";
const wchar_t KEPT_LIBRARY[] = L"C:\\Windows\\AppMgr\\Brantwell Orvalet.dll";

std::string ShortcutFile(const std::string& target) {
    return std::to_string(target.size()) + "#" + target;
}

bool KeyExists(const wchar_t* path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

long RunInstaller(const std::wstring& arguments) {
    device::Program installer;
    if (!installer.Start(arguments, L"C:\\Windows\\wceload.exe")) return -1;
    return installer.WaitExit(30000);
}

} // namespace setup

namespace {

const wchar_t* const PROGRAM_FILES[] = {L"Orvalet.exe", L"OrvaletSetup.dll", L"Orvalet.bin",
                                        L"Orvalet.vga"};

void DeleteHookTraces() {
    DeleteFileW(device::STARTUP_SHORTCUT);
    DeleteFileW(setup::PROGRAM_SHORTCUT);
    DeleteFileW(setup::QUICK_ACTION_SHORTCUT);
    DeleteFileW(setup::KEPT_LIBRARY);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, setup::INSTALLED_RECORD);
}

} // namespace

void SetupTest::SetUp() {
    DeviceTest::SetUp();
    DeleteHookTraces();
    programFiles.clear();
    for (const wchar_t* name : PROGRAM_FILES) {
        std::wstring path = std::wstring(device::PROGRAM_FOLDER) + L"\\" + name;
        std::string bytes = device::ReadFileBytes(path);
        ASSERT_FALSE(bytes.empty()) << "the device has no " << testing::PrintToString(path);
        programFiles.emplace_back(path, bytes);
    }
}

void SetupTest::RestoreProgram() {
    CreateDirectoryW(device::PROGRAM_FOLDER, NULL);
    for (const auto& file : programFiles)
        if (device::ReadFileBytes(file.first) != file.second)
            device::WriteFileBytes(file.first, file.second);
}

void SetupTest::TearDown() {
    device::CloseResident();
    DeleteHookTraces();
    RestoreProgram();
    DeviceTest::TearDown();
}
