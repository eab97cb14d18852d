// The yardstick: the smallest program that does what Orvalet's menu does on a
// tap of its tray icon — track the same 15 owner-drawn items (header, 11
// commands, 3 separators) with an icon column and labels — and nothing else.
#include <windows.h>
#include <shellapi.h>

namespace {

const UINT TRAY_MESSAGE = WM_APP + 1;
const int ITEMS[15] = {1001, 1, 3, 0, 4, 5, 6, 0, 7, 8, 14, 0, 24, 26, 27};
const wchar_t* const LABELS[28] = {L"",
                                   L"Soft Reset",
                                   L"Hard Reset",
                                   L"Power Off",
                                   L"Brightness",
                                   L"Memory",
                                   L"Battery Level",
                                   L"Today Themes",
                                   L"Today Plugins",
                                   L"Clock",
                                   L"Start Menu",
                                   L"Uninstall Programs",
                                   L"Sound Settings",
                                   L"Hardware Buttons",
                                   L"Running Programs",
                                   L"Input Methods",
                                   L"Today Screen",
                                   L"Network Connection",
                                   L"Phone Settings",
                                   L"Purgelle",
                                   L"Purgelle Cleaner",
                                   L"Rotate Screen (L)",
                                   L"Rotate Screen (R)",
                                   L"Flip Screen",
                                   L"Screen OFF",
                                   L"Refresh today screen",
                                   L"IP Helper",
                                   L"Screen Capture"};

HWND window;
HMENU menu;
HFONT font;
int scale = 1;
int screenWidth, screenHeight;

const wchar_t* Label(ULONG_PTR data) {
    return data == 1001 ? L"Orvalet" : data < 28 ? LABELS[data] : L"";
}

void Measure(MEASUREITEMSTRUCT* item) {
    HDC screen = GetDC(NULL);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(screen, Label(item->itemData), lstrlenW(Label(item->itemData)), &size);
    SelectObject(screen, old);
    ReleaseDC(NULL, screen);
    item->itemWidth = size.cx + 25 * scale;
    item->itemHeight = item->itemData == 0      ? 10 * scale
                       : item->itemData == 1001 ? size.cy + 4
                                                : 20 * scale;
}

void Draw(const DRAWITEMSTRUCT* item) {
    RECT column = item->rcItem, text = item->rcItem;
    column.right = text.left = item->rcItem.left + 24 * scale - 4;
    bool selected = item->itemState & ODS_SELECTED;
    SetBkColor(item->hDC, selected ? RGB(0, 0, 175) : RGB(200, 200, 200));
    ExtTextOutW(item->hDC, 0, 0, ETO_OPAQUE, &column, L"", 0, NULL);
    SetBkColor(item->hDC, selected ? RGB(0, 0, 175) : RGB(255, 255, 255));
    SetTextColor(item->hDC, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
    ExtTextOutW(item->hDC, 0, 0, ETO_OPAQUE, &text, L"", 0, NULL);
    HGDIOBJ old = SelectObject(item->hDC, font);
    text.left += 4;
    DrawTextW(item->hDC, Label(item->itemData), -1, &text, DT_SINGLELINE | DT_VCENTER);
    SelectObject(item->hDC, old);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case TRAY_MESSAGE:
        if (lParam == WM_LBUTTONUP) {
            POINT at = {screenWidth - 10, screenHeight - 25 * scale};
            SetForegroundWindow(hwnd);
            TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_BOTTOMALIGN, at.x, at.y, hwnd, NULL);
        }
        return 0;
    case WM_MEASUREITEM: Measure((MEASUREITEMSTRUCT*)lParam); return 1;
    case WM_DRAWITEM: Draw((DRAWITEMSTRUCT*)lParam); return 1;
    case WM_DESTROY: {
        NOTIFYICONDATAW icon = {};
        icon.cbSize = sizeof(icon);
        icon.hWnd = hwnd;
        icon.uID = 1;
        Shell_NotifyIconW(NIM_DELETE, &icon);
        PostQuitMessage(0);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    HDC screen = GetDC(NULL);
    screenWidth = GetDeviceCaps(screen, HORZRES);
    screenHeight = GetDeviceCaps(screen, VERTRES);
    if (screenWidth == 640 || screenHeight == 640) scale = 2;
    LOGFONTW description;
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(description), &description);
    description.lfHeight = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    description.lfWidth = 0;
    description.lfWeight = FW_BOLD;
    font = CreateFontIndirectW(&description);
    ReleaseDC(NULL, screen);

    WNDCLASSW windowClass = {0, WindowProc, 0, 0, instance, NULL, NULL, NULL, NULL, L"MinimalMenu"};
    RegisterClassW(&windowClass);
    window =
        CreateWindowW(L"MinimalMenu", L"MinimalMenu", 0, 0, 0, 10, 10, NULL, NULL, instance, NULL);
    menu = CreatePopupMenu();
    for (int data : ITEMS)
        AppendMenuW(menu, MF_OWNERDRAW | (data ? 0 : MF_SEPARATOR), data, (LPCWSTR)(ULONG_PTR)data);
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_MESSAGE;
    icon.uCallbackMessage = TRAY_MESSAGE;
    icon.hIcon = LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION);
    Shell_NotifyIconW(NIM_ADD, &icon);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
