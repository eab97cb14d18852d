// The Main page: the item list and its order, the quick action and its
// gesture, start with the system, "Execute >" and "Exit Orvalet".
#include "Commands.h"
#include "Menu.h"
#include "SettingsDialog.h"
#include "SettingsSheet.h"

namespace {

// The Pocket PC's list-view flag for no horizontal scroll bar.
const DWORD LVS_EX_NOHSCROLL = 0x10000000;
const DWORD ITEM_LIST_STYLE = LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT | LVS_EX_FULLROWSELECT |
                              LVS_EX_ONECLICKACTIVATE | LVS_EX_NOHSCROLL;
// State images of a check-box list: 1 unchecked, 2 checked.
const UINT UNCHECKED = 1, CHECKED = 2;

const PageLabel LABELS[] = {
    {IDC_PAGE_HEADER, TEXT_MAIN_HEADER},
    {IDC_HOLD_FOR_MENU, TEXT_HOLD_FOR_MENU},
    {IDC_EXECUTE, TEXT_EXECUTE},
    {IDC_START_WITH_SYSTEM, TEXT_START_WITH_SYSTEM},
    {IDC_EXIT, TEXT_EXIT},
};

HFONT arrowFont; // the move buttons' arrows, while the page lives on a wide screen

UINT StateImage(HWND list, int row) {
    return (UINT)(ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) >> 12);
}

void InsertItemRow(HWND list, int row, int command, bool checked) {
    LVITEMW item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = (LPWSTR)PageText(command); // a separator's label is text 0
    ListView_InsertItem(list, &item);
    if (checked)
        ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(CHECKED), LVIS_STATEIMAGEMASK);
}

void MarkRow(HWND list, int row) {
    ListView_SetSelectionMark(list, row);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void FillItemList(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    LVCOLUMNW column;
    ZeroMemory(&column, sizeof(column));
    column.mask = LVCF_WIDTH;
    column.cx = client.right;
    ListView_InsertColumn(list, 0, &column);
    ListView_SetExtendedListViewStyle(list, ITEM_LIST_STYLE);
    for (int i = 0; i < MENU_ITEM_COUNT; i++)
        InsertItemRow(list, i, settings.menuItems[i].command, settings.menuItems[i].shown != 0);
    FitListColumn(list);
    MarkRow(list, 0);
}

void ReadItemChecks(HWND list) {
    for (int i = 0; i < MENU_ITEM_COUNT; i++)
        settings.menuItems[i].shown = StateImage(list, i) == UNCHECKED ? 0 : 1;
}

// The marked row changes places with its neighbour at step (-1 up, +1 down).
// Only the commands move: the shown flags follow the check marks, which are
// read back when the page applies.
void MoveItem(HWND list, int step) {
    int from = ListView_GetSelectionMark(list);
    int to = from + step;
    if (from < 0 || from >= MENU_ITEM_COUNT || to < 0 || to >= MENU_ITEM_COUNT) return;
    int32_t moved = settings.menuItems[from].command;
    settings.menuItems[from].command = settings.menuItems[to].command;
    settings.menuItems[to].command = moved;
    bool checked = StateImage(list, from) != UNCHECKED;
    ListView_DeleteItem(list, from);
    InsertItemRow(list, to, moved, checked);
    MarkRow(list, to);
    ListView_EnsureVisible(list, to, FALSE);
}

void MoveItemUp(HWND list) {
    MoveItem(list, -1);
}

void MoveItemDown(HWND list) {
    MoveItem(list, +1);
}

void FillQuickActionList(HWND list) {
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (int command = 1; command <= COMMAND_COUNT; command++)
        SendMessageW(list, CB_ADDSTRING, 0, (LPARAM)PageText(command));
    int quick = settings.quickAction;
    SendMessageW(list, CB_SETCURSEL, quick >= 1 && quick <= COMMAND_COUNT ? quick - 1 : -1, 0);
}

void ReadQuickAction(HWND list) {
    settings.quickAction = (int32_t)SendMessageW(list, CB_GETCURSEL, 0, 0) + 1;
}

// On a screen at least as wide as high the scroll bar gives way to two
// buttons with arrows of the "Bookdings" face ("5" up, "6" down).
void UseMoveButtons(HWND page) {
    HWND scroll = GetDlgItem(page, IDC_MOVE_SCROLL);
    ShowWindow(scroll, SW_HIDE);
    EnableWindow(scroll, FALSE);
    ShellDialogSetUp(page, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN);
    LOGFONTW font;
    if (!GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font))
        ZeroMemory(&font, sizeof(font));
    wcscpy(font.lfFaceName, L"Bookdings");
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = 4 - font.lfHeight;
    font.lfWidth = 0;
    if (arrowFont) DeleteObject(arrowFont);
    arrowFont = CreateFontIndirectW(&font);
    const int buttons[] = {IDC_MOVE_UP, IDC_MOVE_DOWN};
    for (int id : buttons) {
        HWND button = GetDlgItem(page, id);
        ShowWindow(button, SW_SHOW);
        EnableWindow(button, TRUE);
        if (arrowFont) SendMessageW(button, WM_SETFONT, (WPARAM)arrowFont, TRUE);
    }
}

