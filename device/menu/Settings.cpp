// The settings record: compiled-in defaults, loaded once from the registry at
// start-up, saved when the settings sheet applies or closes.
#include "Settings.h"
#include "Commands.h"

#include <stddef.h>
#include <string.h>

Settings settings = {
    CMD_POWER_OFF,      // quickAction
    0,                  // reverseGestures: tap for the menu
    0,                  // hideTrayIcon
    1,                  // showIcons
    0,                  // customTrayIcon
    {0},                // trayIconBitmapPath
    0,                  // language: English
    3,                  // captureDelay: 1.5 s
    1,                  // colorMode: custom colours
    RGB(0, 0, 0),       // colorText
    RGB(255, 255, 255), // colorHighlightText
    RGB(255, 255, 255), // colorBackground
    RGB(0, 0, 175),     // colorHighlightBackground
    RGB(200, 200, 200), // colorIconBackground
    {
        {CMD_SOFT_RESET, 1},       {CMD_HARD_RESET, 0},
        {CMD_POWER_OFF, 1},        {CMD_SEPARATOR, 1},
        {CMD_BRIGHTNESS, 1},       {CMD_MEMORY, 1},
        {CMD_BATTERY, 1},          {CMD_SEPARATOR, 1},
        {CMD_TODAY_THEMES, 1},     {CMD_TODAY_PLUGINS, 1},
        {CMD_TODAY_SCREEN, 0},     {CMD_START_MENU, 0},
        {CMD_SEPARATOR, 0},        {CMD_CLOCK, 0},
        {CMD_SOUNDS, 0},           {CMD_UNINSTALL, 0},
        {CMD_RUNNING_PROGRAMS, 1}, {CMD_BUTTONS, 0},
        {CMD_INPUT_METHODS, 0},    {CMD_SEPARATOR, 1},
        {CMD_NETWORK, 0},          {CMD_PHONE, 0},
        {CMD_SEPARATOR, 0},        {CMD_PURGELLE, 0},
        {CMD_PURGELLE_CLEANER, 0}, {CMD_ROTATE_LEFT, 0},
        {CMD_ROTATE_RIGHT, 0},     {CMD_FLIP_SCREEN, 0},
        {CMD_SCREEN_OFF, 1},       {CMD_REFRESH_TODAY, 0},
        {CMD_IP_HELPER, 1},        {CMD_SCREEN_CAPTURE, 1},
    },
};

namespace {

const WCHAR SETTINGS_KEY[] = L"Software\\Brantwell\\Orvalet";

// The plain DWORD values, in the order they are written. "TrayIconBMP" is
// written between "TrayIcon" and "Language".
struct DwordRow {
    const WCHAR* name;
    size_t offset;
};

const DwordRow DWORD_ROWS[] = {
    {L"QuickAction", offsetof(Settings, quickAction)},
    {L"Reverse", offsetof(Settings, reverseGestures)},
    {L"HideTrayIcon", offsetof(Settings, hideTrayIcon)},
    {L"ShowIcons", offsetof(Settings, showIcons)},
    {L"TrayIcon", offsetof(Settings, customTrayIcon)},
    {L"Language", offsetof(Settings, language)},
    {L"Delay", offsetof(Settings, captureDelay)},
    {L"Custom Colors", offsetof(Settings, colorMode)},
    {L"ColorTC", offsetof(Settings, colorText)},
    {L"ColorSTC", offsetof(Settings, colorHighlightText)},
    {L"ColorBK", offsetof(Settings, colorBackground)},
    {L"ColorSBK", offsetof(Settings, colorHighlightBackground)},
    {L"ColorIBK", offsetof(Settings, colorIconBackground)},
};
const int ROWS_BEFORE_PATH = 5;
const WCHAR TRAY_PATH_VALUE[] = L"TrayIconBMP";

// A value is taken only when it is a 4-byte REG_DWORD; anything else (a string
// or binary left by another program, a short or long value) leaves the field
// with the value it had.
void ReadDword(HKEY key, const WCHAR* name, void* field) {
    DWORD type = 0, value = 0, size = sizeof(value);
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE*)&value, &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(value))
        memcpy(field, &value, sizeof(value));
}

