// The device package through the emulated device's CAB installer: install,
// a second install over the running program, removal, and broken packages.
#include "Cabinet.h"
#include "PackagePath.h"
#include "SetupTest.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace setup;

namespace {

const wchar_t BROKEN_PACKAGE[] = L"C:\\broken.cab";

class PackageInstall : public SetupTest {
  protected:
    void SetUp() override {
        SetupTest::SetUp();
        std::string bytes = device::ReadFileBytes(PACKAGE_PATH);
        std::string error;
        ASSERT_TRUE(cab::ReadCabinet((const uint8_t*)bytes.data(), bytes.size(), package, error))
            << error;
    }
    void TearDown() override {
        DeleteFileW(BROKEN_PACKAGE);
        SetupTest::TearDown();
    }
    std::string Member(const char* name) const {
        const cab::Member* member = cab::FindMember(package, name);
        return member ? std::string(member->bytes.begin(), member->bytes.end()) : "(none)";
    }
    // The package's members, changed by change, as a cabinet of the same folders.
    std::string Rebuilt(const std::function<void(std::vector<cab::Member>&)>& change) const {
        std::vector<cab::Member> members = package.members;
        change(members);
        std::vector<std::vector<cab::MemberSource>> folders(package.folderCount);
        for (const cab::Member& m : members)
            folders[m.folder].push_back(cab::MemberSource{m.name, m.bytes});
        std::vector<uint8_t> bytes = cab::WriteCabinet(folders);
        return std::string(bytes.begin(), bytes.end());
    }
    void RemoveProgramFolder() {
        for (const wchar_t* name :
             {L"Orvalet.exe", L"OrvaletSetup.dll", L"Orvalet.bin", L"Orvalet.vga"})
            DeleteFileW((std::wstring(device::PROGRAM_FOLDER) + L"\\" + name).c_str());
        RemoveDirectoryW(device::PROGRAM_FOLDER);
        ASSERT_FALSE(device::FileExists(device::PROGRAM_FOLDER));
    }
    static std::wstring File(const wchar_t* name) {
        return std::wstring(device::PROGRAM_FOLDER) + L"\\" + name;
    }
    static DWORD ResidentProcess() {
        DWORD id = 0;
        if (HWND window = device::MainWindow()) GetWindowThreadProcessId(window, &id);
        return id;
    }

    cab::Cabinet package;
};

TEST_F(PackageInstall, InstallsOverARunningCopyAndUninstalls) {
    RemoveProgramFolder();
    ASSERT_EQ(0, RunInstaller(PACKAGE_PATH)) << device::DeviceLog();
    EXPECT_EQ(Member("Orvalet.001"), device::ReadFileBytes(File(L"Orvalet.exe")));
    EXPECT_EQ(Member("Orvalet.002"), device::ReadFileBytes(File(L"OrvaletSetup.dll")));
    EXPECT_EQ(Member("Orvalet.003"), device::ReadFileBytes(File(L"Orvalet.bin")));
    // The program comes up in the tray; started with "-V" on this screen it
    // has removed the VGA strip that the installer copied.
    ASSERT_TRUE(device::WaitFor([] { return device::MainWindow() != NULL; }));
    EXPECT_TRUE(device::WaitFor(device::TrayIconVisible, 5000));
    EXPECT_FALSE(device::FileExists(File(L"Orvalet.vga")));
    std::string target = ShortcutFile("\"\\Program Files\\Orvalet\\Orvalet.exe\"");
    EXPECT_EQ(target, device::ReadFileBytes(device::STARTUP_SHORTCUT));
    EXPECT_EQ(target, device::ReadFileBytes(PROGRAM_SHORTCUT));
    EXPECT_TRUE(device::FileExists(QUICK_ACTION_SHORTCUT));
    DWORD version = 0;
    EXPECT_TRUE(device::GetSetting(L"Version", &version));
    EXPECT_EQ(1040u, version);
    EXPECT_TRUE(KeyExists(INSTALLED_RECORD));

    // Again, over the running copy: it is closed before its files are
    // replaced, and a fresh one comes up.
    DWORD first = ResidentProcess();
    HANDLE firstProcess = OpenProcess(SYNCHRONIZE, FALSE, first);
    ASSERT_TRUE(firstProcess);
    device::SetSetting(L"QuickAction", 9);
    ASSERT_EQ(0, RunInstaller(PACKAGE_PATH)) << device::DeviceLog();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(firstProcess, 5000)) << "the old copy still runs";
    CloseHandle(firstProcess);
    EXPECT_TRUE(device::WaitFor([&] { return ResidentProcess() && ResidentProcess() != first; }));
    EXPECT_EQ(std::string::npos, device::DeviceLog().find("cannot copy")) << device::DeviceLog();
    DWORD quickAction = 0;
    EXPECT_TRUE(device::GetSetting(L"QuickAction", &quickAction)) << "1040 settings were lost";
    EXPECT_EQ(9u, quickAction);

