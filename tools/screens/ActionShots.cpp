// Pictures of what the menu's system actions do on the emulated device, for
// people to look at (tools/screens/screens.sh): the Today screen brought to
// the front, the screen capture's save dialog and the file it wrote, the
// screen turned by a rotation, and the screen dark after "Screen OFF".
//   actionshots UNIX-FOLDER
#include "Device.h"
#include "Dialogs.h"
#include "Input.h"
#include "Shots.h"
#include "Unix.h"
#include "menu/Commands.h"

#include <stdio.h>

#include <string>

using namespace device;
using namespace shots;

namespace {

int Width() {
    return GetSystemMetrics(SM_CXSCREEN);
}

// Runs command as the quick action of a "-Q" copy and waits until done() holds.
bool Run(DWORD command, const std::function<bool()>& done) {
    Program copy;
    return StartQuickAction(copy, command) && WaitFor(done, 15000) && WaitStill();
}

bool ShootToday(const std::string& folder) {
    HWND today = NULL;
    return Run(CMD_TODAY_SCREEN,
               [&] {
                   today = FindWindowW(L"DesktopExplorerWindow", NULL);
                   return today && GetForegroundWindow() == today;
               }) &&
           Shot(folder, "action-today");
}

// The save dialog, then the file it writes into the pictures' folder.
bool ShootCapture(const std::string& folder) {
    SetSetting(L"Delay", 0);
    Program copy;
    HWND dialog = StartQuickAction(copy, CMD_SCREEN_CAPTURE) ? WaitFileDialog(copy.Id()) : NULL;
    if (!dialog) return false;
    WaitStill(NULL, 3, 3000); // the name box's caret keeps blinking
    if (!Shot(folder, "action-save")) return false;
    std::string file = folder + "/" + ScreenName() + "-action-capture";
    SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, (LPARAM)HostPath(file + ".bmp").c_str());
    PressButton(dialog, IDOK);
    if (copy.WaitExit() != 0) return false;
    bool ok = RunOnHost("convert " + file + ".bmp " + file + ".png && rm " + file + ".bmp");
    printf("%s %s.png\n", ok ? "saved" : "FAILED", file.c_str());
    return ok;
}

// A rotation turns the screen; the second one turns it back upright.
bool ShootTurned(const std::string& folder) {
    int upright = Width();
    bool ok =
        Run(CMD_ROTATE_RIGHT, [&] { return Width() != upright; }) && Shot(folder, "action-turned");
    Run(CMD_ROTATE_RIGHT, [&] { return Width() == upright; });
    return ok;
}

bool ShootDark(const std::string& folder) {
    HWND dark = NULL;
    bool ok =
        Run(CMD_SCREEN_OFF,
            [&] { return (dark = FindWindowW(L"OrvaletEmulatorDarkScreen", NULL)) != NULL; }) &&
        Shot(folder, "action-dark");
    input::Tap(POINT{Width() / 2, GetSystemMetrics(SM_CYSCREEN) / 2}); // lights it again
    WaitFor([] { return !FindWindowW(L"OrvaletEmulatorDarkScreen", NULL); });
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: actionshots UNIX-FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    CloseResident();
    DeleteSettings();
    Program today, program;
    if (!today.Start(L"", L"C:\\Windows\\today.exe") || !StartResident(program) ||
        !WaitFor(TrayIconVisible)) {
        printf("the device did not start\n");
        return 1;
    }
    int failures =
        !ShootToday(folder) + !ShootCapture(folder) + !ShootTurned(folder) + !ShootDark(folder);
    CloseResident();
    DeleteSettings();
    return failures == 0 ? 0 : 1;
}
