#include "TrayIcon.h"
#include "Commands.h"
#include "MainWindow.h"
#include "Screen.h"
#include "Settings.h"
#include "resource.h"

HICON trayIcon;
HICON trayPressedIcon;
bool trayIconShown;

const COLORREF TRAY_KEY_COLOUR = RGB(255, 0, 255);

void LoadTrayIcons() {
    // The previous pictures are kept alive: the tray may still show one of them
    // until the caller modifies the icon.
    trayIcon = NULL;
    trayPressedIcon = NULL;
    int size = 16 * GetScreenScale();
    if (settings.customTrayIcon) {
        HBITMAP bitmap = SHLoadDIBitmap(settings.trayIconBitmapPath);
        if (bitmap) {
            trayIcon = CreateIconFromBitmap(bitmap, size, TRAY_KEY_COLOUR);
            DeleteObject(bitmap);
        }
        if (trayIcon) return;
    }
    trayIcon =
        (HICON)LoadImageW(appInstance, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, size, size, 0);
    if (GetScreenScale() == 1)
        trayPressedIcon = (HICON)LoadImageW(appInstance, MAKEINTRESOURCEW(IDI_TRAY_PRESSED),
                                            IMAGE_ICON, 16, 16, 0);
}

// A bitmap smaller than the icon yields the key colour's "no pixel" answer
// (CLR_INVALID) outside its area; those pixels are made transparent too, so a
// small picture shows on a clear background instead of garbage.
HICON CreateIconFromBitmap(HBITMAP bitmap, int size, COLORREF keyColour) {
    HDC screen = GetDC(NULL);
    HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateCompatibleBitmap(screen, size, size);
    HDC sourceDC = CreateCompatibleDC(screen);
    HDC colourDC = CreateCompatibleDC(screen);
    HDC maskDC = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);

    HICON icon = NULL;
    if (colour && mask && sourceDC && colourDC && maskDC) {
        HGDIOBJ oldColour = SelectObject(colourDC, colour);
        HGDIOBJ oldMask = SelectObject(maskDC, mask);
        HGDIOBJ oldSource = SelectObject(sourceDC, bitmap);
        for (int x = 0; x < size; x++) {
            for (int y = 0; y < size; y++) {
                COLORREF pixel = GetPixel(sourceDC, x, y);
                bool transparent = pixel == keyColour || pixel == CLR_INVALID;
                SetPixel(maskDC, x, y, transparent ? RGB(255, 255, 255) : RGB(0, 0, 0));
                SetPixel(colourDC, x, y, transparent ? RGB(0, 0, 0) : pixel);
            }
        }
        SelectObject(sourceDC, oldSource);
        SelectObject(maskDC, oldMask);
        SelectObject(colourDC, oldColour);

        ICONINFO info = {TRUE, 8, 8, mask, colour};
        icon = CreateIconIndirect(&info);
    }
    if (colour) DeleteObject(colour);
    if (mask) DeleteObject(mask);
    if (sourceDC) DeleteDC(sourceDC);
    if (colourDC) DeleteDC(colourDC);
    if (maskDC) DeleteDC(maskDC);
    return icon;
}

BOOL NotifyTrayIcon(HWND window, TrayAction action, UINT id, HICON icon) {
    // The Pocket PC's notification record: the first 152 bytes of the desktop's.
    NOTIFYICONDATAW data;
    ZeroMemory(&data, sizeof(data));
    data.cbSize = TRAY_RECORD_SIZE;
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.uCallbackMessage = MSG_TRAY_CALLBACK;
    data.hIcon = icon;
    DWORD message = action == TRAY_ADD ? NIM_ADD : action == TRAY_MODIFY ? NIM_MODIFY : NIM_DELETE;
    return Shell_NotifyIcon(message, &data);
}
