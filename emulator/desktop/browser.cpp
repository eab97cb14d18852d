// The emulated desktop's web browser, registered for http and https: it
// records the address it was asked to open and how its window was to be
// shown (the starter's show command), and ends.
#include <windows.h>

#include "DeviceLog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    DeviceLog(L"browser", L"open [%ls] show %d", DeviceCommandLine(), show);
    return 0;
}
