// The settings record: compiled-in defaults, loaded once from the registry at
// start-up, saved when the settings sheet applies or closes.
#include "Settings.h"
#include "Commands.h"

#include <stddef.h>
#include <string.h>

// The menu as it comes: every command and five separators, some hidden.
#define DEFAULT_MENU_ITEMS                                                                         \
    {                                                                                              \
        {CMD_SOFT_RESET, 1}, {CMD_HARD_RESET, 0}, {CMD_POWER_OFF, 1}, {CMD_SEPARATOR, 1},          \
            {CMD_BRIGHTNESS, 1}, {CMD_MEMORY, 1}, {CMD_BATTERY, 1}, {CMD_SEPARATOR, 1},            \
            {CMD_TODAY_THEMES, 1}, {CMD_TODAY_PLUGINS, 1}, {CMD_TODAY_SCREEN, 0},                  \
            {CMD_START_MENU, 0}, {CMD_SEPARATOR, 0}, {CMD_CLOCK, 0}, {CMD_SOUNDS, 0},              \
            {CMD_UNINSTALL, 0}, {CMD_RUNNING_PROGRAMS, 1}, {CMD_BUTTONS, 0},                       \
            {CMD_INPUT_METHODS, 0}, {CMD_SEPARATOR, 1}, {CMD_NETWORK, 0}, {CMD_PHONE, 0},          \
            {CMD_SEPARATOR, 0}, {CMD_PURGELLE, 0}, {CMD_PURGELLE_CLEANER, 0},                      \
            {CMD_ROTATE_LEFT, 0}, {CMD_ROTATE_RIGHT, 0}, {CMD_FLIP_SCREEN, 0},                     \
            {CMD_SCREEN_OFF, 1}, {CMD_REFRESH_TODAY, 0}, {CMD_IP_HELPER, 1},                       \
            {CMD_SCREEN_CAPTURE, 1},                                                               \
    }

Settings settings = {
#define SETTING(field, value, kind, initial, page, control, label, text) initial,
#include "SettingList.h"
#undef SETTING
};

const SettingRow SETTING_ROWS[] = {
#define SETTING(field, value, kind, initial, page, control, label, text)                           \
    {value, kind, offsetof(Settings, field), page, control, label, text},
#include "SettingList.h"
#undef SETTING
};
const int SETTING_ROW_COUNT = sizeof(SETTING_ROWS) / sizeof(SETTING_ROWS[0]);

namespace {

const WCHAR SETTINGS_KEY[] = L"Software\\Brantwell\\Orvalet";

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

// A path is taken only when it is a REG_SZ that ends within the field; an
// unterminated or over-long value would be a truncated path, so the field
// keeps what it had.
void ReadPath(HKEY key, const WCHAR* name, WCHAR* field) {
    WCHAR path[TRAY_PATH_LENGTH];
    DWORD type = 0, size = sizeof(path);
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE*)path, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return;
    DWORD units = size / sizeof(WCHAR);
    for (DWORD i = 0; i < units; i++) {
        if (path[i] == 0) {
            memset(field, 0, TRAY_PATH_LENGTH * sizeof(WCHAR));
            memcpy(field, path, i * sizeof(WCHAR));
            return;
        }
    }
}

// The whole field: the path, its terminator and the rest of the field.
void WritePath(HKEY key, const WCHAR* name, const WCHAR* field) {
    RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)field, TRAY_PATH_LENGTH * sizeof(WCHAR));
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
    for (int i = 0; i < SETTING_ROW_COUNT; i++) {
        const SettingRow& row = SETTING_ROWS[i];
        switch (row.kind) {
        case SETTING_ITEMS: LoadMenuItems(key); break;
        case SETTING_PATH: ReadPath(key, row.value, (WCHAR*)SettingField(row)); break;
        default: ReadDword(key, row.value, SettingField(row)); break;
        }
    }
    RegCloseKey(key);
}

void SaveSettings() {
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        &disposition) == ERROR_SUCCESS) {
        for (int i = 0; i < SETTING_ROW_COUNT; i++) {
            const SettingRow& row = SETTING_ROWS[i];
            switch (row.kind) {
            case SETTING_ITEMS: SaveMenuItems(key); break;
            case SETTING_PATH: WritePath(key, row.value, (const WCHAR*)SettingField(row)); break;
            default: WriteDword(key, row.value, SettingField(row)); break;
            }
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
