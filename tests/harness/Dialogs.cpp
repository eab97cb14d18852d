#include "Dialogs.h"
#include "Device.h"

#include <commctrl.h>

#include <algorithm>

namespace device {
namespace {

const UINT ANSWER_TIMEOUT_MS = 5000;
// The static control that holds a message box's text.
const int MESSAGE_TEXT_ID = 0xFFFF;

// A message to a window of another process; 0 when it did not answer.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!window || !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                        ANSWER_TIMEOUT_MS, &result))
        return 0;
    return (LRESULT)result;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// The platform copies the texts of these messages across processes.
std::wstring WindowText(HWND window) {
    LRESULT length = Ask(window, WM_GETTEXTLENGTH);
    std::vector<wchar_t> text(length + 1, 0);
    Ask(window, WM_GETTEXT, text.size(), (LPARAM)text.data());
    return text.data();
}

std::vector<std::wstring> ListTexts(HWND list, UINT count, UINT length, UINT get) {
    std::vector<std::wstring> items;
    LRESULT n = list ? Ask(list, count) : 0;
    for (LRESULT i = 0; i < n; i++) {
        LRESULT size = Ask(list, length, i);
        std::vector<wchar_t> text(size > 0 ? size + 1 : 1, 0);
        if (size > 0) Ask(list, get, i, (LPARAM)text.data());
        items.push_back(text.data());
    }
    return items;
}

// Memory in the process of a window, for the control messages whose records
// the platform does not copy across processes.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, size_t size) : size(size) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (process) address = VirtualAllocEx(process, NULL, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address) VirtualFreeEx(process, address, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Ok() const { return address != NULL; }
    char* At(size_t offset) const { return (char*)address + offset; }
    bool Write(size_t offset, const void* data, size_t bytes) const {
        SIZE_T done = 0;
        return offset + bytes <= size &&
               WriteProcessMemory(process, At(offset), data, bytes, &done) && done == bytes;
    }
    bool Read(size_t offset, void* data, size_t bytes) const {
        SIZE_T done = 0;
        return offset + bytes <= size &&
               ReadProcessMemory(process, At(offset), data, bytes, &done) && done == bytes;
    }

  private:
    HANDLE process = NULL;
    void* address = NULL;
    size_t size;
};

} // namespace

std::vector<HWND> Dialogs(DWORD processId, bool all) {
    struct Search {
        DWORD processId;
        bool all;
        std::vector<HWND> found;
    } search = {processId, all, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            Search* search = (Search*)parameter;
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->processId && ClassName(window) == L"#32770" &&
                (search->all || IsWindowVisible(window)))
                search->found.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

HWND WaitDialog(DWORD processId, DWORD timeoutMs) {
    HWND dialog = NULL;
    WaitFor(
        [&] {
            std::vector<HWND> shown = Dialogs(processId);
            dialog = shown.empty() ? NULL : shown[0];
            return dialog != NULL;
        },
        timeoutMs);
    return dialog;
}

HWND FileNameBox(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 1148); // cmb13
    return combo ? FindWindowExW(FindWindowExW(combo, NULL, L"ComboBox", NULL), NULL, L"Edit", NULL)
                 : NULL;
}

namespace {

// Waits for a visible dialog of the process that has a window found by part;
// the last one found, or NULL.
HWND WaitDialogWith(DWORD processId, HWND (*part)(HWND), DWORD timeoutMs) {
    HWND dialog = NULL;
    WaitFor(
        [&] {
            for (HWND found : Dialogs(processId))
                if (part(found)) dialog = found;
            return dialog != NULL;
        },
        timeoutMs);
    return dialog;
}

} // namespace

HWND WaitFileDialog(DWORD processId, DWORD timeoutMs) {
    return WaitDialogWith(processId, FileNameBox, timeoutMs);
}

HWND WaitSettingsSheet(DWORD processId, DWORD timeoutMs) {
    return WaitDialogWith(processId, CurrentPage, timeoutMs);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info) ? info.hwndFocus : NULL;
}

bool WaitGone(HWND window, DWORD timeoutMs) {
    return WaitFor([window] { return !IsWindow(window); }, timeoutMs);
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : std::wstring();
}

RECT ControlRect(HWND dialog, int id) {
    RECT rect = {};
    HWND control = GetDlgItem(dialog, id);
    if (control) GetWindowRect(control, &rect);
    return rect;
}

int CheckState(HWND dialog, int id) {
    return (int)Ask(GetDlgItem(dialog, id), BM_GETCHECK);
}

bool ControlEnabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowEnabled(control);
}

bool ControlVisible(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowVisible(control);
}

