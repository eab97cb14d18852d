// What the resident-program tests share.
#pragma once

#include "Device.h"
#include "DeviceTest.h"
#include "Input.h"
#include "menu/Commands.h"

#include <gtest/gtest.h>

class SpineTest : public DeviceTest {};

// The quick action the tests use: the Memory page, which the emulated control
// panel records.
const DWORD QUICK_MEMORY = CMD_MEMORY;
const char MEMORY_PAGE[] = "ctlpnl: open \"cplmain.cpl 4 0\"";

inline int CountInLog(const std::string& text) {
    std::string log = device::DeviceLog();
    int count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
        count++;
    return count;
}

inline RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// A three-item menu that fits above the tray on every screen, landscape ones
// included, so that its position is the anchor's and not the platform's fit.
inline void UseShortMenu() {
    for (int i = 0; i < 32; i++)
        device::SetItem(i, CMD_SEPARATOR, 0);
    device::SetItem(0, CMD_SOFT_RESET, 1);
    device::SetItem(1, CMD_POWER_OFF, 1);
    device::SetItem(2, CMD_MEMORY, 1);
}

inline bool IsVgaScreen() {
    return device::ScreenWidth() == 640 || device::ScreenHeight() == 640;
}

// Closes the open menu the way the task-bar component does, and waits.
inline bool CloseMenu() {
    PostMessageW(device::MainWindow(), MSG_CLOSE_MENU, 0, 0);
    return device::WaitMenu(false);
}
