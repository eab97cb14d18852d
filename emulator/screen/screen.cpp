// The emulated device's screen, C:\Windows\screen.exe, started by coredll:
//   screen.exe dark   the display is off (power key, display power escape):
//                     black over the whole screen, task bar included, until
//                     the next tap, which lights it again and goes nowhere else
//   screen.exe turn WxH   the screen turns: Wine's virtual desktop becomes WxH
#include <windows.h>

#include "DeviceLog.h"
#include "HostCommand.h"

#include <stdio.h>

namespace {

const WCHAR DARK_CLASS[] = L"OrvaletEmulatorDarkScreen";

LRESULT CALLBACK DarkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        DeviceLog(L"screen", L"on");
        DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int Dark(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DarkProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = DARK_CLASS;
    if (!RegisterClassW(&windowClass)) return 1;
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, DARK_CLASS, L"", WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  NULL, NULL, instance, NULL);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    DeviceLog(L"screen", L"dark");
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

// Xvfb takes any size once its one output has a mode of that size (xrandr
// names no new mode "WxH": ours are "orvalet-WxH").
bool SetHostScreen(unsigned width, unsigned height) {
    char command[512];
    snprintf(command, sizeof(command),
             "s=%ux%u; m=$s; xrandr | grep -q \"^ *$m \" || { m=orvalet-$s; xrandr | grep -q "
             "\"^ *$m \" || { xrandr --newmode $m 5 %u %u %u %u %u %u %u %u; xrandr --addmode "
             "screen $m; }; }; xrandr --output screen --mode $m --fb $s",
             width, height, width, width + 8, width + 16, width + 24, height, height + 2,
             height + 4, height + 6);
    return RunOnHost(command, 10000);
}

// Wine offers a virtual desktop only landscape sizes and the size of the X
// screen that hosts it, as that screen was when the program started: for a
// portrait size that X screen is first set to it, then back, around the change
// (ORVALET_HOST_SCREEN names it; only the emulator's private X server has one
// to change), and the change is asked for here, in a program started after.
int Turn(const WCHAR* size) {
    unsigned width = 0, height = 0, hostWidth = 0, hostHeight = 0;
    if (swscanf(size, L"%ux%u", &width, &height) != 2 || !width || !height) return 2;
    WCHAR host[32];
    bool hostStep = height > width && GetEnvironmentVariableW(L"ORVALET_HOST_SCREEN", host, 32) &&
                    swscanf(host, L"%ux%u", &hostWidth, &hostHeight) == 2;
    if (hostStep) SetHostScreen(width, height);
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    LONG result = ChangeDisplaySettingsExW(NULL, &mode, NULL, 0, NULL);
    if (hostStep) SetHostScreen(hostWidth, hostHeight);
    if (result != DISP_CHANGE_SUCCESSFUL)
        DeviceLog(L"screen", L"stays: Wine refused %ux%u (%ld)", width, height, result);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count >= 2 && lstrcmpW(arguments[1], L"dark") == 0) return Dark(instance);
    if (count >= 3 && lstrcmpW(arguments[1], L"turn") == 0) return Turn(arguments[2]);
    return 2;
}
