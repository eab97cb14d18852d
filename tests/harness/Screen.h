// Pixels of the emulated screen.
#pragma once

#include <windows.h>

#include <vector>

namespace device {

// The pixels of area (row by row, 0x00BBGGRR), copied from the screen at once.
std::vector<COLORREF> CaptureScreen(const RECT& area);

// The area of the tray's first icon with a little margin around it.
RECT TrayIconArea();

// Counts the pixels of colour in pixels.
int CountColour(const std::vector<COLORREF>& pixels, COLORREF colour);

} // namespace device
