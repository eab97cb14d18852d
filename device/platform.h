// The one place where the device (Windows CE / Pocket PC) and the desktop that
// hosts the emulated Pocket PC differ. Product code includes this instead of
// the platform's headers and never tests _WIN32_WCE itself.
#pragma once

#include <windows.h>
#include <shellapi.h>

#ifdef _WIN32_WCE

#include <aygshell.h>

// The platform's popup-menu window class.
#define MENU_WINDOW_CLASS L"MNU"

// The sizes of the device's own records: the notification record is the
// desktop's first 152 bytes, the shell-execute record is 60 bytes.
const DWORD TRAY_RECORD_SIZE = 152;
const DWORD SHELL_EXECUTE_RECORD_SIZE = 60;

// The device closes a popup menu on any tap outside it.
inline void PrepareMenuOwner(HWND) {}

// CE answers device capabilities of the display without a device context.
inline int DisplayCaps(int index) { return GetDeviceCaps(NULL, index); }

#else // the emulated Pocket PC on desktop Win32

// A desktop UTF-16 program's entry point has its own name.
#define WinMain wWinMain

// The Pocket PC shell extensions (aygshell.dll) and the CE core services
// (coredll.dll) that a desktop lacks. The emulated device provides both
// modules with these names and signatures, so the calls below are the
// device's own.
extern "C" {

struct SHRGINFO {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
};
#define SHRG_RETURNCMD 0x00000001
#define GN_CONTEXTMENU 1000

__declspec(dllimport) DWORD SHRecognizeGesture(SHRGINFO* info);
__declspec(dllimport) HBITMAP SHLoadDIBitmap(LPCWSTR fileName);
__declspec(dllimport) BOOL SHGetSpecialFolderPath(HWND owner, LPWSTR path, int folder, BOOL create);
__declspec(dllimport) BOOL SHCreateShortcut(LPWSTR shortcut, LPWSTR target);

} // extern "C"

#ifndef CSIDL_PROGRAMS
#define CSIDL_PROGRAMS 2
#define CSIDL_STARTUP 7
#define CSIDL_STARTMENU 11
#endif

// The desktop's popup-menu window class.
#define MENU_WINDOW_CLASS L"#32768"

// The same records as the desktop lays them out: 152 and 60 bytes on a 32-bit
// desktop, larger on a 64-bit one, where pointers and handles are wider.
const DWORD TRAY_RECORD_SIZE = NOTIFYICONDATAW_V1_SIZE;
const DWORD SHELL_EXECUTE_RECORD_SIZE = sizeof(SHELLEXECUTEINFOW);

// The desktop closes a popup menu on a tap outside it only when the menu's
// owner is the foreground window; the device's hidden owner never needs to be.
inline void PrepareMenuOwner(HWND owner) { SetForegroundWindow(owner); }

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

#endif
