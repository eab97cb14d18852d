// The settings window: a full-screen host dialog that runs the four-page
// sheet inside its set-up and brings the tray icon in line when it goes. It
// registers itself as the open settings dialog while it lives, so that taps
// on the tray icon bring it to the front.
#include "SettingsDialog.h"
#include "Commands.h"
#include "LanguageTable.h"
#include "MainWindow.h"
#include "Menu.h"
#include "SettingsSheet.h"
#include "TrayIcon.h"

namespace {

HWND settingsMenuBar;

// The sheet's version query (3) is answered with the Pocket PC style.
const UINT SHEET_VERSION_QUERY = 3;
const int POCKET_PC_SHEET = 0x20C;

int CALLBACK SettingsSheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == SHEET_VERSION_QUERY) return POCKET_PC_SHEET;
    PrepareSheetWindow(sheet, message);
    return 0;
}

INT_PTR RunSettingsSheet(HWND host) {
    struct PageRow {
        int dialog;
        int title;
        DLGPROC proc;
    };
    const PageRow rows[] = {
        {IDD_MAIN_PAGE, TEXT_MAIN_TAB, MainPageProc},
        {IDD_DISPLAY_PAGE, TEXT_DISPLAY_TAB, DisplayPageProc},
        {IDD_COLOR_PAGE, TEXT_COLOR_TAB, ColorPageProc},
        {IDD_ABOUT_PAGE, TEXT_ABOUT_TAB, AboutPageProc},
    };
    const int PAGE_COUNT = sizeof(rows) / sizeof(rows[0]);
    // The item list's class is registered on request.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    PROPSHEETPAGEW pages[PAGE_COUNT];
    ZeroMemory(pages, sizeof(pages));
    for (int i = 0; i < PAGE_COUNT; i++) {
        pages[i].dwSize = sizeof(pages[i]); // the sheet walks the pages by this size
        pages[i].dwFlags = PSP_USETITLE;
        pages[i].hInstance = appInstance;
        pages[i].pszTemplate = MAKEINTRESOURCEW(rows[i].dialog);
        pages[i].pszTitle = PageText(rows[i].title);
        pages[i].pfnDlgProc = rows[i].proc;
    }
    PROPSHEETHEADERW sheet;
    ZeroMemory(&sheet, sizeof(sheet));
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | PSH_MAXIMIZE;
    sheet.hwndParent = host;
    sheet.hInstance = appInstance;
    sheet.nPages = PAGE_COUNT;
    sheet.ppsp = pages;
    sheet.pfnCallback = SettingsSheetCallback;
    INT_PTR result = PropertySheetW(&sheet);
    // A language chosen on the Display page is in force from now on.
    if (languageTable) languageTable->SelectLanguage(settings.language);
    return result;
}

// The tray icon as the settings now say: removed, or added or updated with
// the built-in or custom picture.
void ApplyTrayIconSettings() {
    if (settings.hideTrayIcon) {
        if (trayIconShown) NotifyTrayIcon(mainWindow, TRAY_DELETE, TRAY_ICON_ID, NULL);
        trayIconShown = false;
        return;
    }
    HICON oldIcon = trayIcon, oldPressedIcon = trayPressedIcon;
    LoadTrayIcons();
    if (trayIconShown) {
        NotifyTrayIcon(mainWindow, TRAY_MODIFY, TRAY_ICON_ID, trayIcon);
    } else {
        NotifyTrayIcon(mainWindow, TRAY_ADD, TRAY_ICON_ID, trayIcon);
        trayIconShown = true;
    }
    // The tray shows the new pictures now: each closing would otherwise keep
    // one more pair.
    if (oldIcon && oldIcon != trayIcon) DestroyIcon(oldIcon);
    if (oldPressedIcon && oldPressedIcon != trayPressedIcon) DestroyIcon(oldPressedIcon);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        settingsDialog = dialog;
        ShellDialogSetUp(dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN);
        settingsMenuBar = CreateSettingsMenuBar(dialog);
        INT_PTR result = RunSettingsSheet(dialog);
        EndDialog(dialog, result);
        return TRUE;
    }
    case WM_DESTROY:
        if (settingsMenuBar) DestroyWindow(settingsMenuBar);
        settingsMenuBar = NULL;
        settingsDialog = NULL;
        DeleteHeaderFont();
        ApplyTrayIconSettings();
        return FALSE;
    }
    return FALSE;
}

} // namespace

void RunSettingsWindow() {
    RunDialog(appInstance, IDD_SETTINGS, NULL, SettingsDialogProc);
}

void ShellDialogSetUp(HWND dialog, DWORD flags) {
    SHINITDLGINFO setup;
    ZeroMemory(&setup, sizeof(setup));
    setup.dwMask = SHIDIM_FLAGS;
    setup.hDlg = dialog;
    setup.dwFlags = flags;
    SHInitDialog(&setup);
}

HWND CreateSettingsMenuBar(HWND window) {
    ShellDialogSetUp(window, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLG);

    SHMENUBARINFO bar;
    ZeroMemory(&bar, sizeof(bar));
    bar.cbSize = MENU_BAR_RECORD_SIZE;
    bar.hwndParent = window;
    bar.dwFlags = SHCMBF_EMPTYBAR;
    bar.hInstRes = appInstance;
    if (!SHCreateMenuBar(&bar)) return NULL;
    return bar.hwndMB;
}

const WCHAR* PageText(int id) {
    const WCHAR* text = languageTable ? languageTable->GetText(id) : NULL;
    return text ? text : L"";
}

void RelabelPage(HWND page, SettingsPage which, const PageLabel* others, int otherCount) {
    if (!languageTable) return;
    for (int i = 0; i < SETTING_ROW_COUNT; i++) {
        const SettingRow& row = SETTING_ROWS[i];
        if (row.page == which && row.label)
            languageTable->SetControlText(page, row.label, row.labelText);
    }
    for (int i = 0; i < otherCount; i++)
        languageTable->SetControlText(page, others[i].control, others[i].text);
}

void ReleasePictures(HWND page) {
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
        WCHAR className[8];
        if (!GetClassNameW(child, className, 8) || lstrcmpiW(className, L"Static") != 0) continue;
        HGDIOBJ picture = (HGDIOBJ)SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, 0);
        if (picture) DeleteObject(picture);
    }
}
