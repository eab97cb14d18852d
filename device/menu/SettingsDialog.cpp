// The host dialog of the settings sheet: it registers itself as the open
// settings dialog while it lives, so that taps bring it to the front.
#include "SettingsDialog.h"
#include "Menu.h"

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
