#include "Shots.h"

#include "Device.h"
#include "Screen.h"
#include "Unix.h"

#include <stdio.h>

#include <vector>

using namespace device;

namespace shots {

std::string ScreenName() {
    return std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
           std::to_string(GetSystemMetrics(SM_CYSCREEN));
}

bool Shot(const std::string& folder, const std::string& name) {
    std::string file = folder + "/" + ScreenName() + "-" + name + ".png";
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    bool ok = SavePicture(screen, file);
    printf("%s %s\n", ok ? "saved" : "FAILED", file.c_str());
    return ok;
}

bool WaitStill(const RECT* area, int stillRounds, DWORD timeoutMs) {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT& watched = area ? *area : screen;
    std::vector<COLORREF> previous = CaptureScreen(watched);
    int still = 0;
    return WaitFor(
        [&] {
            Sleep(100);
            std::vector<COLORREF> now = CaptureScreen(watched);
            still = now == previous ? still + 1 : 0;
            previous = now;
            return still >= stillRounds;
        },
        timeoutMs);
}

} // namespace shots
