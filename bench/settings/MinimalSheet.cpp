// The yardstick: the smallest program that does what Orvalet does when its
// settings window opens — a host dialog the size of the screen, a four-page
// sheet laid over it from the same templates, the Main page's 32-row check
// list and quick-action list filled, the bold page header and its line —
// started by a tap on its tray icon, and nothing else.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace {

const UINT TRAY_MESSAGE = WM_APP + 1;
const int HOST = 500, PAGES[4] = {502, 503, 505, 504};
const wchar_t* const TITLES[4] = {L"Main", L"Display", L"Color", L"About"};
const int ITEM_LIST = 1011, QUICK_ACTION = 1015, TAP_FOR_MENU = 1021, HEADER = 9;
const wchar_t* const LABELS[28] = {L"----------------------",
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

HINSTANCE instance;
HWND sheetHost;
HFONT headerFont;
int scale = 1;

void FillPage(HWND page) {
    HWND list = GetDlgItem(page, ITEM_LIST);
    RECT client;
    GetClientRect(list, &client);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = client.right;
    ListView_InsertColumn(list, 0, &column);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT |
                                                LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE |
                                                0x10000000);
    for (int row = 0; row < 32; row++) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = (LPWSTR)LABELS[row < 27 ? row + 1 : 0];
        ListView_InsertItem(list, &item);
        if (row < 14)
            ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    }
    ListView_SetSelectionMark(list, 0);
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    HWND quick = GetDlgItem(page, QUICK_ACTION);
    for (int command = 1; command < 28; command++)
        SendMessageW(quick, CB_ADDSTRING, 0, (LPARAM)LABELS[command]);
    SendMessageW(quick, CB_SETCURSEL, 0, 0);
    CheckRadioButton(page, TAP_FOR_MENU, TAP_FOR_MENU + 1, TAP_FOR_MENU);
}

HBRUSH HeaderColors(HWND page, HDC dc, HWND control) {
    if (control != GetDlgItem(page, HEADER)) return NULL;
    if (!headerFont) {
        LOGFONTW description;
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(description), &description);
        lstrcpyW(description.lfFaceName, L"Tahoma");
        description.lfWeight = FW_BOLD;
        description.lfHeight = -(GetDeviceCaps(dc, LOGPIXELSY) * 33 / 4 / 72);
        description.lfWidth = 0;
        headerFont = CreateFontIndirectW(&description);
    }
    // The desktop's label selects its own font after this answer: it is given the font.
    if ((HFONT)SendMessageW(control, WM_GETFONT, 0, 0) != headerFont) {
        SendMessageW(control, WM_SETFONT, (WPARAM)headerFont, FALSE);
        InvalidateRect(control, NULL, TRUE);
    }
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    SelectObject(dc, headerFont);
    return GetSysColorBrush(COLOR_WINDOW);
}

void PaintHeaderLine(HWND page) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(page, &paint);
    RECT client;
    GetClientRect(page, &client);
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, 23 * scale, NULL);
    LineTo(dc, client.right, 23 * scale);
    SelectObject(dc, old);
    EndPaint(page, &paint);
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (GetDlgItem(page, ITEM_LIST)) FillPage(page);
        return FALSE;
    case WM_CTLCOLORSTATIC: return (INT_PTR)HeaderColors(page, (HDC)wParam, (HWND)lParam);
    case WM_PAINT: PaintHeaderLine(page); return TRUE;
    }
    return FALSE;
}

// The sheet laid over the host without a frame, its tabs filling it, its OK
// at the top right (the same steps as Orvalet's sheet on the desktop).
int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED) return 0;
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
    RECT first = {0, 0, 0, 0};
    TabCtrl_GetItemRect(tab, 0, &first);
    int height = first.bottom - first.top;
    SetWindowPos(ok, HWND_TOP, client.right - height * 3 / 2 - 1, 1, height * 3 / 2, height - 1, 0);
    pages = client;
    TabCtrl_AdjustRect(tab, FALSE, &pages);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    if (page)
        SetWindowPos(page, NULL, pages.left, pages.top, pages.right - pages.left,
                     pages.bottom - pages.top, SWP_NOZORDER);
    return 0;
}

INT_PTR CALLBACK HostProc(HWND host, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    sheetHost = host;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(host, NULL, work.left, work.top, work.right - work.left, work.bottom - work.top,
                 SWP_NOZORDER);
    PROPSHEETPAGEW pages[4] = {};
    for (int i = 0; i < 4; i++) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].dwFlags = PSP_USETITLE;
        pages[i].hInstance = instance;
        pages[i].pszTemplate = MAKEINTRESOURCEW(PAGES[i]);
        pages[i].pszTitle = TITLES[i];
        pages[i].pfnDlgProc = PageProc;
    }
    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    sheet.hwndParent = host;
    sheet.hInstance = instance;
    sheet.nPages = 4;
    sheet.ppsp = pages;
    sheet.pfnCallback = SheetCallback;
    EndDialog(host, PropertySheetW(&sheet));
    return TRUE;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case TRAY_MESSAGE:
        if (lParam == WM_LBUTTONUP && !sheetHost) {
            DialogBoxW(instance, MAKEINTRESOURCEW(HOST), NULL, HostProc);
            sheetHost = NULL;
            if (headerFont) DeleteObject(headerFont);
            headerFont = NULL;
        }
        return 0;
    case WM_DESTROY: {
        NOTIFYICONDATAW icon = {};
        icon.cbSize = sizeof(icon);
        icon.hWnd = window;
        icon.uID = 1;
        Shell_NotifyIconW(NIM_DELETE, &icon);
        PostQuitMessage(0);
        return 0;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE program, HINSTANCE, LPWSTR, int) {
    instance = program;
    if (GetSystemMetrics(SM_CXSCREEN) >= 480 || GetSystemMetrics(SM_CYSCREEN) >= 480) scale = 2;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass = {0,    WindowProc, 0,    0,    instance,
                             NULL, NULL,       NULL, NULL, L"MinimalSheet"};
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"MinimalSheet", L"MinimalSheet", 0, 0, 0, 10, 10, NULL, NULL,
                                instance, NULL);
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
