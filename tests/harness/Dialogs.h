// Driving the dialogs and message boxes of a program of the device from
// outside. They are found by the program's process, never by title: titles
// are translated. Everything is asked through messages with a time-out, so a
// hung or vanished dialog fails the test instead of stopping it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace device {

// The top-level dialog windows (class "#32770") of the process; only the
// visible ones unless all.
std::vector<HWND> Dialogs(DWORD processId, bool all = false);
// Waits for a visible dialog of the process (the first one found); NULL when
// none came within timeoutMs.
HWND WaitDialog(DWORD processId, DWORD timeoutMs = 10000);
// Waits until the window is gone.
bool WaitGone(HWND window, DWORD timeoutMs = 10000);

// The file dialogs: the file-name box (the edit inside the dialog's name
// combo box), and a visible file dialog of the process (NULL when none came).
HWND FileNameBox(HWND dialog);
HWND WaitFileDialog(DWORD processId, DWORD timeoutMs = 10000);
// The window with the keyboard focus in the thread of window's, or NULL.
HWND FocusOf(HWND window);

// Controls by id. A missing control reads as empty, unchecked, -1 or false.
std::wstring ControlText(HWND dialog, int id);
RECT ControlRect(HWND dialog, int id); // screen coordinates
int CheckState(HWND dialog, int id);   // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
bool ControlEnabled(HWND dialog, int id);
bool ControlVisible(HWND dialog, int id);

// The items of a list box or combo box, and the selected index (-1: none).
std::vector<std::wstring> ListBoxItems(HWND dialog, int id);
int ListBoxSelection(HWND dialog, int id);
std::vector<std::wstring> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);

// A list view's items: the text of each column asked for, and their state.
struct ListViewItem {
    std::vector<std::wstring> columns;
    bool selected;
    bool checked; // the check-box state image
};
std::vector<ListViewItem> ListViewItems(HWND dialog, int id, int columns = 1);

// Property sheets: the shown page (a child dialog of the sheet), its index,
// and switching to the page at index as a tap on its tab would.
HWND CurrentPage(HWND sheet);
int CurrentPageIndex(HWND sheet);
bool SelectPage(HWND sheet, int index);
// Waits for the settings window's sheet: the process's dialog that shows a
// page; NULL when none came.
HWND WaitSettingsSheet(DWORD processId, DWORD timeoutMs = 10000);
// The titles of the sheet's tabs, in their order.
std::vector<std::wstring> TabTitles(HWND sheet);

// Presses a button: BM_CLICK posted to the control, which sends the dialog
// its notification as a tap would (the check box toggles, the radio button
// is chosen). SendCommand posts the dialog WM_COMMAND for the id alone.
bool PressButton(HWND dialog, int id);
bool SendCommand(HWND dialog, int id);

// A message box: its caption, its text and its buttons in their order.
struct MessageBoxButton {
    int id; // IDOK, IDCANCEL, IDYES, IDNO ...
    std::wstring text;
};
struct MessageBoxContent {
    std::wstring caption;
    std::wstring text;
    std::vector<MessageBoxButton> buttons;
};
// True when window is a message box (a dialog with the message text control).
bool IsMessageBox(HWND window);
bool ReadMessageBox(HWND box, MessageBoxContent* content);
// Waits for a message box of the process; NULL when none came.
HWND WaitMessageBox(DWORD processId, DWORD timeoutMs = 10000);
// Waits for a message box of the process, reads it and presses button; false
// when none came or it could not be read or pressed.
bool AnswerMessageBox(DWORD processId, int button, MessageBoxContent* content);
// The ids of the box's buttons, in their order.
std::vector<int> ButtonIds(const MessageBoxContent& content);

// "caption: text [buttons]" for failure messages.
std::string Describe(const MessageBoxContent& content);
// A window text as UTF-8, for failure messages.
std::string Utf8(const std::wstring& text);

} // namespace device
