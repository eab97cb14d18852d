// The network address helper (command 26): the device's interfaces in the
// order of its interface table, the addresses of the chosen one, and release
// and renew of its DHCP lease, refreshed twice a second.
#include "MainWindow.h"
#include "PageHeader.h"
#include "SettingsDialog.h"
#include "SystemActions.h"
#include "resource.h"

#include <stddef.h>

namespace {

const UINT_PTR REFRESH_TIMER = 100;
const UINT REFRESH_PERIOD_MS = 500;

// A table or list that grew between the size query and the fetch is asked for
// again, a few times at most.
const int FETCH_ATTEMPTS = 3;

// A name of the table fills its field at most; the copy adds the terminator.
typedef WCHAR InterfaceName[MAX_ADAPTER_NAME + 1];

// An adapter list fetched for one record, released when it goes.
class AdapterList {
  public:
    AdapterList() : head(NULL), size(0) {}
    ~AdapterList() { Release(); }
    bool Fetch();
    const IP_ADAPTER_INFO* Find(ULONG index) const;
    void Release() {
        if (head) LocalFree(head);
        head = NULL;
        size = 0;
    }

  private:
    AdapterList(const AdapterList&);
    AdapterList& operator=(const AdapterList&);
    bool Holds(const IP_ADAPTER_INFO* record) const;

    IP_ADAPTER_INFO* head;
    ULONG size;
};

// The platform's interface table, one copy held between refreshes.
class InterfaceTable {
  public:
    InterfaceTable() : table(NULL), tableSize(0) {}
    virtual ~InterfaceTable() { Forget(); }

    bool Fetch(bool force);
    int Count();
    const IP_ADAPTER_INDEX_MAP* Entry(int i);
    bool Name(int i, InterfaceName name);
    bool Renew(int i);
    bool Release(int i);
    bool AdapterIndex(int i, ULONG* index);
    const IP_ADAPTER_INFO* AdapterRecord(int i, AdapterList* list);

  private:
    InterfaceTable(const InterfaceTable&);
    InterfaceTable& operator=(const InterfaceTable&);
    void Forget();

