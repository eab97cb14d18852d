// The file dialogs of the emulated device. The device's open and save dialogs
// fill its small screen; the desktop's are laid out for a desktop, wider than
// 240 pixels, with their name box and buttons off the screen. The platform
// header sends the product's calls here: the desktop's own dialog, laid out
// again in one column over the screen above the tray once it is made.
#include <windows.h>
#include <commdlg.h>
#include <commctrl.h>

#include <initializer_list>

#define CE_SERVICE __declspec(dllexport)
#include "CeServices.h"
#include "DeviceLog.h"
#include "PocketScreen.h"

namespace {

// The desktop dialog's controls (dlgs.h), and its folder toolbar, which has
// no id of its own.
const int LOOK_IN_LABEL = 0x443, LOOK_IN = 0x471;
// The shell's view (SHELLDLL_DefView), which follows its placeholder list.
const int VIEW = 0x461, VIEW_PLACE = 0x460;
const int NAME_LABEL = 0x442, NAME = 0x47c, TYPE_LABEL = 0x441, TYPE = 0x470;
const int READ_ONLY = 0x410, HELP = 0x40e, PLACES = 0x4a0;
// Sizes at 96 pixels per inch; a VGA device's are twice as large. A combo
// box's height counts its drop-down list.
struct Sizes {
    int gap, label, row, button, list;
};

Sizes SizesFor(HWND dialog) {
    HDC dc = GetDC(dialog);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(dialog, dc);
    Sizes sizes = {4, 76, 22, 24, 160};
    for (int* size : {&sizes.gap, &sizes.label, &sizes.row, &sizes.button, &sizes.list})
        *size = MulDiv(*size, dpi, 96);
    return sizes;
}

void Place(HWND control, int x, int y, int width, int height) {
    if (control) SetWindowPos(control, NULL, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The folder toolbar: the one that is not the places bar.
HWND FolderToolbar(HWND dialog) {
    HWND toolbar = FindWindowExW(dialog, NULL, TOOLBARCLASSNAMEW, NULL);
    if (toolbar && GetDlgCtrlID(toolbar) == PLACES)
        toolbar = FindWindowExW(dialog, toolbar, TOOLBARCLASSNAMEW, NULL);
    return toolbar;
}

// The folder list and its toolbar at the top, the view under them, then the
// name and type rows with their labels, then the two buttons side by side.
void LayOut(HWND dialog) {
    Sizes s = SizesFor(dialog);
    RECT area = AboveTray();
    SetWindowPos(dialog, NULL, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(dialog, &client);
    for (int id : {LOOK_IN_LABEL, READ_ONLY, HELP, PLACES})
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);

    int width = client.right - 2 * s.gap, y = s.gap;
    Place(GetDlgItem(dialog, LOOK_IN), s.gap, y, width, s.list);
    y += s.row + s.gap;
    if (HWND toolbar = FolderToolbar(dialog)) {
        RECT bar;
        GetWindowRect(toolbar, &bar);
        Place(toolbar, s.gap, y, bar.right - bar.left, bar.bottom - bar.top);
        y += bar.bottom - bar.top + s.gap;
    }

    int buttons = client.bottom - s.gap - s.button, type = buttons - s.gap - s.row,
        name = type - s.gap - s.row, field = width - s.label, labelDrop = s.row / 7;
    for (int id : {VIEW_PLACE, VIEW})
        Place(GetDlgItem(dialog, id), s.gap, y, width, name - s.gap - y);
    Place(GetDlgItem(dialog, NAME_LABEL), s.gap, name + labelDrop, s.label, s.row - labelDrop);
    Place(GetDlgItem(dialog, NAME), s.gap + s.label, name, field, s.list);
    Place(GetDlgItem(dialog, TYPE_LABEL), s.gap, type + labelDrop, s.label, s.row - labelDrop);
    Place(GetDlgItem(dialog, TYPE), s.gap + s.label, type, field, s.list);
    int half = (width - s.gap) / 2;
    Place(GetDlgItem(dialog, IDOK), s.gap, buttons, half, s.button);
    Place(GetDlgItem(dialog, IDCANCEL), 2 * s.gap + half, buttons, half, s.button);
    InvalidateRect(dialog, NULL, TRUE);
}

UINT_PTR CALLBACK LayOutHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == CDN_INITDONE) LayOut(GetParent(child));
    return 0;
}

BOOL RunFileDialog(OPENFILENAMEW* record, BOOL(WINAPI* dialog)(OPENFILENAMEW*),
                   const wchar_t* kind) {
    bool hooked = record && (record->Flags & OFN_EXPLORER) && !(record->Flags & OFN_ENABLEHOOK);
    if (hooked) {
        record->Flags |= OFN_ENABLEHOOK;
        record->lpfnHook = LayOutHook;
    }
    BOOL chosen = dialog(record);
    if (hooked) {
        record->Flags &= ~OFN_ENABLEHOOK;
        record->lpfnHook = NULL;
    }
    DeviceLog(L"commdlg", L"%ls: %ls", kind, chosen ? record->lpstrFile : L"cancelled");
    return chosen;
}

} // namespace

BOOL WINAPI DeviceGetOpenFileName(OPENFILENAMEW* record) {
    return RunFileDialog(record, GetOpenFileNameW, L"open");
}

BOOL WINAPI DeviceGetSaveFileName(OPENFILENAMEW* record) {
    return RunFileDialog(record, GetSaveFileNameW, L"save");
}
