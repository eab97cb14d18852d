#include "Screen.h"
#include "Device.h"
#include "Unix.h"

#include <algorithm>
#include <string>

namespace device {

// The pixels come from the X server's picture of the emulated screen (what a
// user sees), not from the test's own view of the desktop: a screen device
// context here does not show other programs' windows faithfully on every size.
std::vector<COLORREF> CaptureScreen(const RECT& area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0) return pixels;
    std::string unixPath = "/tmp/orvalet-capture-" + std::to_string(GetCurrentProcessId()) + ".rgb";
    RunOnHost("import -window root -crop " + std::to_string(width) + "x" + std::to_string(height) +
              "+" + std::to_string(area.left) + "+" + std::to_string(area.top) +
              " -depth 8 rgb:" + unixPath);
    std::wstring dosPath = HostPath(unixPath);
    std::string rgb = ReadFileBytes(dosPath);
    DeleteFileW(dosPath.c_str());
    // Pixels outside the screen read as black, like a screen that ends there.
    pixels.assign(width * height, RGB(0, 0, 0));
    size_t count = std::min(pixels.size(), rgb.size() / 3);
    for (size_t i = 0; i < count; i++)
        pixels[i] = RGB((BYTE)rgb[i * 3], (BYTE)rgb[i * 3 + 1], (BYTE)rgb[i * 3 + 2]);
    return pixels;
}

bool SavePicture(const RECT& area, const std::string& file) {
    std::string folder = file.substr(0, file.rfind('/'));
    return RunOnHost("mkdir -p '" + folder + "' && import -window root -crop " +
                         std::to_string(area.right - area.left) + "x" +
                         std::to_string(area.bottom - area.top) + "+" + std::to_string(area.left) +
                         "+" + std::to_string(area.top) + " +repage '" + file + "'",
                     20000);
}

RECT TrayIconArea() {
    POINT centre = TrayIconPoint();
    int half = TrayIconSize() / 2 + 2;
    RECT area = {centre.x - half, centre.y - half, centre.x + half, centre.y + half};
    return area;
}

int CountColour(const std::vector<COLORREF>& pixels, COLORREF colour) {
    int count = 0;
    for (COLORREF pixel : pixels)
        count += pixel == colour;
    return count;
}

} // namespace device