    IP_INTERFACE_INFO* table;
    ULONG tableSize;
};

const ULONG TABLE_HEADER_SIZE = offsetof(IP_INTERFACE_INFO, Adapter);

// The one table of the run, released when the program ends.
InterfaceTable interfaces;
// The dialog's empty menu bar and refresh timer while it is open.
HWND helperBar;
UINT_PTR refreshTimer;

void InterfaceTable::Forget() {
    if (table) LocalFree(table);
    table = NULL;
    tableSize = 0;
}

bool InterfaceTable::Fetch(bool force) {
    if (force) Forget();
    if (table) return true;
    for (int attempt = 0; attempt < FETCH_ATTEMPTS; attempt++) {
        ULONG size = 0;
        if (GetInterfaceInfo(NULL, &size) != ERROR_INSUFFICIENT_BUFFER) return false;
        // The count is written even into a table too small for it.
        if (size < TABLE_HEADER_SIZE) size = TABLE_HEADER_SIZE;
        IP_INTERFACE_INFO* copy = (IP_INTERFACE_INFO*)LocalAlloc(LMEM_FIXED, size);
        if (!copy) return false;
        ULONG fetched = size;
        DWORD answer = GetInterfaceInfo(copy, &fetched);
        if (answer == NO_ERROR) {
            table = copy;
            tableSize = size;
            return true;
        }
        LocalFree(copy);
        if (answer != ERROR_INSUFFICIENT_BUFFER) return false;
    }
    return false;
}

int InterfaceTable::Count() {
    if (!Fetch(false) || table->NumAdapters <= 0) return 0;
    // No more entries than the copy holds, whatever count it claims.
    ULONG fits = (tableSize - TABLE_HEADER_SIZE) / sizeof(IP_ADAPTER_INDEX_MAP);
    return (ULONG)table->NumAdapters < fits ? (int)table->NumAdapters : (int)fits;
}

const IP_ADAPTER_INDEX_MAP* InterfaceTable::Entry(int i) {
    if (i < 0 || i >= Count()) return NULL;
    return &table->Adapter[i];
}

bool InterfaceTable::Name(int i, InterfaceName name) {
    const IP_ADAPTER_INDEX_MAP* entry = Entry(i);
    if (!entry) return false;
    // A name may fill its field without a terminator.
    int length = 0;
    for (; length < MAX_ADAPTER_NAME && entry->Name[length]; length++)
        name[length] = entry->Name[length];
    name[length] = 0;
    return true;
}

// The platform gets a copy of the entry: the held table stays as fetched.
bool InterfaceTable::Renew(int i) {
    const IP_ADAPTER_INDEX_MAP* entry = Entry(i);
    if (!entry) return false;
    IP_ADAPTER_INDEX_MAP request = *entry;
    return IpRenewAddress(&request) == NO_ERROR;
}

bool InterfaceTable::Release(int i) {
    const IP_ADAPTER_INDEX_MAP* entry = Entry(i);
    if (!entry) return false;
    IP_ADAPTER_INDEX_MAP request = *entry;
    return IpReleaseAddress(&request) == NO_ERROR;
}

bool InterfaceTable::AdapterIndex(int i, ULONG* index) {
    InterfaceName name;
    if (!Name(i, name)) return false;
    return GetAdapterIndex(name, index) == NO_ERROR;
}

const IP_ADAPTER_INFO* InterfaceTable::AdapterRecord(int i, AdapterList* list) {
    ULONG index = 0;
    if (!AdapterIndex(i, &index) || !list->Fetch()) return NULL;
    return list->Find(index);
}

bool AdapterList::Fetch() {
    Release();
    for (int attempt = 0; attempt < FETCH_ATTEMPTS; attempt++) {
        ULONG needed = 0;
        GetAdaptersInfo(NULL, &needed);
        if (needed == 0) return false;
        if (needed < sizeof(IP_ADAPTER_INFO)) needed = sizeof(IP_ADAPTER_INFO);
        head = (IP_ADAPTER_INFO*)LocalAlloc(LMEM_FIXED, needed);
        if (!head) return false;
        size = needed;
        ULONG fetched = needed;
        DWORD answer = GetAdaptersInfo(head, &fetched);
        if (answer == NO_ERROR) return true;
        Release();
        if (answer != ERROR_BUFFER_OVERFLOW) return false;
    }
    return false;
}

bool AdapterList::Holds(const IP_ADAPTER_INFO* record) const {
    const BYTE* start = (const BYTE*)head;
    const BYTE* at = (const BYTE*)record;
    return at >= start && at <= start + size - sizeof(IP_ADAPTER_INFO);
}

// The records link to each other inside the list's buffer; a link that leads
// out of it ends the walk.
const IP_ADAPTER_INFO* AdapterList::Find(ULONG index) const {
    for (const IP_ADAPTER_INFO* record = head; record && Holds(record); record = record->Next)
        if (record->Index == index) return record;
    return NULL;
}

// ---- The dialog ------------------------------------------------------------

// The platform's dotted-decimal ASCII text, widened unit by unit; a field
// without an address shows "0.0.0.0", as the template has it.
void ShowAddress(HWND dialog, int id, const IP_ADDR_STRING* entry) {
    WCHAR text[sizeof(entry->IpAddress.String) + 1];
    int length = 0;
    if (entry)
        for (; length < (int)sizeof(entry->IpAddress.String) && entry->IpAddress.String[length];
             length++)
            text[length] = (WCHAR)(BYTE)entry->IpAddress.String[length];
    text[length] = 0;
    SetDlgItemTextW(dialog, id, entry ? text : L"0.0.0.0");
}

int ChosenPosition(HWND dialog) {
    return (int)SendDlgItemMessageW(dialog, IDC_IP_INTERFACES, CB_GETCURSEL, 0, 0);
}

void SendSelectionChange(HWND dialog) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_IP_INTERFACES, CBN_SELCHANGE),
                 (LPARAM)GetDlgItem(dialog, IDC_IP_INTERFACES));
}

