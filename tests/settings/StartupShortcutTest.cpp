// The start-with-the-system shortcut in the emulated device's startup folder.
#include "Device.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <string>

TEST(StartWithSystem, CreatesTheDeviceShortcutAndReportsTheFilesRealState) {
    DeleteFileW(device::STARTUP_SHORTCUT);
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
