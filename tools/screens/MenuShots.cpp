// Pictures of the tray and the menu on the current screen, in each colour mode,
// with and without icons, for people to look at (tools/screens/screens.sh).
//   menushots UNIX-FOLDER
#include "Device.h"
#include "Input.h"
#include "MenuProbe.h"
#include "Screen.h"
#include "Shots.h"
#include "Unix.h"
#include "menu/Commands.h"

#include <stdio.h>

#include <string>

using namespace device;
using namespace shots;

namespace {

const char* const MODE_NAMES[4] = {"nocolors", "custom", "theme", "reversetheme"};

// A theme of the device's kind: light blue-grey column, white menu, navy text.
void WriteSampleTheme() {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, THEME_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    const BYTE column[4] = {198, 214, 236, 0}, menu[4] = {255, 255, 255, 0},
               text[4] = {16, 32, 96, 0};
    RegSetValueExW(key, L"5", 0, REG_BINARY, column, 4);
    RegSetValueExW(key, L"8", 0, REG_BINARY, menu, 4);
    RegSetValueExW(key, L"9", 0, REG_BINARY, text, 4);
    RegCloseKey(key);
}

// Opens the menu with a tap, highlights the Memory item, takes the picture.
bool ShootMenu(const std::string& folder, const std::string& name) {
    for (int attempt = 0; attempt < 3 && !MenuWindow(); attempt++) {
        input::Tap(TrayIconPoint());
        WaitMenu(true, 3000);
    }
    OpenMenu menu;
    std::string error;
    if (!WaitMenu(true) || !ReadOpenMenu(&menu, &error)) {
        printf("no menu for %s: %s\n", name.c_str(), error.c_str());
        return false;
    }
    int memory = FindMenuItem(menu, CMD_MEMORY);
    if (memory >= 0) {
        RECT item = menu.items[memory].rect;
        RunOnHost("xdotool mousemove " + std::to_string((item.left + item.right) / 2) + " " +
                  std::to_string((item.top + item.bottom) / 2));
    }
    WaitStill(&menu.windowRect, 2, 5000);
    bool ok = Shot(folder, name);
    PostMessageW(MainWindow(), MSG_CLOSE_MENU, 0, 0);
    WaitMenu(false);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: menushots UNIX-FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    ScreenWidth();
    ScreenHeight();
    int failures = 0;
    CloseResident();
    for (int mode = 0; mode < 4; mode++) {
        for (int icons = 1; icons >= 0; icons--) {
            DeleteSettings();
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, THEME_KEY);
            if (mode >= 2) WriteSampleTheme();
            SetSetting(L"Custom Colors", mode);
            SetSetting(L"ShowIcons", icons);
            Program program;
            if (!StartResident(program)) {
                printf("the program did not start\n");
                return 1;
            }
            if (mode == 1 && icons) failures += !Shot(folder, "tray");
            failures +=
                !ShootMenu(folder, std::string(MODE_NAMES[mode]) + (icons ? "-icons" : "-noicons"));
            CloseResident();
        }
    }
    DeleteSettings();
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, THEME_KEY);
    return failures == 0 ? 0 : 1;
}
