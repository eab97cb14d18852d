// The device's control panel, \Windows\ctlpnl.exe: records the applet and
// page it was asked to open, then ends.
#include <windows.h>

#include "DeviceLog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    DeviceLog(L"ctlpnl", L"open \"%ls\"", DeviceCommandLine());
    return 0;
}
