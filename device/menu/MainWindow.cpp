#include "MainWindow.h"
#include "Commands.h"
#include "Menu.h"
#include "MenuPaint.h"
#include "Screen.h"
#include "Settings.h"
#include "TrayIcon.h"

HINSTANCE appInstance;
HWND mainWindow;

namespace {

const WCHAR WINDOW_NAME[] = L"Orvalet";

LRESULT OnCreate(HWND window) {
    if (settings.hideTrayIcon == 0) {
        NotifyTrayIcon(window, TRAY_ADD, TRAY_ICON_ID, trayIcon);
        trayIconShown = true; // even when the tray refused: the delete is still tried
    }
    return 0;
}

LRESULT OnDestroy(HWND window) {
    if (trayIconShown) NotifyTrayIcon(window, TRAY_DELETE, TRAY_ICON_ID, trayIcon);
    PostQuitMessage(0);
    return 0;
}

// The menu opens upwards from just above the tray.
void AnchorAtTray() {
    menuAnchorX = GetScreenWidth();
    menuAnchorY = GetScreenHeight() - 25 * GetScreenScale();
}

// The command a gesture asks for: the menu (0) or the quick action; 0 with
// ignore set when the quick action would open settings that are already open.
int CommandForGesture(bool held, bool* ignore) {
    bool menu = IsTapForMenu() != held;
    *ignore = !menu && GetQuickAction() == CMD_SETTINGS && settingsDialog != NULL;
    return menu ? 0 : GetQuickAction();
}

LRESULT OnTrayCallback(HWND window, WPARAM id, LPARAM mouseMessage) {
    if (id != TRAY_ICON_ID || mouseMessage != WM_LBUTTONDOWN) return 0;
    SHRGINFO gesture = {
        sizeof(gesture), window, {2 * GetScreenWidth(), 2 * GetScreenHeight()}, SHRG_RETURNCMD};
    bool held = SHRecognizeGesture(&gesture) != 0;
    bool ignore;
    int command = CommandForGesture(held, &ignore);
    if (ignore) return 0;
    AnchorAtTray();
    DispatchMenuCommand(command, true);
    return 0;
}

LRESULT OnShowMenu() {
    AnchorAtTray();
    DispatchMenuCommand(0, true);
    return 0;
}

LRESULT OnTaskbarGesture(WPARAM held, LPARAM position) {
    bool ignore;
    int command = CommandForGesture(held != 0, &ignore);
    if (ignore) return 0;
    menuAnchorX = (int)LOWORD(position) * GetScreenScale();
    menuAnchorY = 26 * GetScreenScale();
    DispatchMenuCommand(command, true);
    return 0;
}

LRESULT OnMeasureItem(MEASUREITEMSTRUCT* item) {
    return item->CtlType == ODT_MENU ? MeasureMenuItem(item) : 0;
}

LRESULT OnDrawItem(DRAWITEMSTRUCT* item) {
    return item->CtlType == ODT_MENU ? DrawMenuItem(item) : 0;
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy(window);
    case WM_MEASUREITEM: return OnMeasureItem((MEASUREITEMSTRUCT*)lParam);
    case WM_DRAWITEM: return OnDrawItem((DRAWITEMSTRUCT*)lParam);
    case MSG_TRAY_CALLBACK: return OnTrayCallback(window, wParam, lParam);
    case MSG_SHOW_MENU: return OnShowMenu();
    case MSG_TASKBAR_GESTURE: return OnTaskbarGesture(wParam, lParam);
    case MSG_CLOSE_MENU: CloseOpenMenu(); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool CreateMainWindow(HINSTANCE instance) {
    appInstance = instance;
    HWND running = FindWindowW(WINDOW_NAME, WINDOW_NAME);
    if (running) {
        SendMessageW(running, MSG_SHOW_MENU, 0, 0);
        return false;
    }
    WNDCLASSW windowClass = {CS_HREDRAW | CS_VREDRAW,
                             MainWindowProc,
                             0,
                             0,
                             instance,
                             NULL,
                             NULL,
                             (HBRUSH)GetStockObject(WHITE_BRUSH),
                             NULL,
                             WINDOW_NAME};
    RegisterClassW(&windowClass);
    LoadTrayIcons();
    HWND window = CreateWindowExW(0, WINDOW_NAME, WINDOW_NAME, WS_TABSTOP, 0, 0, 500, 500, NULL,
                                  NULL, instance, NULL);
    if (!window) return false;
    mainWindow = window;
    return true;
}
