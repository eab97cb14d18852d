#include "MenuProbe.h"
#include "probe/MenuProbeShared.h"

#include <tlhelp32.h>

#include <sstream>

namespace device {
namespace {

// The probe library lies beside the running test program.
std::wstring ProbePath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"menuprobe.dll";
}

// Runs start(parameter) on a new thread of process; its exit code, or false.
bool RunRemote(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter, DWORD* result) {
    HANDLE thread = CreateRemoteThread(process, NULL, 0, start, parameter, 0, NULL);
    if (!thread) return false;
    bool done = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
    if (done) GetExitCodeThread(thread, result);
    CloseHandle(thread);
    return done;
}

// Where the module named file is loaded in process, or null. (A remote
// LoadLibraryW's thread exit code holds only 32 bits of a 64-bit address.)
BYTE* RemoteModuleBase(DWORD processId, const std::wstring& file) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return NULL;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    BYTE* base = NULL;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !base;
         more = Module32NextW(snapshot, &entry))
        if (lstrcmpiW(entry.szModule, file.c_str()) == 0) base = entry.modBaseAddr;
    CloseHandle(snapshot);
    return base;
}

// Loads the probe into process; the address of its DescribeMenu there.
LPTHREAD_START_ROUTINE LoadProbe(HANDLE process, std::string* error) {
    std::wstring path = ProbePath();
    HMODULE local = LoadLibraryW(path.c_str());
    FARPROC localDescribe = local ? GetProcAddress(local, "DescribeMenu") : NULL;
    if (!localDescribe) {
        *error = "probe library not found beside the test";
        return NULL;
    }
    size_t bytes = (path.size() + 1) * sizeof(wchar_t);
    void* remotePath = VirtualAllocEx(process, NULL, bytes, MEM_COMMIT, PAGE_READWRITE);
    DWORD loadedLow = 0;
    bool loaded =
        remotePath && WriteProcessMemory(process, remotePath, path.c_str(), bytes, NULL) &&
        RunRemote(process,
                  (LPTHREAD_START_ROUTINE)GetProcAddress(GetModuleHandleW(L"kernel32.dll"),
                                                         "LoadLibraryW"),
                  remotePath, &loadedLow) &&
        loadedLow != 0;
    if (remotePath) VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
    BYTE* remoteModule = loaded ? RemoteModuleBase(GetProcessId(process), L"menuprobe.dll") : NULL;
    if (!remoteModule) {
        *error = "could not load the probe into the menu's process";
        return NULL;
    }
    ULONG_PTR offset = (ULONG_PTR)localDescribe - (ULONG_PTR)local;
    return (LPTHREAD_START_ROUTINE)(remoteModule + offset);
}

} // namespace

bool ReadOpenMenu(OpenMenu* menu, std::string* error) {
    *menu = OpenMenu();
    HWND window = FindWindowW(L"#32768", NULL);
    if (!window || !IsWindowVisible(window)) {
        *error = "no menu on screen";
        return false;
    }
    DWORD_PTR handle = 0;
    if (!SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle) ||
        !handle) {
        *error = "MN_GETHMENU gave no menu";
        return false;
    }
    menu->window = window;
    menu->menu = (HMENU)handle;
    GetWindowRect(window, &menu->windowRect);

    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (!process) {
        *error = "could not open the menu's process";
        return false;
    }
    bool ok = false;
    ProbeRequest* remote = (ProbeRequest*)VirtualAllocEx(process, NULL, sizeof(ProbeRequest),
                                                         MEM_COMMIT, PAGE_READWRITE);
    ProbeRequest request = {};
    request.menu = menu->menu;
    LPTHREAD_START_ROUTINE describe = remote ? LoadProbe(process, error) : NULL;
    DWORD answered = 0;
    if (describe && WriteProcessMemory(process, remote, &request, sizeof(request), NULL) &&
        RunRemote(process, describe, remote, &answered) && answered == 1 &&
        ReadProcessMemory(process, remote, &request, sizeof(request), NULL)) {
        for (int i = 0; i < request.count && i < PROBE_MAX_ITEMS; i++) {
            const ProbeItem& in = request.items[i];
            menu->items.push_back({in.id, in.data, in.type, in.state, in.rect});
        }
        ok = true;
    } else if (describe) {
        *error = "the probe could not read the menu";
    } else if (!remote) {
        *error = "no memory in the menu's process";
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

int FindMenuItem(const OpenMenu& menu, ULONG_PTR data) {
    for (size_t i = 0; i < menu.items.size(); i++)
        if (menu.items[i].data == data) return (int)i;
    return -1;
}

std::string DescribeMenu(const OpenMenu& menu) {
    std::ostringstream text;
    for (const OpenMenuItem& item : menu.items)
        text << item.id << "/" << item.data << ((item.type & MFT_SEPARATOR) ? "(sep)" : "") << " ";
    return text.str();
}

} // namespace device
