#include "CommandTable.h"
#include "MainWindow.h"
#include "Menu.h"
#include "Settings.h"
#include "SettingsDialog.h"
#include "SystemActions.h"
#include "TrayIcon.h"

int menuAnchorX = 230;
int menuAnchorY = 295;
bool menuShowing;
HMENU cachedMenu;
bool cachedMenuHeaderFirst = true;
HWND settingsDialog;

namespace {

void AppendHeader(HMENU menu) {
    AppendMenuW(menu, MF_OWNERDRAW, CMD_SETTINGS, (LPCWSTR)(UINT_PTR)CMD_SETTINGS);
}

void BringSettingsToFront() {
    SetForegroundWindow(settingsDialog);
    SetActiveWindow(settingsDialog);
    SetFocus(settingsDialog);
}

// The menu cached for the side of the screen the anchor is on.
void PrepareMenu() {
    bool headerFirst = menuAnchorY >= 100;
    if (cachedMenu && cachedMenuHeaderFirst != headerFirst) {
        DestroyMenu(cachedMenu);
        cachedMenu = NULL;
    }
    if (!cachedMenu) {
        cachedMenu = BuildPopupMenu(headerFirst);
        cachedMenuHeaderFirst = headerFirst;
    }
}

bool PressedIconInUse() {
    return trayPressedIcon && trayIconShown;
}

// Tracks the menu at the anchor; the chosen command, or 0.
int TrackMenu() {
    if (PressedIconInUse()) NotifyTrayIcon(mainWindow, TRAY_MODIFY, TRAY_ICON_ID, trayPressedIcon);
    CloseOpenMenu();
    menuShowing = true;
    PrepareMenuOwner(mainWindow);
    UINT flags = TPM_RETURNCMD | TPM_LEFTALIGN | (menuAnchorY > 100 ? TPM_BOTTOMALIGN : 0);
    int chosen =
        TrackPopupMenuEx(cachedMenu, flags, menuAnchorX - 10, menuAnchorY, mainWindow, NULL);
    menuShowing = false;
    // The tap that dismissed the menu on the tray icon must not reopen it.
    MSG pending;
    PeekMessageW(&pending, mainWindow, MSG_TRAY_CALLBACK, MSG_TRAY_CALLBACK, PM_REMOVE);
    if (PressedIconInUse()) NotifyTrayIcon(mainWindow, TRAY_MODIFY, TRAY_ICON_ID, trayIcon);
    return chosen;
}

void RunSettings() {
    if (settingsDialog) return;
    RunSettingsWindow();
    settingsDialog = NULL;
    SaveSettings();
}

// A menu command, as its row says.
void RunCommandRow(const CommandRow& row) {
    switch (row.action) {
    case ACTION_CONTROL_PANEL: OpenControlPanel(row.parameters); break;
    case ACTION_DEVICE: RunSystemAction(row); break;
    case ACTION_DIALOG: RunIpHelper(); break; // the network address helper
    }
}

void RunCommand(int command) {
    if (const CommandRow* row = FindCommand(command))
        RunCommandRow(*row);
    else if (command == CMD_EXIT)
        SendMessageW(mainWindow, WM_CLOSE, 0, 0);
    else if (command == CMD_SETTINGS)
        RunSettings();
}

} // namespace

HMENU BuildPopupMenu(bool headerFirst) {
    HMENU menu = CreatePopupMenu();
    if (headerFirst) AppendHeader(menu);
    for (const MenuItem& item : settings.menuItems) {
        if (!item.shown) continue;
        if (item.command != CMD_SEPARATOR)
            AppendMenuW(menu, MF_OWNERDRAW, item.command,
                        (LPCWSTR)(UINT_PTR)(item.command & 0xFFFF));
        else
            AppendMenuW(menu, MF_OWNERDRAW | MF_SEPARATOR, 0, NULL);
    }
    if (!headerFirst) AppendHeader(menu);
    return menu;
}

void DispatchMenuCommand(int command, bool hideSettings) {
    if (settingsDialog && (command == 0 || command == CMD_SETTINGS)) {
        BringSettingsToFront();
        return;
    }
    if (menuShowing) {
        CloseOpenMenu();
        return;
    }
    PrepareMenu();
    if (command != CMD_SETTINGS && settingsDialog && hideSettings)
        HideWindowAndSheet(settingsDialog);
    if (command == 0) command = TrackMenu();
    RunCommand(command);
}

void CloseOpenMenu() {
    HWND menuWindow = FindWindowW(MENU_WINDOW_CLASS, NULL);
    if (!menuWindow) return;
    SendMessageW(menuWindow, WM_CANCELMODE, 0, 0);
    menuShowing = false;
}
