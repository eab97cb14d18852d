// What the menu tests share: the default item list, opening and dismissing the
// menu with real input, the theme key, the strip files and screen captures.
#pragma once

#include "Device.h"
#include "DeviceTest.h"
#include "GdiObjects.h"
#include "Input.h"
#include "MenuProbe.h"
#include "menu/Commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace menutest {

// The shown slots of the compiled-in list, top to bottom.
extern const int DEFAULT_COMMANDS[14];
const ULONG_PTR HEADER = CMD_SETTINGS;

// 2 on a screen of exactly 640 pixels in either direction, else 1.
int Scale();

class MenuTest : public DeviceTest {
  protected:
    // Starts the resident copy; fails the test when it does not come up.
    void StartProgram();
    // A tap on the tray icon, then the open menu through its handle, once its
    // last item is on screen.
    bool OpenByTap(device::OpenMenu* menu);
    // Waits for a menu shown by other means and reads it.
    bool ReadShownMenu(device::OpenMenu* menu);
    // Taps an empty part of the screen and waits for the menu to go.
    bool DismissByOutsideTap();
    // Makes sure the program has handled everything sent to it so far.
    bool Settle();
};

// Lets every item of the menu be painted: waits until the screen under the
// menu stops changing.
bool WaitMenuStill(const RECT& area);

// The screen's pixels of area, row by row (0x00BBGGRR).
struct Capture {
    RECT area;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const; // screen coordinates
    bool Contains(COLORREF colour) const;
    int Count(COLORREF colour) const;
};
Capture CaptureArea(const RECT& area);

// Waits until the pixel shows colour; the last colour seen through *seen.
bool WaitPixel(int x, int y, COLORREF colour, COLORREF* seen, DWORD timeoutMs = 3000);

// The theme's colour values under HKEY_LOCAL_MACHINE "Software\Microsoft\Color".
void SetThemeValue(const wchar_t* name, const std::string& bytes);
void DeleteTheme();

// A 24-bit bottom-up .bmp of width x height pixels from top-down pixels.
std::string MakeBmp(int width, int height, const std::vector<COLORREF>& pixels);

// Colour as "(r, g, b)" for messages.
std::string Rgb(COLORREF colour);

RECT Inset(const RECT& rect, int left, int top, int right, int bottom);
using input::Centre;

} // namespace menutest
