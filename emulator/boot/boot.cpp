// The emulated device's restart, started by coredll's reboot request: the
// start screen comes up, every program of the device ends, a clean boot wipes
// the user's data, and the device starts again as after power-on: the Today
// screen, then the startup folder's shortcuts.
#include "Boot.h"
#include "StartScreen.h"

#include "DeviceLog.h"
#include "EmulatorAnswers.h"

namespace {

const DWORD START_SCREEN_MS = 1500;
const WCHAR TODAY_SCREEN[] = L"\\Windows\\today.exe";

// Reads the clean-boot flag and lowers it: one wipe per hard reset.
bool TakeCleanBootFlag() {
    DWORD value = 0, size = sizeof(value);
    bool set = RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, DEVICE_CLEAN_BOOT,
                            RRF_RT_REG_DWORD, NULL, &value, &size) == ERROR_SUCCESS &&
               value != 0;
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, DEVICE_CLEAN_BOOT);
    return set;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    SetCurrentDirectoryW(L"C:\\");
    DWORD shownAt = GetTickCount();
    HWND screen = ShowStartScreen(instance);
    DeviceLog(L"boot", L"ended %d programs", EndDevicePrograms());
    if (TakeCleanBootFlag()) WipeUserData();
    EndStartScreen(screen, shownAt, START_SCREEN_MS);
    StartDeviceProgram(TODAY_SCREEN);
    StartStartupFolder();
    DeviceLog(L"boot", L"done");
    return 0;
}
