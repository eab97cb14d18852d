// Rotating the display and switching it off (commands 21 to 24).
#include "SystemActions.h"

namespace {

typedef LONG(WINAPI* DisplaySettingsEntry)(LPCWSTR device, LPDEVMODEW mode, HWND window,
                                           DWORD flags, LPVOID parameter);

// Not every CE version exports the entry: it is looked up once, and the
// library is kept even when it was not found.
HMODULE displayLibrary = NULL;
DisplaySettingsEntry changeDisplaySettings = NULL;

DisplaySettingsEntry FindDisplaySettings() {
    if (!displayLibrary) {
        displayLibrary = LoadLibraryW(L"coredll.dll");
        if (displayLibrary)
            changeDisplaySettings =
                (DisplaySettingsEntry)GetProcAddressW(displayLibrary, L"ChangeDisplaySettingsEx");
    }
    return changeDisplaySettings;
}

DWORD OrientationOf(int command) {
    switch (command) {
    case CMD_ROTATE_LEFT: return DMDO_270;
    case CMD_ROTATE_RIGHT: return DMDO_90;
    default: return DMDO_180;
    }
}

void PrepareOrientationRecord(DEVMODEW* mode, DWORD orientation) {
    memset(mode, 0, sizeof(*mode));
    mode->dmSize = DISPLAY_MODE_RECORD_SIZE;
    mode->dmFields = DM_DISPLAYORIENTATION;
    mode->dmDisplayOrientation = orientation;
}

// A rotated screen goes back upright; an upright one turns to orientation.
LONG RotateScreen(DisplaySettingsEntry entry, DWORD orientation) {
    DEVMODEW mode;
    PrepareOrientationRecord(&mode, 0);
    entry(NULL, &mode, NULL, CDS_TEST, NULL);
    DWORD target = mode.dmDisplayOrientation != DMDO_0 ? DMDO_0 : orientation;
    PrepareOrientationRecord(&mode, target);
    return entry(NULL, &mode, NULL, 0, NULL);
}

} // namespace

void RotateCommand(const CommandRow& row) {
    DisplaySettingsEntry entry = FindDisplaySettings();
    if (!entry) {
        ShowCommandMessage(row, MB_ICONERROR);
        return;
    }
    RotateScreen(entry, OrientationOf(row.id));
}

void TurnScreenOff() {
    HDC screen = GetDC(NULL);
    DWORD escape = SETPOWERMANAGEMENT;
    // A negative answer (the escape itself failed) is no support either.
    if (ExtEscape(screen, QUERYESCSUPPORT, sizeof(escape), (LPCSTR)&escape, 0, NULL) <= 0) {
        MessageBoxW(NULL, L"Sorry, your Pocket PC does not support DisplayOff",
                    L"Pocket PC Display Off Feature", MB_OK);
    } else {
        VIDEO_POWER_MANAGEMENT power = {sizeof(power), 1, VideoPowerOff};
        ExtEscape(screen, SETPOWERMANAGEMENT, sizeof(power), (LPCSTR)&power, 0, NULL);
    }
    ReleaseDC(NULL, screen);
}
