// The program-wide settings record, its registry store and the
// start-with-the-system shortcut.
#pragma once

#include "platform.h"
#include <stdint.h>

const int MENU_ITEM_COUNT = 32;
const int TRAY_PATH_LENGTH = 1024; // UTF-16 units, stored as exactly 2048 bytes

struct MenuItem {
    int32_t command; // 1..27, or 0 for a separator
    int32_t shown;   // non-zero: in the menu
};

struct Settings {
    int32_t quickAction;
    int32_t reverseGestures;
    int32_t hideTrayIcon;
    int32_t showIcons;
    int32_t customTrayIcon;
    WCHAR trayIconBitmapPath[TRAY_PATH_LENGTH];
    int32_t language;
    int32_t captureDelay; // half seconds
    int32_t colorMode;
    COLORREF colorText;
    COLORREF colorHighlightText;
    COLORREF colorBackground;
    COLORREF colorHighlightBackground;
    COLORREF colorIconBackground;
    MenuItem menuItems[MENU_ITEM_COUNT];
};

extern Settings settings;

void LoadSettings();
void SaveSettings();

bool IsTapForMenu();
void SetTapForMenu(bool tapForMenu);
int32_t GetQuickAction();

void SetStartWithSystem(bool on);
bool IsStartWithSystem();
