#include "StartScreen.h"

#include "EmulatorAnswers.h"

namespace {

const WCHAR SCREEN_CLASS[] = L"OrvaletEmulatorStartScreen";

// Tahoma of the given size in points, at the screen's pixels per inch (a VGA
// device's letters come out twice as tall).
HFONT MakeFont(HDC dc, int points, int weight) {
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = weight;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpyW(font.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&font);
}

void DrawLine(HDC dc, const WCHAR* text, HFONT font, RECT area) {
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextW(dc, text, -1, &area, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, old);
    DeleteObject(font);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    HBRUSH background = CreateSolidBrush(BOOT_SCREEN_COLOR);
    FillRect(dc, &area, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    int middle = (area.top + area.bottom) / 2;
    RECT title = {area.left, area.top, area.right, middle};
    RECT status = {area.left, middle, area.right, middle + (middle - area.top) / 3};
    DrawLine(dc, L"Pocket PC", MakeFont(dc, 18, FW_BOLD), title);
    DrawLine(dc, L"Starting\x2026", MakeFont(dc, 9, FW_NORMAL), status);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_ERASEBKGND: return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HWND ShowStartScreen(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ScreenProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_WAIT);
    windowClass.lpszClassName = SCREEN_CLASS;
    if (!RegisterClassW(&windowClass)) return NULL;
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, SCREEN_CLASS, L"Starting",
                                  WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN), NULL, NULL, instance, NULL);
    if (window) UpdateWindow(window);
    return window;
}

void EndStartScreen(HWND screen, DWORD shownAt, DWORD milliseconds) {
    for (;;) {
        DWORD elapsed = GetTickCount() - shownAt;
        if (elapsed >= milliseconds) break;
        MsgWaitForMultipleObjects(0, NULL, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    if (screen) DestroyWindow(screen);
}
