#include "MenuSupport.h"
#include "Bitmap.h"

#include "Screen.h"

#include <sstream>

using namespace device;

namespace menutest {

const int DEFAULT_COMMANDS[14] = {
    CMD_SOFT_RESET, CMD_POWER_OFF,  CMD_SEPARATOR,    CMD_BRIGHTNESS,    CMD_MEMORY,
    CMD_BATTERY,    CMD_SEPARATOR,  CMD_TODAY_THEMES, CMD_TODAY_PLUGINS, CMD_RUNNING_PROGRAMS,
    CMD_SEPARATOR,  CMD_SCREEN_OFF, CMD_IP_HELPER,    CMD_SCREEN_CAPTURE};

int Scale() {
    return (ScreenWidth() == 640 || ScreenHeight() == 640) ? 2 : 1;
}

void MenuTest::StartProgram() {
    ASSERT_TRUE(StartResident(program)) << "no main window or tray icon";
}

bool MenuTest::ReadShownMenu(OpenMenu* menu) {
    if (!WaitMenu(true)) {
        ADD_FAILURE() << "no menu appeared; device log:\n" << DeviceLog();
        return false;
    }
    std::string error;
    if (!ReadOpenMenu(menu, &error)) {
        ADD_FAILURE() << "could not read the menu: " << error;
        return false;
    }
    if (!WaitMenuStill(menu->windowRect)) {
        ADD_FAILURE() << "the menu never stopped changing";
        return false;
    }
    return true;
}

int CountGestures() {
    std::string log = DeviceLog();
    int count = 0;
    for (size_t at = log.find("aygshell: gesture"); at != std::string::npos;
         at = log.find("aygshell: gesture", at + 1))
        count++;
    return count;
}

bool MenuTest::OpenByTap(OpenMenu* menu) {
    // The emulator's tray may still be settling (an icon just added, removed
    // or swapped) and drop a tap before it reaches the program; such a tap
    // leaves no gesture in the device log and is repeated. A tap that did
    // reach the program must show the menu.
    for (int attempt = 0; attempt < 3; attempt++) {
        int before = CountGestures();
        input::Tap(TrayIconPoint());
        if (WaitFor([&] { return MenuWindow() != NULL || CountGestures() > before; }, 2000)) break;
    }
    return ReadShownMenu(menu);
}

bool MenuTest::DismissByOutsideTap() {
    POINT empty = {4, 4};
    input::Tap(empty);
    return WaitMenu(false);
}

bool MenuTest::Settle() {
    DWORD_PTR result;
    return SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

bool WaitMenuStill(const RECT& area) {
    Capture previous = CaptureArea(area);
    int still = 0;
    return WaitFor(
        [&] {
            Capture now = CaptureArea(area);
            still = now.pixels == previous.pixels ? still + 1 : 0;
            previous = now;
            return still >= 3;
        },
        5000);
}

Capture CaptureArea(const RECT& area) {
    Capture capture;
    capture.area = area;
    capture.pixels = device::CaptureScreen(area);
    return capture;
}

COLORREF Capture::At(int x, int y) const {
    int width = area.right - area.left;
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) return CLR_INVALID;
    return pixels[(size_t)(y - area.top) * width + (x - area.left)];
}

bool Capture::Contains(COLORREF colour) const {
    return Count(colour) > 0;
}

int Capture::Count(COLORREF colour) const {
    int n = 0;
    for (COLORREF pixel : pixels)
        n += pixel == colour;
    return n;
}

bool WaitPixel(int x, int y, COLORREF colour, COLORREF* seen, DWORD timeoutMs) {
    RECT one = {x, y, x + 1, y + 1};
    return WaitFor(
        [&] {
            std::vector<COLORREF> pixel = device::CaptureScreen(one);
            *seen = pixel.empty() ? CLR_INVALID : pixel[0];
            return *seen == colour;
        },
        timeoutMs);
}

void SetThemeValue(const wchar_t* name, const std::string& bytes) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, THEME_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_BINARY, (const BYTE*)bytes.data(), (DWORD)bytes.size());
    RegCloseKey(key);
}

void DeleteTheme() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, THEME_KEY);
}

std::string MakeBmp(int width, int height, const std::vector<COLORREF>& pixels) {
    return MakeBitmapFile(width, height,
                          [&](int x, int y) { return pixels[(size_t)y * width + x]; });
}

std::string Rgb(COLORREF colour) {
    if (colour == CLR_INVALID) return "(none)";
    std::ostringstream text;
    text << "(" << (int)GetRValue(colour) << ", " << (int)GetGValue(colour) << ", "
         << (int)GetBValue(colour) << ")";
    return text.str();
}

RECT Inset(const RECT& rect, int left, int top, int right, int bottom) {
    RECT inner = {rect.left + left, rect.top + top, rect.right - right, rect.bottom - bottom};
    return inner;
}

} // namespace menutest
