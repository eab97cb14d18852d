// The one place where the device (Windows CE / Pocket PC) and the desktop that
// hosts the emulated Pocket PC differ. Product code includes this instead of
// the platform's headers and never tests _WIN32_WCE itself.
#pragma once

// The desktop's headers (which the fidelity build also compiles the device side
// against) declare an ANSI WinMain; the device's takes its command line in
// UTF-16. Their prototype is renamed out of the way and the device's declared.
#ifdef _WIN32_WCE
#define WinMain DesktopHeadersWinMain
#endif
#include <windows.h>
#include <shellapi.h>
#include <commdlg.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <string.h>
#ifdef _WIN32_WCE
#undef WinMain
#endif

// The CE records and functions that the desktop headers lack; on the device it
// stands in for the SDK's aygshell.h and kernel headers.
#include "CeServices.h"

#ifdef _WIN32_WCE

extern "C" {

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);

// CE's shell exports these without the W; the desktop headers make the names
// macros for their W forms.
#undef Shell_NotifyIcon
#undef ShellExecuteEx
#undef ChooseColor
__declspec(dllimport) BOOL WINAPI Shell_NotifyIcon(DWORD dwMessage, PNOTIFYICONDATAW lpData);
__declspec(dllimport) BOOL WINAPI ShellExecuteEx(LPSHELLEXECUTEINFOW lpExecInfo);
__declspec(dllimport) BOOL WINAPI ChooseColor(LPCHOOSECOLORW lpcc);

// CE's transparent blit; the source is a device context or a bitmap.
__declspec(dllimport) BOOL WINAPI
    TransparentImage(HDC hdcDest, LONG DstX, LONG DstY, LONG DstCx, LONG DstCy, HANDLE hSrc,
                     LONG SrcX, LONG SrcY, LONG SrcCx, LONG SrcCy, COLORREF TransparentColor);

} // extern "C"

// CE maps resources in place: LoadResource answers the data itself, and the
// SDK's LockResource is a macro that hands it back.
#ifndef LockResource
#define LockResource(resource) ((LPVOID)(resource))
#endif

// The platform's popup-menu window class.
#define MENU_WINDOW_CLASS L"MNU"

// The sizes of the device's own records: the notification record is the
// desktop's first 152 bytes, the shell-execute record is 60 bytes.
const DWORD TRAY_RECORD_SIZE = 152;
const DWORD SHELL_EXECUTE_RECORD_SIZE = 60;

// The shell's menu-bar record: 36 bytes.
const DWORD MENU_BAR_RECORD_SIZE = 36;

// The open-file-name record of the file dialogs: 76 bytes.
const DWORD OPEN_FILE_RECORD_SIZE = 76;

// The colour chooser's record: 36 bytes.
const DWORD CHOOSE_COLOR_RECORD_SIZE = 36;

// The background of dialogs and static controls, white on the device; CE
// gives it an index of its own.
const int STATIC_BACKGROUND_COLOR = 25 | 0x40000000; // COLOR_STATIC

// A property sheet that fills its parent, in the Pocket PC style; the sheet
// itself carries the shell's Done button.
#define PSH_MAXIMIZE 0x00002000
inline void PrepareSheetWindow(HWND, UINT) {}

// Hides a window; on the device the sheet inside the settings window goes with it.
inline void HideWindowAndSheet(HWND window) {
    ShowWindow(window, SW_HIDE);
}

// The device's static controls draw in the font selected while they ask for
// their colours.
inline void AdoptLabelFont(HWND, HFONT) {}

// The device closes a popup menu on any tap outside it.
inline void PrepareMenuOwner(HWND) {}

// The device's list view keeps a one-column list within its width itself
// (LVS_EX_NOHSCROLL).
inline void FitListColumn(HWND) {}

// CE answers device capabilities of the display without a device context.
inline int DisplayCaps(int index) {
    return GetDeviceCaps(NULL, index);
}

// The display-mode record as CE lays it out.
const DWORD DISPLAY_MODE_RECORD_SIZE = 192;

// The device's registry takes key paths with a leading backslash as written.
inline const WCHAR* RegistryKeyPath(const WCHAR* path) {
    return path;
}

