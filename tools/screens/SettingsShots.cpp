// Pictures of the settings window on the current screen, one of each page,
// opened as a user opens it (the tray icon, then the menu's header), for
// people to look at (tools/screens/screens.sh).
//   settingsshots UNIX-FOLDER
#include "Device.h"
#include "Dialogs.h"
#include "Input.h"
#include "Screen.h"
#include "Shots.h"
#include "Unix.h"

#include <stdio.h>

#include <string>
#include <vector>

using namespace device;
using namespace shots;

namespace {

const char* const PAGE_NAMES[4] = {"main", "display", "color", "about"};

// The tray icon, then the top item of the menu (the header); the sheet.
HWND OpenFromHeader(const Program& program) {
    for (int attempt = 0; attempt < 3 && !MenuWindow(); attempt++) {
        input::Tap(TrayIconPoint());
        WaitMenu(true, 3000);
    }
    return TapMenuHeader(program.Id());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: settingsshots UNIX-FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    ScreenWidth();
    ScreenHeight();
    CloseResident();
    DeleteSettings();
    Program program;
    if (!StartResident(program) || !WaitFor(TrayIconVisible)) {
        printf("the program did not start\n");
        return 1;
    }
    HWND sheet = OpenFromHeader(program);
    if (!sheet) {
        printf("no settings window\n");
        CloseResident();
        return 1;
    }
    // The pointer would leave a hover mark where the header was tapped.
    RunOnHost("xdotool mousemove " + std::to_string(ScreenWidth() - 1) + " " +
              std::to_string(ScreenHeight() / 2));
    int failures = 0;
    for (int page = 0; page < 4; page++) {
        if (!SelectPage(sheet, page)) {
            printf("no page %s\n", PAGE_NAMES[page]);
            failures++;
            continue;
        }
        WaitStill();
        failures += !Shot(folder, std::string("settings-") + PAGE_NAMES[page]);
    }
    // The first page again, so that ok applies it as it was opened.
    SelectPage(sheet, 0);
    PressButton(sheet, IDOK);
    WaitGone(sheet);
    CloseResident();
    DeleteSettings();
    return failures == 0 ? 0 : 1;
}
