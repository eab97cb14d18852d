// Pixels of the emulated screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace device {

// The pixels of area (row by row, 0x00BBGGRR), copied from the screen at once.
std::vector<COLORREF> CaptureScreen(const RECT& area);

// The area of the tray's first icon with a little margin around it.
RECT TrayIconArea();

// Saves area of the screen as a picture in file (a host path; its folder is
// made when missing); false when that did not finish.
bool SavePicture(const RECT& area, const std::string& file);

// Counts the pixels of colour in pixels.
int CountColour(const std::vector<COLORREF>& pixels, COLORREF colour);

} // namespace device
