#include "DeviceTest.h"

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
