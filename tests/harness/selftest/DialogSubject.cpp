// A program with one dialog of each kind the dialog driver reads, for the
// driver's own test: "messagebox", "controls" or "sheet" on its command line.
#include <windows.h>
#include <commctrl.h>

#include "DialogSubject.h"

namespace {

void FillControls(HWND dialog) {
    const wchar_t* const listItems[] = {L"one", L"two", L"three"};
    for (const wchar_t* item : listItems)
        SendDlgItemMessageW(dialog, IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);
    SendDlgItemMessageW(dialog, IDC_LIST, LB_SETCURSEL, 1, 0);
    SendDlgItemMessageW(dialog, IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)L"red");
    SendDlgItemMessageW(dialog, IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)L"green");
    SendDlgItemMessageW(dialog, IDC_COMBO, CB_SETCURSEL, 1, 0);
    CheckDlgButton(dialog, IDC_CHECK, BST_CHECKED);

    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 150,
                                220, 60, dialog, (HMENU)IDC_LISTVIEW, NULL, NULL);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = (LPWSTR)L"Name";
    ListView_InsertColumn(list, 0, &column);
    column.pszText = (LPWSTR)L"Value";
    ListView_InsertColumn(list, 1, &column);
    const wchar_t* const rows[2][2] = {{L"alpha", L"1"}, {L"beta", L"2"}};
    for (int i = 0; i < 2; i++) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = (LPWSTR)rows[i][0];
        ListView_InsertItem(list, &item);
        ListView_SetItemText(list, i, 1, (LPWSTR)rows[i][1]);
    }
    ListView_SetCheckState(list, 1, TRUE);
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
}

INT_PTR CALLBACK ControlsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: FillControls(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            EndDialog(dialog, CONTROLS_CLOSED + IsDlgButtonChecked(dialog, IDC_CHECK));
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

int ShowSheet(HINSTANCE instance) {
    PROPSHEETPAGEW pages[2] = {};
    const int templates[2] = {IDD_PAGE_FIRST, IDD_PAGE_SECOND};
    HPROPSHEETPAGE handles[2];
    for (int i = 0; i < 2; i++) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].hInstance = instance;
        pages[i].pszTemplate = MAKEINTRESOURCEW(templates[i]);
        pages[i].pfnDlgProc = PageProc;
        handles[i] = CreatePropertySheetPageW(&pages[i]);
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.hInstance = instance;
    header.pszCaption = L"Sheet";
    header.nPages = 2;
    header.phpage = handles;
    HWND sheet = (HWND)PropertySheetW(&header);
    // Modeless, so that the page shown when it closes can be told.
    int shown = 0;
    MSG message;
    for (;;) {
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        if (!page) break;
        shown = PropSheet_HwndToIndex(sheet, page);
        if (GetMessageW(&message, NULL, 0, 0) <= 0) break;
        if (PropSheet_IsDialogMessage(sheet, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyWindow(sheet);
    return SHEET_CLOSED + shown;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!lstrcmpW(commandLine, L"messagebox"))
        return MessageBoxW(NULL, L"Erase everything?", L"Subject", MB_YESNO | MB_ICONQUESTION);
    if (!lstrcmpW(commandLine, L"controls"))
        return (int)DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CONTROLS), NULL, ControlsProc,
                                    0);
    if (!lstrcmpW(commandLine, L"sheet")) return ShowSheet(instance);
    return 2;
}