void StartHelper(HWND dialog) {
    ShellDialogSetUp(dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN);
    helperBar = CreateSettingsMenuBar(dialog);
    SetFocus(dialog);
    SetForegroundWindow(dialog);
    SendMessageW(dialog, WM_COMMAND, IDC_IP_REFRESH, 0);
    refreshTimer = SetTimer(dialog, REFRESH_TIMER, REFRESH_PERIOD_MS, NULL);
}

// A fresh table, the list rebuilt in its order at the same position.
void Refresh(HWND dialog) {
    interfaces.Fetch(true);
    HWND list = GetDlgItem(dialog, IDC_IP_INTERFACES);
    int position = (int)SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (position == CB_ERR) position = 0;
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    InterfaceName name;
    for (int i = 0, count = interfaces.Count(); i < count && interfaces.Name(i, name); i++)
        SendMessageW(list, CB_ADDSTRING, 0, (LPARAM)name);
    SendMessageW(list, CB_SETCURSEL, position, 0);
    SendSelectionChange(dialog);
}

// The five fields from a fresh record of the chosen interface; without a
// record every field shows "0.0.0.0".
void ShowChosenAddresses(HWND dialog) {
    int position = ChosenPosition(dialog);
    if (position == CB_ERR) return;
    AdapterList list;
    const IP_ADAPTER_INFO* record = interfaces.AdapterRecord(position, &list);
    ShowAddress(dialog, IDC_IP_CURRENT_ADDRESS, record ? record->CurrentIpAddress : NULL);
    ShowAddress(dialog, IDC_IP_GATEWAY, record ? &record->GatewayList : NULL);
    ShowAddress(dialog, IDC_IP_DHCP_SERVER, record ? &record->DhcpServer : NULL);
    ShowAddress(dialog, IDC_IP_WINS_SERVER, record ? &record->PrimaryWinsServer : NULL);
    ShowAddress(dialog, IDC_IP_SECOND_WINS_SERVER, record ? &record->SecondaryWinsServer : NULL);
    list.Release();
}

// Release or renew of the chosen interface; nothing without a choice. The
// platform's answer is not shown: the fields show what it reports now.
void ChangeLease(HWND dialog, bool renew) {
    int position = ChosenPosition(dialog);
    if (position == CB_ERR) return;
    if (renew)
        interfaces.Renew(position);
    else
        interfaces.Release(position);
    SendSelectionChange(dialog);
}

bool OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_IP_REFRESH: Refresh(dialog); return true;
    case IDC_IP_INTERFACES:
        if (code == CBN_SELCHANGE) ShowChosenAddresses(dialog);
        return true;
    case IDC_IP_RENEW: ChangeLease(dialog, true); return true;
    case IDC_IP_RELEASE: ChangeLease(dialog, false); return true;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, 0); return true;
    }
    return false;
}

void OnTimer(HWND dialog, UINT_PTR timer) {
    if (timer == REFRESH_TIMER) SendMessageW(dialog, WM_COMMAND, IDC_IP_REFRESH, 0);
}

void StopHelper(HWND dialog) {
    if (helperBar) DestroyWindow(helperBar);
    helperBar = NULL;
    if (refreshTimer) KillTimer(dialog, REFRESH_TIMER);
    refreshTimer = 0;
}

INT_PTR CALLBACK IpHelperProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: StartHelper(dialog); return TRUE;
    case WM_TIMER: OnTimer(dialog, wParam); return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_PAINT: PaintPageHeader(dialog, false); return TRUE;
    case WM_CTLCOLORSTATIC: return (INT_PTR)HeaderLabelColors(dialog, (HDC)wParam, (HWND)lParam);
    case WM_DESTROY: StopHelper(dialog); return FALSE;
    }
    return FALSE;
}

} // namespace

void RunIpHelper() {
    RunDialog(appInstance, IDD_IP_HELPER, NULL, IpHelperProc);
}
