// The start-with-the-system shortcut in the emulated device's startup folder.
#include "Device.h"
#include "DeviceTest.h"
#include "EmulatorAnswers.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class StartWithSystem : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        DeleteFileW(device::STARTUP_SHORTCUT);
    }
    void TearDown() override {
        DeleteFileW(device::STARTUP_SHORTCUT);
        DeviceTest::TearDown();
    }
};

TEST_F(StartWithSystem, CreatesTheDeviceShortcutAndReportsTheFilesRealState) {
    EXPECT_FALSE(IsStartWithSystem());

    SetStartWithSystem(true);
    ASSERT_TRUE(device::FileExists(device::STARTUP_SHORTCUT));
    EXPECT_TRUE(IsStartWithSystem());

    // The device's format: the target's length, "#", then the quoted program path.
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(NULL, module, MAX_PATH);
    char path[MAX_PATH * 3];
    WideCharToMultiByte(CP_ACP, 0, module, -1, path, sizeof(path), NULL, NULL);
    std::string target = std::string("\"") + path + "\"";
    EXPECT_EQ(std::to_string(target.size()) + "#" + target,
              device::ReadFileBytes(device::STARTUP_SHORTCUT));

    SetStartWithSystem(false);
    EXPECT_FALSE(device::FileExists(device::STARTUP_SHORTCUT));
    EXPECT_FALSE(IsStartWithSystem());

    // Any file of that name counts, such as the one the setup library made.
    ASSERT_TRUE(device::WriteFileBytes(device::STARTUP_SHORTCUT, "1#x"));
    EXPECT_TRUE(IsStartWithSystem());
    SetStartWithSystem(false);
    EXPECT_FALSE(IsStartWithSystem());
}

// A device whose shell cannot name its startup folder: the switch creates and
// deletes nothing and reports off, whatever lies where the folder would be.
TEST_F(StartWithSystem, WithoutAStartupFolderNothingIsCreatedOrDeleted) {
    device::SetAnswer(ANSWER_REFUSED_FOLDER, CSIDL_STARTUP);
    SetStartWithSystem(true);
    EXPECT_FALSE(device::FileExists(device::STARTUP_SHORTCUT)) << "a shortcut was made";
    EXPECT_EQ(std::string::npos, device::DeviceLog().find("coredll: shortcut"))
        << device::DeviceLog();

    ASSERT_TRUE(device::WriteFileBytes(device::STARTUP_SHORTCUT, "1#x"));
    EXPECT_FALSE(IsStartWithSystem()) << "reported on without a folder to look in";
    SetStartWithSystem(false);
    EXPECT_TRUE(device::FileExists(device::STARTUP_SHORTCUT)) << "deleted without a folder";

    // The same program with the folder back: the file is found again.
    device::ClearAnswers();
    EXPECT_TRUE(IsStartWithSystem());
}

} // namespace
