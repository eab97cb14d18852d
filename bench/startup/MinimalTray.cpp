// The smallest tray program that does what Orvalet does at start-up: a hidden
// window that adds one icon to the tray and waits to be closed. The yardstick
// for Orvalet's start-up time, memory and size.
#include <windows.h>
#include <shellapi.h>

static NOTIFYICONDATAW icon;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        icon.cbSize = 152;
        icon.hWnd = window;
        icon.uID = 1;
        icon.uFlags = NIF_ICON | NIF_MESSAGE;
        icon.uCallbackMessage = WM_APP;
        icon.hIcon =
            (HICON)LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0);
        Shell_NotifyIconW(NIM_ADD, &icon);
        return 0;
    }
    if (message == WM_DESTROY) {
        Shell_NotifyIconW(NIM_DELETE, &icon);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MinimalTray";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"MinimalTray", L"MinimalTray", 0, 0, 0, 10, 10, NULL, NULL, instance, NULL);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
