// What the emulated screen shows after the power key, display off and a turn,
// with the resident program running behind it.
#include "Device.h"
#include "DeviceTest.h"
#include "EmulatorAnswers.h"
#include "Input.h"
#include "Screen.h"
#include "menu/Commands.h"

#include <gtest/gtest.h>

using namespace device;

namespace {

SIZE ScreenNow() {
    SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return size;
}

RECT WholeScreen() {
    RECT area = {0, 0, ScreenNow().cx, ScreenNow().cy};
    return area;
}

bool AllBlack() {
    std::vector<COLORREF> pixels = CaptureScreen(WholeScreen());
    return !pixels.empty() && CountColour(pixels, RGB(0, 0, 0)) == (int)pixels.size();
}

class ScreenTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY);
        ASSERT_TRUE(StartResident(resident));
    }
    // Lit and upright again, whatever the test left.
    void TearDown() override {
        if (ScreenNow().cx > ScreenNow().cy) RunQuick(CMD_ROTATE_RIGHT);
        DeviceTest::TearDown();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY);
    }
    void RunQuick(DWORD command) {
        ASSERT_TRUE(StartQuickAction(program, command));
        ASSERT_EQ(0, program.WaitExit()) << "command " << command;
    }
    Program resident;
};

TEST_F(ScreenTest, PowerKeyAndDisplayOffDarkenTheScreenUntilATap) {
    const std::vector<COLORREF> lit = CaptureScreen(WholeScreen());
    for (DWORD command : {CMD_POWER_OFF, CMD_SCREEN_OFF}) {
        ClearDeviceLog();
        RunQuick(command);
        EXPECT_TRUE(WaitLog("screen: dark")) << "command " << command << ": " << DeviceLog();
        EXPECT_TRUE(WaitFor(AllBlack, 5000)) << "command " << command << ": not all black";
        input::Tap({ScreenNow().cx / 2, ScreenNow().cy / 2});
        EXPECT_TRUE(WaitLog("screen: on")) << DeviceLog();
        EXPECT_TRUE(WaitFor([&] { return CaptureScreen(WholeScreen()) == lit; }, 5000))
            << "command " << command << ": the picture did not come back";
        EXPECT_TRUE(resident.Running());
        EXPECT_FALSE(MenuWindow()) << "the waking tap reached what was behind the dark screen";
    }
}

TEST_F(ScreenTest, RotationTurnsTheScreenWithTheTrayAtTheBottomRight) {
    const SIZE upright = ScreenNow();
    RunQuick(CMD_ROTATE_RIGHT);
    SIZE turned = ScreenNow();
    EXPECT_EQ(upright.cy, turned.cx);
    EXPECT_EQ(upright.cx, turned.cy);
    POINT tray = TrayIconPoint();
    EXPECT_GT(tray.x, turned.cx - TrayIconSize() * 2) << "tray at " << tray.x << "," << tray.y;
    EXPECT_GT(tray.y, turned.cy - TrayIconSize() * 2) << "tray at " << tray.x << "," << tray.y;
    EXPECT_TRUE(TrayIconVisible()) << "no icon in the turned screen's tray";

    // The resident program's menu opens at the turned screen's right edge (it
    // is taller than a landscape screen, so its top is the screen's).
    input::Tap(tray);
    ASSERT_TRUE(WaitMenu(true));
    RECT menu;
    GetWindowRect(MenuWindow(), &menu);
    EXPECT_LE(menu.right, turned.cx);
    EXPECT_GT(menu.right, turned.cx - 20) << "menu right edge " << menu.right;
    PostMessageW(MainWindow(), MSG_CLOSE_MENU, 0, 0);
    ASSERT_TRUE(WaitMenu(false));

    RunQuick(CMD_ROTATE_RIGHT);
    EXPECT_EQ(upright.cx, ScreenNow().cx);
    EXPECT_EQ(upright.cy, ScreenNow().cy);
    EXPECT_TRUE(TrayIconVisible()) << "no icon in the upright screen's tray";
    EXPECT_TRUE(resident.Running());
}

} // namespace
