// The resident program in the emulated Pocket PC: start, tray icon, close.
#include "Device.h"
#include "Input.h"

#include <gtest/gtest.h>

using namespace device;

class Resident : public ::testing::Test {
protected:
    void SetUp() override {
        CloseResident();
        DeleteSettings();
        ClearDeviceLog();
    }
    void TearDown() override { CloseResident(); }
    Program program;
};

TEST_F(Resident, CloseEndsWithZeroAndRemovesTrayIcon) {
    ASSERT_TRUE(StartResident(program)) << "no main window or tray icon";
    HWND window = MainWindow();
    EXPECT_FALSE(IsWindowVisible(window)) << "the main window must stay hidden";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitExit());
    EXPECT_TRUE(WaitFor([] { return !TrayIconVisible(); }, 5000)) << "tray icon left behind";
}
