// Taps and tap-and-holds on the tray icon, and the outside component's tap
// reports, decide between the menu and the quick action.
#include "Spine.h"

#include <algorithm>

using namespace device;

namespace {

const DWORD HOLD_MS = 1500;

class Gestures : public SpineTest {
  protected:
    // Starts the program with the given "Reverse" and the Memory quick action.
    void StartWith(DWORD reverse) {
        SetSetting(L"Reverse", reverse);
        SetSetting(L"QuickAction", QUICK_MEMORY);
        ASSERT_TRUE(StartResident(program));
    }
    void ExpectMenuAndNoQuickAction(const char* what) {
        EXPECT_TRUE(WaitMenu(true)) << what << ": no menu";
        EXPECT_TRUE(CloseMenu()) << what << ": the menu did not close";
        EXPECT_EQ(0, CountInLog(MEMORY_PAGE)) << what << ": the quick action ran";
    }
    void ExpectQuickActionAndNoMenu(const char* what) {
        EXPECT_TRUE(WaitLog(MEMORY_PAGE)) << what << ": the quick action did not run; log:\n"
                                          << DeviceLog();
        EXPECT_EQ(nullptr, MenuWindow()) << what << ": a menu opened";
        EXPECT_EQ(1, CountInLog(MEMORY_PAGE)) << what;
    }
};

TEST_F(Gestures, TapOpensTheMenuAndHoldRunsTheQuickAction) {
    StartWith(0);
    input::Tap(TrayIconPoint());
    ExpectMenuAndNoQuickAction("tap");
    EXPECT_TRUE(WaitLog("aygshell: gesture tap"));

    ClearDeviceLog();
    input::TapAndHold(TrayIconPoint(), HOLD_MS);
    ExpectQuickActionAndNoMenu("tap-and-hold");
    EXPECT_NE(std::string::npos, DeviceLog().find("aygshell: gesture hold"));
}

TEST_F(Gestures, ReverseSwapsTheTwoGestures) {
    StartWith(1);
    input::Tap(TrayIconPoint());
    ExpectQuickActionAndNoMenu("tap");

    ClearDeviceLog();
    input::TapAndHold(TrayIconPoint(), HOLD_MS);
    ExpectMenuAndNoQuickAction("tap-and-hold");
}

TEST_F(Gestures, TrayCallbacksOtherThanStylusDownOnTheIconAreIgnored) {
    StartWith(0);
    HWND window = MainWindow();
    SendMessageW(window, MSG_TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONUP);
    SendMessageW(window, MSG_TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    SendMessageW(window, MSG_TRAY_CALLBACK, TRAY_ICON_ID - 1, WM_LBUTTONDOWN);
    EXPECT_EQ(nullptr, MenuWindow());
    EXPECT_EQ(0, CountInLog(MEMORY_PAGE));
    EXPECT_EQ(std::string::npos, DeviceLog().find("aygshell: gesture"))
        << "a gesture was recognised";
}

TEST_F(Gestures, TrayMenuHangsAboveTheTrayAtTheRightEdge) {
    UseShortMenu();
    StartWith(0);
    input::Tap(TrayIconPoint());
    ASSERT_TRUE(WaitMenu(true));
    RECT menu = WindowRect(MenuWindow());
    EXPECT_EQ(ScreenHeight() - 25, menu.bottom) << "menu bottom";
    EXPECT_LE(menu.right, ScreenWidth());
    EXPECT_GT(menu.right, ScreenWidth() - 20) << "the menu keeps to the right edge";
}

TEST_F(Gestures, TapReportsOpenTheMenuFromTheTopAtTheirPosition) {
    UseShortMenu();
    StartWith(0);
    PostMessageW(MainWindow(), MSG_TASKBAR_GESTURE, 0, 100);
    ASSERT_TRUE(WaitMenu(true));
    RECT menu = WindowRect(MenuWindow());
    EXPECT_EQ(26, menu.top) << "the menu drops down from 26 pixels below the top";
    // 10 pixels left of the reported x, unless the platform moves it back onto the screen.
    EXPECT_EQ(std::min(90L, ScreenWidth() - (menu.right - menu.left)), menu.left);
    EXPECT_TRUE(CloseMenu());

    // A held report runs the quick action; with "Reverse" it would be the menu.
    PostMessageW(MainWindow(), MSG_TASKBAR_GESTURE, 1, 100);
    ExpectQuickActionAndNoMenu("held report");
}

TEST_F(Gestures, ReverseAppliesToTapReportsToo) {
    StartWith(1);
    PostMessageW(MainWindow(), MSG_TASKBAR_GESTURE, 0, 50);
    ExpectQuickActionAndNoMenu("tap report");
    ClearDeviceLog();
    PostMessageW(MainWindow(), MSG_TASKBAR_GESTURE, 1, 50);
    ExpectMenuAndNoQuickAction("held report");
}

// On VGA every measure doubles: the tray anchor is 50 pixels up, reports are
// scaled, and the tray icon never changes while the menu is open.
TEST_F(Gestures, OnVgaAnchorsAreScaled) {
    UseShortMenu();
    StartWith(0);
    ASSERT_TRUE(IsVgaScreen());
    input::Tap(TrayIconPoint());
    ASSERT_TRUE(WaitMenu(true));
    EXPECT_EQ(ScreenHeight() - 50, WindowRect(MenuWindow()).bottom);
    EXPECT_TRUE(CloseMenu());

    PostMessageW(MainWindow(), MSG_TASKBAR_GESTURE, 0, 100);
    ASSERT_TRUE(WaitMenu(true));
    RECT menu = WindowRect(MenuWindow());
    EXPECT_EQ(52, menu.top);
    EXPECT_EQ(std::min(190L, ScreenWidth() - (menu.right - menu.left)), menu.left);
    EXPECT_TRUE(CloseMenu());
}

} // namespace
