// Small 24-bit .bmp files for the tests to hand to the program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace device {

// A bottom-up 24-bit BI_RGB bitmap file of width x height, pixel(x, y) giving
// each colour (0x00BBGGRR); y counts from the top.
std::string MakeBitmapFile(int width, int height, const std::function<COLORREF(int, int)>& pixel);

} // namespace device
