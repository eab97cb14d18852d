// The menu probe: loaded into the process that has a popup menu open, it reads
// the menu's items and their screen rectangles into the shared report.
#include <windows.h>

#include "probe/MenuProbeShared.h"

extern "C" __declspec(dllexport) DWORD WINAPI DescribeMenu(void* parameter) {
    HMENU menu = (HMENU)parameter;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, PROBE_MAPPING_NAME);
    if (!mapping) return 2;
    ProbeReport* report = (ProbeReport*)MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    DWORD result = 3;
    int count = GetMenuItemCount(menu);
    if (report && count >= 0) {
        report->count = count < PROBE_MAX_ITEMS ? count : PROBE_MAX_ITEMS;
        for (int i = 0; i < report->count; i++) {
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
            GetMenuItemInfoW(menu, i, TRUE, &info);
            ProbeItem& item = report->items[i];
            item.id = info.wID;
            item.data = (UINT)info.dwItemData;
            item.type = info.fType;
            item.state = info.fState;
            SetRectEmpty(&item.rect);
            GetMenuItemRect(NULL, menu, i, &item.rect);
        }
        result = 1;
    }
    if (report) UnmapViewOfFile(report);
    CloseHandle(mapping);
    return result;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, void*) { return TRUE; }
