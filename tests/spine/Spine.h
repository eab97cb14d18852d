// What the resident-program tests share.
#pragma once

#include "Device.h"
#include "Input.h"

#include <gtest/gtest.h>

// Each test starts with no program running, no settings key and an empty
// device log, and ends every program it started.
class SpineTest : public ::testing::Test {
protected:
    void SetUp() override {
        device::ScreenWidth();
        device::ScreenHeight();
        device::CloseResident();
        device::DeleteSettings();
        device::ClearDeviceLog();
    }
    void TearDown() override {
        HWND menu = device::MenuWindow();
        if (menu) PostMessageW(device::MainWindow(), 3032, 0, 0);
        device::CloseResident();
        device::DeleteSettings();
    }
    device::Program program;
};

// The quick action the tests use: the Memory page, which the emulated control
// panel records.
const DWORD QUICK_MEMORY = 5;
const char MEMORY_PAGE[] = "ctlpnl: open \"cplmain.cpl 4 0\"";

inline int CountInLog(const std::string& text) {
    std::string log = device::DeviceLog();
    int count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) count++;
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
    for (int i = 0; i < 32; i++) device::SetItem(i, 0, 0);
    device::SetItem(0, 1, 1);
    device::SetItem(1, 3, 1);
    device::SetItem(2, 5, 1);
}

inline bool IsVgaScreen() { return device::ScreenWidth() == 640 || device::ScreenHeight() == 640; }

// Closes the open menu the way the task-bar component does, and waits.
inline bool CloseMenu() {
    PostMessageW(device::MainWindow(), 3032, 0, 0);
    return device::WaitMenu(false);
}
