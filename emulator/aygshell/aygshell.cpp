// The Pocket PC shell extensions, as the emulated device provides them.
#include <windows.h>

#define CE_SERVICE __declspec(dllexport)
#include "CeServices.h"
#include "DeviceLog.h"
#include "PocketScreen.h"

namespace {

const wchar_t MENU_BAR_CLASS[] = L"menu_worker";

// 26 pixels at 96 dots per inch, as the device's bar.
int MenuBarHeight() {
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return MulDiv(26, dpi, 96);
}

void RegisterMenuBarClass() {
    WNDCLASSW bar = {};
    bar.lpfnWndProc = DefWindowProcW;
    bar.hInstance = GetModuleHandleW(NULL);
    bar.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    bar.lpszClassName = MENU_BAR_CLASS;
    RegisterClassW(&bar); // fails harmlessly when already registered
}

} // namespace

extern "C" {

// How long the stylus must stay down for a tap-and-hold.
const DWORD HOLD_TIME_MS = 600;

// Runs while the stylus is down: a tap when it is lifted before the hold
// time, a tap-and-hold when it is still down after it. Messages keep flowing
// meanwhile, as on the device.
DWORD SHRecognizeGesture(SHRGINFO* info) {
    if (!info || info->cbSize != sizeof(SHRGINFO)) return 0;
    DWORD start = GetTickCount();
    bool held = false;
    for (;;) {
        if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) break;
        if (GetTickCount() - start >= HOLD_TIME_MS) {
            held = true;
            break;
        }
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage((int)message.wParam);
                return 0;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 1, QS_ALLINPUT);
    }
    DeviceLog(L"aygshell", L"gesture %ls", held ? L"hold" : L"tap");
    if (!held) return 0;
    if (!(info->dwFlags & SHRG_RETURNCMD))
        SendMessageW(info->hwndClient, WM_CONTEXTMENU, (WPARAM)info->hwndClient,
                     MAKELPARAM(info->ptDown.x, info->ptDown.y));
    return GN_CONTEXTMENU;
}

// The device's Done button: "ok" at the top right of the window, as the
// navigation bar shows it; it sends the window IDOK.
void AddDoneButton(HWND dialog) {
    if (GetDlgItem(dialog, IDOK)) return;
    RECT client;
    GetClientRect(dialog, &client);
    int height = MulDiv(18, MenuBarHeight(), 26), width = height * 3 / 2;
    HWND done = CreateWindowExW(0, L"BUTTON", L"ok", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                client.right - width - 1, 1, width, height, dialog,
                                (HMENU)(INT_PTR)IDOK, GetModuleHandleW(NULL), NULL);
    SendMessageW(done, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

// The shell's dialog set-up: a window sized to the screen above the task
// bar's place (full screen) or to the area above the menu bar. A full-screen
// window has no frame or caption of its own (its title is the navigation
// bar's, here the task bar's); its Done button is an "ok" at its top right.
BOOL SHInitDialog(PSHINITDLGINFO info) {
    if (!info || !(info->dwMask & SHIDIM_FLAGS) || !IsWindow(info->hDlg)) return FALSE;
    DeviceLog(L"aygshell", L"init dialog flags %lu", info->dwFlags);
    HWND dialog = info->hDlg;
    bool topLevel = !(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD);
    if (topLevel && (info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN)) {
        SetWindowLongPtrW(dialog, GWL_STYLE,
                          GetWindowLongPtrW(dialog, GWL_STYLE) & ~(WS_CAPTION | WS_THICKFRAME));
        SetWindowLongPtrW(dialog, GWL_EXSTYLE,
                          GetWindowLongPtrW(dialog, GWL_EXSTYLE) & ~WS_EX_DLGMODALFRAME);
    }
    if (info->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN)) {
        RECT work = AboveTray();
        if (!(info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN)) work.bottom -= MenuBarHeight();
        SetWindowPos(dialog, NULL, work.left, work.top, work.right - work.left,
                     work.bottom - work.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (topLevel && (info->dwFlags & SHIDIF_DONEBUTTON)) AddDoneButton(dialog);
    return TRUE;
}

// The menu bar of a full-screen window: a strip along the bottom of the
// screen, owned by its window. An empty bar has nothing on it.
BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
    if (!info || info->cbSize != sizeof(SHMENUBARINFO) || !IsWindow(info->hwndParent)) return FALSE;
    RegisterMenuBarClass();
    RECT work = AboveTray();
    int height = MenuBarHeight();
    info->hwndMB = CreateWindowExW(0, MENU_BAR_CLASS, L"", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                   work.left, work.bottom - height, work.right - work.left, height,
                                   info->hwndParent, NULL, GetModuleHandleW(NULL), NULL);
    DeviceLog(L"aygshell", L"menu bar flags %lu%ls", info->dwFlags,
              info->hwndMB ? L"" : L" failed");
    return info->hwndMB != NULL;
}

} // extern "C"