// A notification to every top-level window that waits for none of them.
inline void BroadcastNotify(UINT message, WPARAM wParam, LPARAM lParam) {
    SendNotifyMessageW(HWND_BROADCAST, message, wParam, lParam);
}

// The device's CreateProcess takes no start-up information.
inline LPSTARTUPINFOW ProcessStartupInfo() {
    return NULL;
}

// CE's RegDeleteKey takes the key's subkeys with it.
inline LONG DeleteRegistryTree(HKEY root, const WCHAR* path) {
    return RegDeleteKeyW(root, path);
}

#else // the emulated Pocket PC on desktop Win32

// A desktop UTF-16 program's entry point has its own name.
#define WinMain wWinMain

// The device's Shell_NotifyIcon and ShellExecuteEx are the desktop's W forms,
// which shellapi.h already names so for a UTF-16 program.

// The desktop's popup-menu window class.
#define MENU_WINDOW_CLASS L"#32768"

// The same records as the desktop lays them out: 152 and 60 bytes on a 32-bit
// desktop, larger on a 64-bit one, where pointers and handles are wider.
const DWORD TRAY_RECORD_SIZE = NOTIFYICONDATAW_V1_SIZE;
const DWORD SHELL_EXECUTE_RECORD_SIZE = sizeof(SHELLEXECUTEINFOW);
const DWORD MENU_BAR_RECORD_SIZE = sizeof(SHMENUBARINFO);
const DWORD OPEN_FILE_RECORD_SIZE = sizeof(OPENFILENAMEW);
const DWORD CHOOSE_COLOR_RECORD_SIZE = sizeof(CHOOSECOLORW);

// The desktop has no colour of its own for static controls; its property
// pages are white, as the device's.
const int STATIC_BACKGROUND_COLOR = COLOR_WINDOW;

// The desktop's sheet is a window of its own, owned by the host: it is hidden too.
inline void HideWindowAndSheet(HWND window) {
    ShowOwnedPopups(window, FALSE);
    ShowWindow(window, SW_HIDE);
}