void InitPage(HWND page) {
    RelabelPage(page, PAGE_MAIN, LABELS, sizeof(LABELS) / sizeof(LABELS[0]));
    FillItemList(GetDlgItem(page, IDC_ITEM_LIST));
    FillQuickActionList(GetDlgItem(page, IDC_QUICK_ACTION));
    SetChecked(page, IsTapForMenu() ? IDC_TAP_FOR_MENU : IDC_HOLD_FOR_MENU, true);
    SetChecked(page, IDC_START_WITH_SYSTEM, IsStartWithSystem());
    if (GetSystemMetrics(SM_CXSCREEN) >= GetSystemMetrics(SM_CYSCREEN)) UseMoveButtons(page);
}

void OnCommand(HWND page, WPARAM wParam) {
    HWND list = GetDlgItem(page, IDC_ITEM_LIST);
    if (IsClick(wParam, IDC_MOVE_UP)) {
        MoveItemUp(list);
    } else if (IsClick(wParam, IDC_MOVE_DOWN)) {
        MoveItemDown(list);
    } else if (IsClick(wParam, IDC_START_WITH_SYSTEM)) {
        SetStartWithSystem(IsChecked(page, IDC_START_WITH_SYSTEM));
    } else if (IsClick(wParam, IDC_EXIT)) {
        DestroyWindow(page);
        DispatchMenuCommand(CMD_EXIT, true);
    } else if (IsClick(wParam, IDC_EXECUTE)) {
        int mark = ListView_GetSelectionMark(list);
        if (mark >= 0 && mark < MENU_ITEM_COUNT)
            DispatchMenuCommand(settings.menuItems[mark].command, false);
    }
}

void Apply(HWND page) {
    ReadItemChecks(GetDlgItem(page, IDC_ITEM_LIST));
    ReadQuickAction(GetDlgItem(page, IDC_QUICK_ACTION));
    SetTapForMenu(IsChecked(page, IDC_TAP_FOR_MENU));
    SaveSettings();
    // The next popup is built anew from the new list and labels.
    if (cachedMenu) DestroyMenu(cachedMenu);
    cachedMenu = NULL;
}

} // namespace

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: InitPage(page); return FALSE;
    case WM_COMMAND: OnCommand(page, wParam); return FALSE;
    case WM_VSCROLL:
        if ((HWND)lParam != GetDlgItem(page, IDC_MOVE_SCROLL)) return FALSE;
        if (LOWORD(wParam) == SB_LINEUP) MoveItemUp(GetDlgItem(page, IDC_ITEM_LIST));
        if (LOWORD(wParam) == SB_LINEDOWN) MoveItemDown(GetDlgItem(page, IDC_ITEM_LIST));
        return TRUE;
    case WM_NOTIFY:
        if (IsApply(lParam)) Apply(page);
        return FALSE;
    case WM_PAINT: PaintPageHeader(page, false); return TRUE;
    case WM_CTLCOLORSTATIC: return (INT_PTR)HeaderLabelColors(page, (HDC)wParam, (HWND)lParam);
    case WM_NCDESTROY:
        // The buttons that used the arrows are gone by now.
        if (arrowFont) DeleteObject(arrowFont);
        arrowFont = NULL;
        return FALSE;
    }
    return FALSE;
}
