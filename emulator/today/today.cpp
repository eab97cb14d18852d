// The device's Today screen, \Windows\today.exe: a window of the shell's
// desktop class behind every program, showing the date and the owner's name.
// It records each refresh broadcast and each time it is brought to the front.
#include <windows.h>

#include "DeviceLog.h"
#include "PocketScreen.h"

namespace {

const WCHAR TODAY_CLASS[] = L"DesktopExplorerWindow";
const WCHAR OWNER_NAME[] = L"Pocket PC Owner";
// The WM_WININICHANGE flag on which the Today screen reloads its items.
const WPARAM REFRESH_FLAG = 0xF2;

int refreshCount = 0;

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    FillRect(dc, &area, (HBRUSH)GetStockObject(WHITE_BRUSH));
    WCHAR date[64] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, NULL, NULL, date, 64);
    SetBkMode(dc, TRANSPARENT);
    RECT line = {4, 4, area.right - 4, 24};
    DrawTextW(dc, date, -1, &line, DT_LEFT | DT_SINGLELINE);
    OffsetRect(&line, 0, 22);
    DrawTextW(dc, OWNER_NAME, -1, &line, DT_LEFT | DT_SINGLELINE);
    EndPaint(window, &paint);
}

void OnSettingChange(HWND window, WPARAM flag) {
    if (flag != REFRESH_FLAG) return;
    refreshCount++;
    DeviceLog(L"today", L"refresh %d", refreshCount);
    InvalidateRect(window, NULL, TRUE);
}

// The screen above the task bar, which stays the tray's: the task bar may
// come after the Today screen, and a rotation changes the screen.
void FitScreen(HWND window) {
    RECT area = AboveTray();
    SetWindowPos(window, NULL, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TodayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_WININICHANGE: OnSettingChange(window, wParam); return 0;
    case WM_DISPLAYCHANGE: FitScreen(window); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) break;
        DeviceLog(L"today", L"front");
        FitScreen(window);
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    // One Today screen per device.
    if (FindWindowW(TODAY_CLASS, NULL)) return 0;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = TodayProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    windowClass.lpszClassName = TODAY_CLASS;
    if (!RegisterClassW(&windowClass)) return 1;
    RECT area = AboveTray();
    HWND window =
        CreateWindowExW(0, TODAY_CLASS, L"Desktop", WS_POPUP, area.left, area.top,
                        area.right - area.left, area.bottom - area.top, NULL, NULL, instance, NULL);
    if (!window) return 1;
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
