// Orvalet's screen capture beside the minimal program's, in the same run of the
// emulated device: time from the save dialog's OK to the file complete and
// closed (the first moment it opens without sharing, at its full size).
//   capturebench [ROUNDS]
#include "../BenchSupport.h"
#include "Device.h"
#include "Dialogs.h"
#include "menu/Commands.h"

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace bench;
using namespace device;

namespace {

const wchar_t OUTPUT[] = L"C:\\bench-capture.bmp";
// Complete and closed: it opens without sharing and has every byte.
bool Finished(DWORD size) {
    HANDLE file = CreateFileW(OUTPUT, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD found = GetFileSize(file, NULL);
    CloseHandle(file);
    return found == size;
}

// One capture through the program's save dialog; the time in ms, or -1.
double Round(bool orvalet) {
    DeleteFileW(OUTPUT);
    Program program;
    bool started = orvalet ? StartQuickAction(program, CMD_SCREEN_CAPTURE)
                           : program.Start(L"", BesideMe(L"minimalcapture.exe"));
    HWND dialog = started ? WaitFileDialog(program.Id()) : NULL;
    if (!dialog) return -1;
    SendMessageTimeoutW(FileNameBox(dialog), WM_SETTEXT, 0, (LPARAM)OUTPUT, SMTO_NORMAL, 5000,
                        NULL);
    DWORD size = 54 + ScreenWidth() * 3 * ScreenHeight();
    double start = Now(), end = start;
    PressButton(dialog, IDOK);
    bool done = false;
    while (!(done = Finished(size)) && (end = Now()) - start < 10000)
        Sleep(1);
    end = Now();
    program.WaitExit(5000);
    return done ? end - start : -1;
}

void Report(const char* name, const std::vector<double>& ms, int failures) {
    printf("%-9s rounds %2zu  median %7.1f ms  min %7.1f ms  max %7.1f ms%s\n", name, ms.size(),
           Median(ms), ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()),
           ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()),
           failures ? "  (some rounds wrote no complete file)" : "");
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 10;
    ScreenWidth();
    ScreenHeight();
    CloseResident();
    DeleteSettings();
    SetSetting(L"Delay", 0);
    std::vector<double> orvalet, minimal;
    int failures = 0;
    Round(true); // warm-up of both: the first file dialog of a run is slower
    Round(false);
    // Alternating, so that a busy moment of the machine hits both.
    for (int i = 0; i < rounds; i++) {
        for (bool which : {true, false}) {
            double ms = Round(which);
            if (ms < 0)
                failures++;
            else
                (which ? orvalet : minimal).push_back(ms);
        }
    }
    DeleteFileW(OUTPUT);
    DeleteSettings();
    printf("screen %dx%d, time from the save dialog's OK to the file complete and closed:\n",
           ScreenWidth(), ScreenHeight());
    Report("Orvalet", orvalet, failures);
    Report("minimal", minimal, failures);
    printf("ratio Orvalet / minimal: time %.2f\n",
           Median(minimal) > 0 ? Median(orvalet) / Median(minimal) : 0.0);
    return failures ? 1 : 0;
}
