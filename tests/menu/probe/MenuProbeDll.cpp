// The menu probe: loaded into the process that has a popup menu open, it reads
// the menu's items and their screen rectangles into the request it is given.
#include <windows.h>

#include "probe/MenuProbeShared.h"

extern "C" __declspec(dllexport) DWORD WINAPI DescribeMenu(void* parameter) {
    ProbeRequest* request = (ProbeRequest*)parameter;
    int count = GetMenuItemCount(request->menu);
    if (count < 0) return 2;
    request->count = count < PROBE_MAX_ITEMS ? count : PROBE_MAX_ITEMS;
    for (int i = 0; i < request->count; i++) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
        GetMenuItemInfoW(request->menu, i, TRUE, &info);
        ProbeItem& item = request->items[i];
        item.id = info.wID;
        item.data = (UINT)info.dwItemData;
        item.type = info.fType;
        item.state = info.fState;
        SetRectEmpty(&item.rect);
        GetMenuItemRect(NULL, request->menu, i, &item.rect);
    }
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, void*) {
    return TRUE;
}
