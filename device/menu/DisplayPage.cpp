// The Display page: the language, the menu icons, the tray icon and its
// picture, the screen-capture delay.
#include "LanguageTable.h"
#include "SettingsSheet.h"

namespace {

const PageLabel LABELS[] = {
    {IDC_PAGE_HEADER, TEXT_DISPLAY_TAB},
    {IDC_SECONDS_LABEL, TEXT_SECONDS},
};

// Entry i of the delay list stands for i half seconds.
const WCHAR* const DELAYS[] = {L"0.0", L"0.5", L"1.0", L"1.5", L"2.0", L"2.5",
                               L"3.0", L"3.5", L"4.0", L"4.5", L"5.0"};
const int DELAY_COUNT = sizeof(DELAYS) / sizeof(DELAYS[0]);
const int DEFAULT_DELAY = 3;

// Selects entry index, or none when the stored value lies outside the list.
void SelectEntry(HWND page, int id, int32_t index, int count) {
    SendDlgItemMessageW(page, id, CB_SETCURSEL, index >= 0 && index < count ? index : -1, 0);
}

void EnableTrayPath(HWND page, bool enabled) {
    EnableWindow(GetDlgItem(page, IDC_BROWSE_TRAY_PATH), enabled);
    EnableWindow(GetDlgItem(page, IDC_TRAY_PATH), enabled);
}

void InitPage(HWND page) {
    RelabelPage(page, PAGE_DISPLAY, LABELS, sizeof(LABELS) / sizeof(LABELS[0]));
    for (int i = 0; i < SETTING_ROW_COUNT; i++) {
        const SettingRow& row = SETTING_ROWS[i];
        if (row.page == PAGE_DISPLAY && row.kind == SETTING_FLAG)
            SetChecked(page, row.control, *(int32_t*)SettingField(row) != 0);
    }
    SetDlgItemTextW(page, IDC_TRAY_PATH, settings.trayIconBitmapPath);
    EnableTrayPath(page, settings.customTrayIcon != 0);

    for (int i = 0; i < DELAY_COUNT; i++)
        SendDlgItemMessageW(page, IDC_CAPTURE_DELAY, CB_ADDSTRING, 0, (LPARAM)DELAYS[i]);
    SelectEntry(page, IDC_CAPTURE_DELAY, settings.captureDelay, DELAY_COUNT);

    // Inserted by position, so that the position is the Language value
    // whatever order the list's sorted style would give.
    int sections = languageTable ? languageTable->GetSectionCount() : 0;
    for (int i = 0; i < sections; i++)
        SendDlgItemMessageW(page, IDC_LANGUAGE, CB_INSERTSTRING, i,
                            (LPARAM)languageTable->GetSectionName(i));
    SelectEntry(page, IDC_LANGUAGE, settings.language, sections);
}

void ChooseTrayPicture(HWND page) {
    WCHAR file[MAX_PATH] = {0};
    OPENFILENAMEW open;
    ZeroMemory(&open, sizeof(open));
    open.lStructSize = OPEN_FILE_RECORD_SIZE;
    open.hwndOwner = page;
    open.lpstrFilter = L"Bitmaps (*.bmp)\0*.bmp\0";
    open.lpstrFile = file;
    open.nMaxFile = MAX_PATH;
    open.lpstrTitle = PageText(TEXT_SELECT_FILE);
    open.Flags = OFN_EXPLORER;
    if (GetOpenFileNameW(&open)) SetDlgItemTextW(page, IDC_TRAY_PATH, file);
}

void OnCommand(HWND page, WPARAM wParam) {
    for (int i = 0; i < SETTING_ROW_COUNT; i++) {
        const SettingRow& row = SETTING_ROWS[i];
        if (row.page != PAGE_DISPLAY || row.kind != SETTING_FLAG || !IsClick(wParam, row.control))
            continue;
        bool checked = IsChecked(page, row.control);
        *(int32_t*)SettingField(row) = checked ? 1 : 0;
        if (row.control == IDC_CUSTOM_TRAY_ICON) EnableTrayPath(page, checked);
    }
    if (IsClick(wParam, IDC_BROWSE_TRAY_PATH)) ChooseTrayPicture(page);
}

void Apply(HWND page) {
    // At most TRAY_PATH_LENGTH - 1 units and the terminator.
    GetDlgItemTextW(page, IDC_TRAY_PATH, settings.trayIconBitmapPath, TRAY_PATH_LENGTH);
    settings.language = ListSelection(page, IDC_LANGUAGE);
    int delay = ListSelection(page, IDC_CAPTURE_DELAY);
    settings.captureDelay = delay >= 0 ? delay : DEFAULT_DELAY;
}

} // namespace

INT_PTR CALLBACK DisplayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: InitPage(page); return TRUE;
    case WM_COMMAND: OnCommand(page, wParam); return FALSE;
    case WM_NOTIFY:
        if (IsApply(lParam)) Apply(page);
        return FALSE;
    case WM_PAINT: PaintPageHeader(page, true); return TRUE;
    case WM_CTLCOLORSTATIC: return (INT_PTR)HeaderLabelColors(page, (HDC)wParam, (HWND)lParam);
    }
    return FALSE;
}
