// Orvalet's menu beside the minimal program's, in the same run of the emulated
// device: time from the stylus lifting off the tray icon to the menu's last
// item painted, and the GDI objects each program holds.
//   menubench [ROUNDS]
#include "../BenchSupport.h"
#include "Device.h"
#include "GdiObjects.h"
#include "Input.h"

#include <stdio.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

using namespace bench;
using namespace device;

namespace {

const COLORREF COLUMN = RGB(200, 200, 200);

struct Sample {
    std::vector<double> ms;
    long gdiIdle = -1, gdiOpen = -1;
    int failures = 0;
};

COLORREF Pixel(int x, int y) {
    HDC screen = GetDC(NULL);
    COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return pixel;
}

// One tap on the tray icon; false when no painted menu came.
bool Round(HANDLE process, Sample* sample) {
    POINT tray = TrayIconPoint();
    input::StylusDown(tray);
    // The lift goes out on its own thread (the host's input tool takes a few
    // milliseconds, the same for both programs); the clock starts as it leaves
    // and the screen is watched meanwhile, every millisecond.
    double start = Now();
    std::thread lift([tray] { input::StylusUp(tray); });
    bool painted = false;
    double end = start;
    while (!painted && (end = Now()) - start < 5000) {
        HWND window = MenuWindow();
        RECT menu;
        // The icon column of the bottom item: painted last.
        if (window && GetWindowRect(window, &menu))
            painted = Pixel(menu.left + 4, menu.bottom - 6) == COLUMN;
        if (!painted) Sleep(1);
    }
    lift.join();
    if (painted) {
        sample->ms.push_back(end - start);
        sample->gdiOpen = CountGdiObjects(process);
    }
    POINT away = {4, 4};
    input::Tap(away);
    WaitMenu(false, 5000);
    return painted;
}

void Measure(bool orvalet, int rounds, Sample* sample) {
    Program program;
    CloseResident();
    HWND minimal = FindWindowW(L"MinimalMenu", NULL);
    if (minimal) PostMessageW(minimal, WM_CLOSE, 0, 0);
    WaitFor([] { return !FindWindowW(L"MinimalMenu", NULL); }, 5000);
    bool started = orvalet
                       ? StartResident(program)
                       : program.Start(L"", BesideMe(L"minimalmenu.exe")) &&
                             WaitFor([] { return FindWindowW(L"MinimalMenu", NULL) != NULL; }) &&
                             WaitFor(TrayIconVisible, 5000);
    if (!started) {
        sample->failures += rounds;
        return;
    }
    Sample warmUp;
    Round(program.Handle(), &warmUp);
    for (int i = 0; i < rounds; i++)
        sample->failures += !Round(program.Handle(), sample);
    sample->gdiIdle = CountGdiObjects(program.Handle());
    if (orvalet)
        CloseResident();
    else
        PostMessageW(FindWindowW(L"MinimalMenu", NULL), WM_CLOSE, 0, 0);
    program.WaitExit(5000);
}

void Report(const char* name, const Sample& s) {
    printf("%-9s rounds %2zu  median %7.1f ms  min %7.1f ms  max %7.1f ms  GDI objects idle %ld, "
           "open %ld%s\n",
           name, s.ms.size(), Median(s.ms),
           s.ms.empty() ? 0 : *std::min_element(s.ms.begin(), s.ms.end()),
           s.ms.empty() ? 0 : *std::max_element(s.ms.begin(), s.ms.end()), s.gdiIdle, s.gdiOpen,
           s.failures ? "  (some rounds showed no painted menu)" : "");
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 10;
    ScreenWidth();
    ScreenHeight();
    DeleteSettings(); // the compiled-in menu: header and 14 items
    Sample orvalet, minimal;
    // Alternating blocks, so that a busy moment of the machine hits both.
    for (int block = 0; block < 2; block++) {
        Measure(true, rounds, &orvalet);
        Measure(false, rounds, &minimal);
    }
    printf("screen %dx%d, time from the stylus lifting to the last item painted:\n", ScreenWidth(),
           ScreenHeight());
    Report("Orvalet", orvalet);
    Report("minimal", minimal);
    double ratio = Median(minimal.ms) > 0 ? Median(orvalet.ms) / Median(minimal.ms) : 0;
    printf("ratio Orvalet / minimal: time %.2f, GDI objects idle %.2f\n", ratio,
           minimal.gdiIdle > 0 ? (double)orvalet.gdiIdle / minimal.gdiIdle : 0.0);
    return orvalet.failures || minimal.failures ? 1 : 0;
}
