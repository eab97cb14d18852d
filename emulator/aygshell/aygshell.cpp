// The Pocket PC shell extensions, as the emulated device provides them.
#include <windows.h>

#define CE_SERVICE __declspec(dllexport)
#include "CeServices.h"
#include "DeviceLog.h"

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

} // extern "C"
