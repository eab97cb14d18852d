// The host dialog of the settings sheet: it registers itself as the open
// settings dialog while it lives, so that taps bring it to the front.
#include "SettingsDialog.h"
#include "Menu.h"
#include "MainWindow.h"

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: settingsDialog = dialog; return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY: settingsDialog = NULL; return FALSE;
    }
    return FALSE;
}

HWND CreateSettingsMenuBar(HWND window) {
    SHINITDLGINFO setup;
    ZeroMemory(&setup, sizeof(setup));
    setup.dwMask = SHIDIM_FLAGS;
    setup.hDlg = window;
    setup.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLG;
    SHInitDialog(&setup);

    SHMENUBARINFO bar;
    ZeroMemory(&bar, sizeof(bar));
    bar.cbSize = MENU_BAR_RECORD_SIZE;
    bar.hwndParent = window;
    bar.dwFlags = SHCMBF_EMPTYBAR;
    bar.hInstRes = appInstance;
    if (!SHCreateMenuBar(&bar)) return NULL;
    return bar.hwndMB;
}
