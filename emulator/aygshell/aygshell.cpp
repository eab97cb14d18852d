// The Pocket PC shell extensions, as the emulated device provides them.
#include <windows.h>

#include "DeviceLog.h"

extern "C" {

struct SHRGINFO {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
};
const DWORD SHRG_RETURNCMD = 1;
const DWORD GN_CONTEXTMENU = 1000;

// How long the stylus must stay down for a tap-and-hold.
const DWORD HOLD_TIME_MS = 600;

// Runs while the stylus is down: a tap when it is lifted before the hold
// time, a tap-and-hold when it is still down after it. Messages keep flowing
// meanwhile, as on the device.
__declspec(dllexport) DWORD SHRecognizeGesture(SHRGINFO* info) {
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

// The device's loader refuses a file that is shorter than its headers say.
static bool IsWholeBitmapFile(LPCWSTR fileName) {
    HANDLE file = CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    DWORD got = 0, got2 = 0;
    DWORD size = GetFileSize(file, NULL);
    ReadFile(file, &header, sizeof(header), &got, NULL);
    ReadFile(file, &info, sizeof(info), &got2, NULL);
    CloseHandle(file);
    if (got != sizeof(header) || got2 != sizeof(info) || header.bfType != 0x4D42) return false;
    LONG height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    DWORD stride = ((DWORD)info.biWidth * info.biBitCount + 31) / 32 * 4;
    DWORD bits = info.biCompression == BI_RGB ? stride * (DWORD)height : info.biSizeImage;
    return info.biWidth > 0 && height > 0 && header.bfOffBits + bits <= size;
}

__declspec(dllexport) HBITMAP SHLoadDIBitmap(LPCWSTR fileName) {
    if (!fileName || !fileName[0] || !IsWholeBitmapFile(fileName)) return NULL;
    return (HBITMAP)LoadImageW(NULL, fileName, IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

} // extern "C"