// A desktop static control selects its own font after it has asked its page
// for colours, so a font selected there is lost: the label is given the font.
// Wine's static control also breaks a line at the blanks that end a text
// ("IP Helper     "), which the device lets run past the edge: the label
// stays on one line.
inline void AdoptLabelFont(HWND label, HFONT font) {
    if ((HFONT)SendMessageW(label, WM_GETFONT, 0, 0) == font) return;
    LONG_PTR style = GetWindowLongPtrW(label, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_LEFT)
        SetWindowLongPtrW(label, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
    SendMessageW(label, WM_SETFONT, (WPARAM)font, FALSE);
    InvalidateRect(label, NULL, TRUE);
}

// The desktop knows no maximised sheet (its 0x2000 is the wizard style): its
// sheet is a window of its own. Once it is made, it is laid over the host
// without a frame, its tabs fill it, and its OK button becomes the device's
// "ok" (Done) at the top right; there is no Cancel.
#define PSH_MAXIMIZE 0
inline void PrepareSheetWindow(HWND sheet, UINT message) {
    if (message != PSCB_INITIALIZED) return;
    RECT place;
    GetWindowRect(GetParent(sheet), &place);
    SetWindowLongPtrW(sheet, GWL_STYLE,
                      GetWindowLongPtrW(sheet, GWL_STYLE) & ~(WS_CAPTION | WS_THICKFRAME));
    SetWindowLongPtrW(sheet, GWL_EXSTYLE,
                      GetWindowLongPtrW(sheet, GWL_EXSTYLE) & ~WS_EX_DLGMODALFRAME);
    SetWindowPos(sheet, NULL, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ShowWindow(GetDlgItem(sheet, IDCANCEL), SW_HIDE);
    RECT client, pages;
    GetClientRect(sheet, &client);
    HWND tab = PropSheet_GetTabControl(sheet), ok = GetDlgItem(sheet, IDOK);
    SetWindowPos(tab, NULL, 0, 0, client.right, client.bottom, SWP_NOZORDER);
    RECT firstTab = {0, 0, 0, 0};
    TabCtrl_GetItemRect(tab, 0, &firstTab);
    int height = firstTab.bottom - firstTab.top, width = height * 3 / 2;
    SetWindowTextW(ok, L"ok");
    SetWindowPos(ok, HWND_TOP, client.right - width - 1, 1, width, height - 1, 0);
    pages = client;
    TabCtrl_AdjustRect(tab, FALSE, &pages);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    if (page)
        SetWindowPos(page, NULL, pages.left, pages.top, pages.right - pages.left,
                     pages.bottom - pages.top, SWP_NOZORDER);
}

// The desktop's list view knows no LVS_EX_NOHSCROLL (its 0x10000000 sizes
// columns to the header): once the rows are in, and with them the vertical
// scroll bar, the column is narrowed to what is left of the list.
inline void FitListColumn(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    ListView_SetColumnWidth(list, 0, client.right);
}

// The desktop closes a popup menu on a tap outside it only when the menu's
// owner is the foreground window; the device's hidden owner never needs to be.
inline void PrepareMenuOwner(HWND owner) {
    SetForegroundWindow(owner);
}

// CE's transparent blit; the desktop calls it TransparentBlt.
inline BOOL TransparentImage(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                             int sourceY, int sourceWidth, int sourceHeight, COLORREF transparent) {
    return TransparentBlt(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                          sourceHeight, transparent);
}

// A desktop wants a device context to answer display capabilities.
inline int DisplayCaps(int index) {
    HDC screen = GetDC(NULL);
    int value = GetDeviceCaps(screen, index);
    ReleaseDC(NULL, screen);
    return value;
}

// The desktop's display-mode record, which the emulated device's
// ChangeDisplaySettingsEx reads.
const DWORD DISPLAY_MODE_RECORD_SIZE = sizeof(DEVMODEW);

// The desktop's registry refuses a key path that starts with a backslash
// (error 161), which the device accepts.
inline const WCHAR* RegistryKeyPath(const WCHAR* path) {
    return path && path[0] == L'\\' ? path + 1 : path;
}

// The desktop's notify broadcast reaches no window of another process; a send
// that gives up on hung windows and waits a short while at most does.
inline void BroadcastNotify(UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageTimeoutW(HWND_BROADCAST, message, wParam, lParam, SMTO_ABORTIFHUNG, 500, NULL);
}

// The desktop's CreateProcess wants a start-up record, even an empty one.
inline LPSTARTUPINFOW ProcessStartupInfo() {
    static STARTUPINFOW empty; // zero
    empty.cb = sizeof(empty);
    return &empty;
}

// The desktop's RegDeleteKey refuses a key that has subkeys: they go first.
inline LONG DeleteRegistryTree(HKEY root, const WCHAR* path) {
    HKEY key;
    LONG result = RegOpenKeyExW(root, path, 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) return result;
    WCHAR name[256];
    DWORD length = 256;
    while (RegEnumKeyExW(key, 0, name, &length, NULL, NULL, NULL, NULL) == ERROR_SUCCESS) {
        if (DeleteRegistryTree(key, name) != ERROR_SUCCESS) break;
        length = 256;
    }
    RegCloseKey(key);
    return RegDeleteKeyW(root, path);
}

// Key events and display escapes are coredll's on the device; a desktop
// answers them in user32 and gdi32, which know no power key and no display
// power escape. The emulated device's coredll answers them instead.
#undef keybd_event
#define keybd_event DeviceKeyEvent
#undef ExtEscape
#define ExtEscape DeviceExtEscape

// The device's file dialogs fill its screen; the desktop's, laid out for a
// desktop, do not fit it. The emulated device lays them out for its screen.
#undef GetOpenFileNameW
#define GetOpenFileNameW DeviceGetOpenFileName
#undef GetSaveFileNameW
#define GetSaveFileNameW DeviceGetSaveFileName

#endif

// Runs a dialog of the program's resources. The device has no DialogBoxParam
// (its headers make it a macro over the template form), so both platforms load
// the template themselves.
inline INT_PTR RunDialog(HINSTANCE instance, int id, HWND owner, DLGPROC proc,
                         LPARAM parameter = 0) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : NULL;
    LPCDLGTEMPLATEW dialog = loaded ? (LPCDLGTEMPLATEW)LockResource(loaded) : NULL;
    if (!dialog) return -1;
    return DialogBoxIndirectParamW(instance, dialog, owner, proc, parameter);
}
