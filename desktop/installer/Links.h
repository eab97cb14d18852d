// A product panel that opens a web page: the pointing hand over it, and the
// page's address for a click.
#pragma once

#include <windows.h>

struct Link {
    HCURSOR cursor;
    char address[255];
    HWND panel;
    WNDPROC previous;
};

// Loads the link's pointing-hand cursor.
void CreateLink(Link* link);
// Attaches link to panel: the panel shows the link's cursor from now on.
void AttachLink(Link* link, HWND panel);
// Opens the link's address in the desktop's browser, minimized.
void OpenLink(const Link* link);
