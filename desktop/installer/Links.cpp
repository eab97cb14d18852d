#include "Links.h"
#include "Installer.h"
#include "resource.h"

#include <shellapi.h>
#include <string.h>

namespace {

const char LINK_PROPERTY[] = "WNDOBJ";

LRESULT CALLBACK LinkProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    Link* link = (Link*)GetPropA(panel, LINK_PROPERTY);
    if (!link) return 0;
    switch (message) {
    case WM_SETCURSOR: SetCursor(link->cursor); return 0;
    case WM_DESTROY: RemovePropA(panel, LINK_PROPERTY); break;
    }
    return CallWindowProcA(link->previous, panel, message, wParam, lParam);
}

} // namespace

void CreateLink(Link* link) {
    memset(link, 0, sizeof(*link));
    link->cursor = LoadCursorA(Instance(), MAKEINTRESOURCEA(IDR_HAND_CURSOR));
}

void AttachLink(Link* link, HWND panel) {
    link->previous = (WNDPROC)GetWindowLongPtrA(panel, GWLP_WNDPROC);
    SetPropA(panel, LINK_PROPERTY, link);
    link->panel = panel;
    SetWindowLongPtrA(panel, GWLP_WNDPROC, (LONG_PTR)LinkProcedure);
}

void OpenLink(const Link* link) {
    ShellExecuteA(NULL, "open", link->address, NULL, NULL, SW_SHOWMINIMIZED);
}