std::vector<std::wstring> ListBoxItems(HWND dialog, int id) {
    return ListTexts(GetDlgItem(dialog, id), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int ListBoxSelection(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    return list ? (int)Ask(list, LB_GETCURSEL) : -1;
}

std::vector<std::wstring> ComboItems(HWND dialog, int id) {
    return ListTexts(GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int ComboSelection(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    return combo ? (int)Ask(combo, CB_GETCURSEL) : -1;
}

std::vector<ListViewItem> ListViewItems(HWND dialog, int id, int columns) {
    std::vector<ListViewItem> items;
    HWND list = GetDlgItem(dialog, id);
    if (!list) return items;
    const int TEXT_UNITS = 256;
    RemoteBuffer remote(list, sizeof(LVITEMW) + TEXT_UNITS * sizeof(wchar_t));
    if (!remote.Ok()) return items;
    LRESULT count = Ask(list, LVM_GETITEMCOUNT);
    for (LRESULT i = 0; i < count; i++) {
        ListViewItem item;
        UINT state = (UINT)Ask(list, LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_STATEIMAGEMASK);
        item.selected = (state & LVIS_SELECTED) != 0;
        item.checked = (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        for (int column = 0; column < columns; column++) {
            LVITEMW request = {};
            request.iSubItem = column;
            request.pszText = (LPWSTR)remote.At(sizeof(LVITEMW));
            request.cchTextMax = TEXT_UNITS;
            wchar_t text[TEXT_UNITS] = L"";
            if (remote.Write(0, &request, sizeof(request)) &&
                remote.Write(sizeof(LVITEMW), text, 2))
                if (Ask(list, LVM_GETITEMTEXTW, i, (LPARAM)remote.At(0)) >= 0)
                    remote.Read(sizeof(LVITEMW), text, sizeof(text));
            text[TEXT_UNITS - 1] = 0;
            item.columns.push_back(text);
        }
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> TabTitles(HWND sheet) {
    std::vector<std::wstring> titles;
    HWND tab = (HWND)Ask(sheet, PSM_GETTABCONTROL);
    const int TEXT_UNITS = 64;
    RemoteBuffer remote(tab, sizeof(TCITEMW) + TEXT_UNITS * sizeof(wchar_t));
    if (!tab || !remote.Ok()) return titles;
    LRESULT count = Ask(tab, TCM_GETITEMCOUNT);
    for (LRESULT i = 0; i < count; i++) {
        TCITEMW request = {};
        request.mask = TCIF_TEXT;
        request.pszText = (LPWSTR)remote.At(sizeof(TCITEMW));
        request.cchTextMax = TEXT_UNITS;
        wchar_t text[TEXT_UNITS] = L"";
        if (remote.Write(0, &request, sizeof(request)) &&
            Ask(tab, TCM_GETITEMW, i, (LPARAM)remote.At(0)))
            remote.Read(sizeof(TCITEMW), text, sizeof(text));
        text[TEXT_UNITS - 1] = 0;
        titles.push_back(text);
    }
    return titles;
}

HWND CurrentPage(HWND sheet) {
    return (HWND)Ask(sheet, PSM_GETCURRENTPAGEHWND);
}

int CurrentPageIndex(HWND sheet) {
    HWND page = CurrentPage(sheet);
    return page ? (int)Ask(sheet, PSM_HWNDTOINDEX, (WPARAM)page) : -1;
}

bool SelectPage(HWND sheet, int index) {
    return Ask(sheet, PSM_SETCURSEL, index, 0) != 0 && CurrentPageIndex(sheet) == index;
}

bool PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    // A disabled or hidden button is one a user cannot press either.
    if (!button || !IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
    return PostMessageW(button, BM_CLICK, 0, 0) != 0;
}

bool SendCommand(HWND dialog, int id) {
    return IsWindow(dialog) && PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                            (LPARAM)GetDlgItem(dialog, id)) != 0;
}

bool IsMessageBox(HWND window) {
    HWND text = GetDlgItem(window, MESSAGE_TEXT_ID);
    return ClassName(window) == L"#32770" && text && ClassName(text) == L"Static";
}

bool ReadMessageBox(HWND box, MessageBoxContent* content) {
    if (!IsMessageBox(box)) return false;
    content->caption = WindowText(box);
    content->text = ControlText(box, MESSAGE_TEXT_ID);
    content->buttons.clear();
    std::vector<std::pair<LONG, MessageBoxButton>> found;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != L"Button" || !IsWindowVisible(child)) continue;
        RECT rect;
        GetWindowRect(child, &rect);
        found.push_back({rect.left, {GetDlgCtrlID(child), WindowText(child)}});
    }
    // Left to right, as the user sees them.
    std::stable_sort(found.begin(), found.end(),
                     [](const std::pair<LONG, MessageBoxButton>& a,
                        const std::pair<LONG, MessageBoxButton>& b) { return a.first < b.first; });
    for (const auto& button : found)
        content->buttons.push_back(button.second);
    return true;
}

HWND WaitMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = NULL;
    WaitFor(
        [&] {
            for (HWND dialog : Dialogs(processId))
                if (IsMessageBox(dialog)) {
                    box = dialog;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return box;
}

std::string Utf8(const std::wstring& text) {
    int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string utf8(bytes, 0);
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &utf8[0], bytes, NULL, NULL);
    return utf8;
}

std::string Describe(const MessageBoxContent& content) {
    std::string text = Utf8(content.caption) + ": " + Utf8(content.text) + " [";
    for (size_t i = 0; i < content.buttons.size(); i++)
        text += (i ? ", " : "") + std::to_string(content.buttons[i].id) + " " +
                Utf8(content.buttons[i].text);
    return text + "]";
}

bool AnswerMessageBox(DWORD processId, int button, MessageBoxContent* content) {
    *content = MessageBoxContent();
    HWND box = WaitMessageBox(processId);
    return box && ReadMessageBox(box, content) && PressButton(box, button);
}

std::vector<int> ButtonIds(const MessageBoxContent& content) {
    std::vector<int> ids;
    for (const MessageBoxButton& button : content.buttons)
        ids.push_back(button.id);
    return ids;
}

} // namespace device
