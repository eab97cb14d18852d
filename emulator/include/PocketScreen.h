// The part of the emulated screen a device program may fill: the work area
// above Wine's task bar, whose tray stays within reach of the stylus.
#pragma once
#include <windows.h>

inline RECT AboveTray() {
    // The screen's size, fresh even while a rotation is being announced.
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT tray;
    HWND taskBar = FindWindowW(L"Shell_TrayWnd", NULL);
    if (taskBar && IsWindowVisible(taskBar) && GetWindowRect(taskBar, &tray) &&
        tray.top > area.top && tray.top < area.bottom)
        area.bottom = tray.top;
    return area;
}