    // Removal: no program, no key, no shortcuts, no folder, no record.
    ASSERT_EQ(0, RunInstaller(L"/uninstall Orvalet")) << device::DeviceLog();
    EXPECT_EQ(NULL, device::MainWindow());
    EXPECT_FALSE(KeyExists(device::SETTINGS_KEY));
    EXPECT_FALSE(device::FileExists(device::STARTUP_SHORTCUT));
    EXPECT_FALSE(device::FileExists(PROGRAM_SHORTCUT));
    EXPECT_FALSE(device::FileExists(QUICK_ACTION_SHORTCUT));
    EXPECT_FALSE(device::FileExists(device::PROGRAM_FOLDER));
    EXPECT_FALSE(KeyExists(INSTALLED_RECORD));
    EXPECT_FALSE(device::FileExists(KEPT_LIBRARY));
    // Forgotten: a second removal finds nothing to remove.
    EXPECT_NE(0, RunInstaller(L"/uninstall Orvalet"));
}

// Each broken or foreign package is refused with its reason, before the
// setup library is called and before anything is written.
TEST_F(PackageInstall, BrokenAndForeignPackagesAreRefused) {
    // The package with its setup information changed by change.
    auto changeSetup = [this](const std::function<void(std::string&)>& change) {
        return Rebuilt([&](std::vector<cab::Member>& members) {
            for (cab::Member& m : members)
                if (_stricmp(m.name.c_str(), "ORVALET.000") == 0) {
                    std::string setupInfo(m.bytes.begin(), m.bytes.end());
                    change(setupInfo);
                    m.bytes.assign(setupInfo.begin(), setupInfo.end());
                }
        });
    };
    auto patchSetup = [&](size_t at, const std::string& bytes) {
        return changeSetup([&](std::string& setupInfo) {
            setupInfo.replace(at == std::string::npos ? setupInfo.size() - bytes.size() : at,
                              bytes.size(), bytes);
        });
    };
    auto le32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    // "HPC\0HPC PRO\0\0" becomes "PocketPC\0PP\0\0", of the same length.
    std::string unsupported = changeSetup([](std::string& setupInfo) {
        const std::string platforms("HPC\0HPC PRO\0\0", 13);
        size_t at = setupInfo.find(platforms);
        if (at != std::string::npos)
            setupInfo.replace(at, platforms.size(), std::string("PocketPC\0PP\0\0", 13));
    });
    std::string original = device::ReadFileBytes(PACKAGE_PATH);
    uint32_t setupSize = (uint32_t)Member("Orvalet.000").size();
    std::string badChecksum = original, truncated = original.substr(0, original.size() - 100);
    badChecksum[original.size() - 1] ^= 0x55;
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"bad checksum", badChecksum, "checksum"},
        {"truncated", truncated, "bytes, the file has"},
        {"member missing", Rebuilt([](std::vector<cab::Member>& members) {
             for (size_t i = 0; i < members.size(); i++)
                 if (_stricmp(members[i].name.c_str(), "ORVALET.003") == 0)
                     members.erase(members.begin() + i);
         }),
         "member ORVALET.003 of Orvalet.bin is missing"},
        {"string entries past the block", patchSetup(60, le32(setupSize + 8)), "string entries at"},
        {"file name without terminator", patchSetup(std::string::npos, "x"), "no terminator"},
        {"another processor", patchSetup(20, le32(10003)), "processor 10003"},
        {"a later Windows CE", patchSetup(24, le32(5) + le32(0)), "needs Windows CE 5.0 to 5.1"},
        {"this platform unsupported", unsupported, "does not support the platform PocketPC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveProgramFolder();
        device::ClearDeviceLog();
        ASSERT_TRUE(device::WriteFileBytes(BROKEN_PACKAGE, c.bytes));
        EXPECT_EQ(1, RunInstaller(BROKEN_PACKAGE));
        std::string log = device::DeviceLog();
        EXPECT_NE(std::string::npos, log.find("wceload: refused")) << log;
        EXPECT_NE(std::string::npos, log.find(c.reason)) << log;
        EXPECT_EQ(std::string::npos, log.find("Install_Init")) << log;
        EXPECT_FALSE(device::FileExists(device::PROGRAM_FOLDER));
        EXPECT_FALSE(device::FileExists(device::STARTUP_SHORTCUT));
        EXPECT_FALSE(device::FileExists(KEPT_LIBRARY));
        EXPECT_FALSE(KeyExists(INSTALLED_RECORD));
        EXPECT_FALSE(KeyExists(device::SETTINGS_KEY));
        EXPECT_EQ(NULL, device::MainWindow());
    }
}

} // namespace
