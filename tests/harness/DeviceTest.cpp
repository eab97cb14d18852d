#include "DeviceTest.h"
#include "Input.h"

#include "menu/Commands.h"

using namespace device;

void DeviceTest::SetUp() {
    ScreenWidth(); // asked early, before the test draws anything
    ScreenHeight();
    CloseResident();
    DeleteSettings();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, THEME_KEY);
    DeleteFileW(USER_STRIP);
    ClearDeviceLog();
    ClearAnswers();
}

void DeviceTest::TearDown() {
    // A screen left dark by the power key or display off is lit again by a tap.
    if (HWND dark = FindWindowW(L"OrvaletEmulatorDarkScreen", NULL)) {
        input::Tap({10, 10});
        WaitFor([&] { return !IsWindow(dark); }, 3000);
    }
    if (MenuWindow()) {
        PostMessageW(MainWindow(), MSG_CLOSE_MENU, 0, 0);
        WaitMenu(false, 3000);
    }
    CloseResident();
    program.Kill();
    DeleteSettings();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, THEME_KEY);
    DeleteFileW(USER_STRIP);
    ClearAnswers();
}