void WriteDword(HKEY key, const WCHAR* name, const void* field) {
    DWORD value;
    memcpy(&value, field, sizeof(value));
    RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
}

// The path is taken only when it is a REG_SZ that ends within the field; an
// unterminated or over-long value would be a truncated path, so the field
// keeps what it had.
void ReadTrayPath(HKEY key) {
    WCHAR path[TRAY_PATH_LENGTH];
    DWORD type = 0, size = sizeof(path);
    if (RegQueryValueExW(key, TRAY_PATH_VALUE, NULL, &type, (BYTE*)path, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return;
    DWORD units = size / sizeof(WCHAR);
    for (DWORD i = 0; i < units; i++) {
        if (path[i] == 0) {
            memset(settings.trayIconBitmapPath, 0, sizeof(settings.trayIconBitmapPath));
            memcpy(settings.trayIconBitmapPath, path, i * sizeof(WCHAR));
            return;
        }
    }
}

void ItemKeyName(int position, WCHAR name[4]) {
    int i = 0;
    if (position >= 10) name[i++] = (WCHAR)(L'0' + position / 10);
    name[i++] = (WCHAR)(L'0' + position % 10);
    name[i] = 0;
}

void LoadMenuItems(HKEY key) {
    for (int i = 0; i < MENU_ITEM_COUNT; i++) {
        WCHAR name[4];
        ItemKeyName(i, name);
        HKEY itemKey;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &itemKey) != ERROR_SUCCESS) continue;
        ReadDword(itemKey, L"Command", &settings.menuItems[i].command);
        ReadDword(itemKey, L"Show", &settings.menuItems[i].shown);
        RegCloseKey(itemKey);
    }
}

void SaveMenuItems(HKEY key) {
    for (int i = 0; i < MENU_ITEM_COUNT; i++) {
        WCHAR name[4];
        ItemKeyName(i, name);
        HKEY itemKey;
        DWORD disposition;
        if (RegCreateKeyExW(key, name, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &itemKey, &disposition) !=
            ERROR_SUCCESS)
            continue;
        WriteDword(itemKey, L"Command", &settings.menuItems[i].command);
        WriteDword(itemKey, L"Show", &settings.menuItems[i].shown);
        RegFlushKey(itemKey);
        RegCloseKey(itemKey);
    }
}

// Tells the task-bar hook component, when it runs, to pick up the new settings.
void NotifyTaskHook() {
    HWND hook = FindWindowW(L"QXTaskHook", NULL);
    if (!hook) return;
    UINT message = RegisterWindowMessageW(L"Brantwell::QX::EnableHook");
    if (message) PostMessageW(hook, message, 3, 0);
}

} // namespace

void LoadSettings() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    LoadMenuItems(key);
    BYTE* record = (BYTE*)&settings;
    for (const DwordRow& row : DWORD_ROWS) {
        if (&row == DWORD_ROWS + ROWS_BEFORE_PATH) ReadTrayPath(key);
        ReadDword(key, row.name, record + row.offset);
    }
    RegCloseKey(key);
}

void SaveSettings() {
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        &disposition) == ERROR_SUCCESS) {
        SaveMenuItems(key);
        const BYTE* record = (const BYTE*)&settings;
        for (const DwordRow& row : DWORD_ROWS) {
            if (&row == DWORD_ROWS + ROWS_BEFORE_PATH)
                RegSetValueExW(key, TRAY_PATH_VALUE, 0, REG_SZ,
                               (const BYTE*)settings.trayIconBitmapPath,
                               sizeof(settings.trayIconBitmapPath));
            WriteDword(key, row.name, record + row.offset);
        }
        RegFlushKey(key);
        RegCloseKey(key);
    }
    NotifyTaskHook();
}

bool IsTapForMenu() {
    return settings.reverseGestures == 0;
}

void SetTapForMenu(bool tapForMenu) {
    settings.reverseGestures = tapForMenu ? 0 : 1;
}

int32_t GetQuickAction() {
    return settings.quickAction;
}
