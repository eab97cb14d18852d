// The four pages of the settings sheet and what they share. Only the sheet
// (SettingsDialog.cpp) runs them.
#pragma once

#include "PageHeader.h"
#include "Settings.h"
#include "platform.h"
#include "resource.h"

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DisplayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// A control's label and its text id.
struct PageLabel {
    int control;
    int text;
};

// Relabels the labels of the page's settings and the page's other labels
// through the language table.
void RelabelPage(HWND page, SettingsPage which, const PageLabel* others, int otherCount);

// A picture control keeps the bitmap it loaded from its template when it
// goes: the page takes the pictures back and deletes them.
void ReleasePictures(HWND page);

// A text of the language table ("" without one).
const WCHAR* PageText(int id);

// CE has no CheckDlgButton or IsDlgButtonChecked: the button is asked itself.
inline bool IsChecked(HWND page, int id) {
    return SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void SetChecked(HWND page, int id, bool checked) {
    SendDlgItemMessageW(page, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// A plain click: the whole WM_COMMAND parameter is the control id.
inline bool IsClick(WPARAM wParam, int id) {
    return wParam == (WPARAM)id;
}

// True for the sheet's apply notification.
inline bool IsApply(LPARAM lParam) {
    return ((NMHDR*)lParam)->code == (UINT)PSN_APPLY;
}

// The selected entry of a drop-down list, -1 for none.
inline int ListSelection(HWND page, int id) {
    return (int)SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0);
}
