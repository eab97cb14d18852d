// The program-wide settings record, its registry store and the
// start-with-the-system shortcut. The record's fields are the rows of
// SettingList.h.
#pragma once

#include "platform.h"
#include "resource.h"
#include <stddef.h>
#include <stdint.h>

const int MENU_ITEM_COUNT = 32;
const int TRAY_PATH_LENGTH = 1024; // UTF-16 units, stored as exactly 2048 bytes

struct MenuItem {
    int32_t command; // 1..27, or 0 for a separator
    int32_t shown;   // non-zero: in the menu
};

enum SettingKind { SETTING_ITEMS, SETTING_NUMBER, SETTING_FLAG, SETTING_PATH, SETTING_COLOR };
enum SettingsPage { PAGE_MAIN, PAGE_DISPLAY, PAGE_COLOR, PAGE_ABOUT };

#define SETTING_FIELD_SETTING_ITEMS(field) MenuItem field[MENU_ITEM_COUNT];
#define SETTING_FIELD_SETTING_NUMBER(field) int32_t field;
#define SETTING_FIELD_SETTING_FLAG(field) int32_t field;
#define SETTING_FIELD_SETTING_PATH(field) WCHAR field[TRAY_PATH_LENGTH];
#define SETTING_FIELD_SETTING_COLOR(field) COLORREF field;

struct Settings {
#define SETTING(field, value, kind, initial, page, control, label, text) SETTING_FIELD_##kind(field)
#include "SettingList.h"
#undef SETTING
};

// One row of SettingList.h, where the record keeps it.
struct SettingRow {
    const WCHAR* value; // the registry value; NULL for the menu items
    SettingKind kind;
    size_t offset;
    SettingsPage page;
    int control;
    int label;
    int labelText;
};

extern const SettingRow SETTING_ROWS[];
extern const int SETTING_ROW_COUNT;

extern Settings settings;

// The field of row in the settings record.
inline void* SettingField(const SettingRow& row) {
    return (BYTE*)&settings + row.offset;
}

void LoadSettings();
void SaveSettings();

bool IsTapForMenu();
void SetTapForMenu(bool tapForMenu);
int32_t GetQuickAction();

void SetStartWithSystem(bool on);
bool IsStartWithSystem();
