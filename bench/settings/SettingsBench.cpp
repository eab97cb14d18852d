// Orvalet's settings window beside the minimal program's sheet, in the same
// run of the emulated device: time from the stylus lifting (off the menu's
// header for Orvalet, off the tray icon for the minimal program) to the Main
// page painted, seen as the highlight of the item list's first row on screen.
//   settingsbench [ROUNDS]
#include "../BenchSupport.h"
#include "Device.h"
#include "Dialogs.h"
#include "Input.h"

#include <stdio.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

using namespace bench;
using namespace device;

namespace {

struct Search {
    DWORD processId;
    HWND list;
};

// The visible item list (a list view with id 1011) of the process.
HWND ItemList(DWORD processId) {
    Search search = {processId, NULL};
    EnumWindows(
        [](HWND top, LPARAM data) -> BOOL {
            Search* s = (Search*)data;
            DWORD owner = 0;
            GetWindowThreadProcessId(top, &owner);
            if (owner != s->processId || !IsWindowVisible(top)) return TRUE;
            EnumChildWindows(
                top,
                [](HWND child, LPARAM data) -> BOOL {
                    wchar_t name[32];
                    if (GetDlgCtrlID(child) != 1011 || !IsWindowVisible(child) ||
                        !GetClassNameW(child, name, 32) || lstrcmpW(name, L"SysListView32"))
                        return TRUE;
                    ((Search*)data)->list = child;
                    return FALSE;
                },
                data);
            return s->list == NULL;
        },
        (LPARAM)&search);
    return search.list;
}

// The first row's highlight at the right end of the row, on screen.
bool FirstRowPainted(HWND list) {
    RECT client;
    if (!GetClientRect(list, &client)) return false;
    POINT at = {client.right - 4, 3};
    ClientToScreen(list, &at);
    HDC screen = GetDC(NULL);
    COLORREF pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(NULL, screen);
    return pixel == GetSysColor(COLOR_HIGHLIGHT);
}

HWND Sheet(DWORD processId) {
    for (HWND dialog : Dialogs(processId))
        if (CurrentPage(dialog)) return dialog;
    return NULL;
}

// One opening; the time in ms, or -1 when no painted page came.
double Round(bool orvalet, const Program& program) {
    POINT tap = TrayIconPoint();
    if (orvalet) {
        input::Tap(tap);
        if (!WaitMenu(true, 5000)) return -1;
        RECT menu;
        GetWindowRect(MenuWindow(), &menu);
        bool scrolls = menu.bottom - menu.top >= ScreenHeight() - 2;
        tap = POINT{menu.left + 20, menu.top + (scrolls ? 22 : 6)};
    }
    input::StylusDown(tap);
    // The lift goes out on its own thread; the clock starts as it leaves and
    // the screen is watched meanwhile, every millisecond.
    double start = Now(), end = start;
    std::thread lift([tap] { input::StylusUp(tap); });
    bool painted = false;
    HWND list = NULL;
    while (!painted && (end = Now()) - start < 10000) {
        if (!list) list = ItemList(program.Id());
        painted = list && FirstRowPainted(list);
        if (!painted) Sleep(1);
    }
    lift.join();
    HWND sheet = NULL;
    WaitFor([&] { return (sheet = Sheet(program.Id())) != NULL; }, 5000);
    if (sheet && PressButton(sheet, IDOK)) WaitGone(sheet, 5000);
    WaitFor([&] { return Dialogs(program.Id(), true).empty(); }, 5000);
    Sleep(300);
    return painted ? end - start : -1;
}

void Measure(bool orvalet, int rounds, std::vector<double>* ms, int* failures) {
    Program program;
    CloseResident();
    bool started = orvalet ? StartResident(program)
                           : program.Start(L"", BesideMe(L"minimalsheet.exe")) &&
                                 WaitFor([] { return FindWindowW(L"MinimalSheet", NULL) != NULL; });
    if (!started || !WaitFor(TrayIconVisible, 5000)) {
        *failures += rounds;
        return;
    }
    Round(orvalet, program); // warm-up: the first sheet of a process is slower
    for (int i = 0; i < rounds; i++) {
        double time = Round(orvalet, program);
        if (time < 0)
            (*failures)++;
        else
            ms->push_back(time);
    }
    if (orvalet)
        CloseResident();
    else
        PostMessageW(FindWindowW(L"MinimalSheet", NULL), WM_CLOSE, 0, 0);
    program.WaitExit(5000);
}

void Report(const char* name, const std::vector<double>& ms, int failures) {
    printf("%-9s rounds %2zu  median %7.1f ms  min %7.1f ms  max %7.1f ms%s\n", name, ms.size(),
           Median(ms), ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()),
           ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()),
           failures ? "  (some rounds showed no painted page)" : "");
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 10;
    ScreenWidth();
    ScreenHeight();
    DeleteSettings();
    std::vector<double> orvalet, minimal;
    int orvaletFailures = 0, minimalFailures = 0;
    // Alternating blocks, so that a busy moment of the machine hits both.
    for (int block = 0; block < 2; block++) {
        Measure(true, (rounds + 1) / 2, &orvalet, &orvaletFailures);
        Measure(false, (rounds + 1) / 2, &minimal, &minimalFailures);
    }
    DeleteSettings();
    printf("screen %dx%d, time from the stylus lifting to the Main page's list painted:\n",
           ScreenWidth(), ScreenHeight());
    Report("Orvalet", orvalet, orvaletFailures);
    Report("minimal", minimal, minimalFailures);
    printf("ratio Orvalet / minimal: time %.2f\n",
           Median(minimal) > 0 ? Median(orvalet) / Median(minimal) : 0.0);
    return orvaletFailures || minimalFailures ? 1 : 0;
}
