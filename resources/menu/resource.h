// Resource ids of the menu program, grouped by kind.
#pragma once

// Icons
#define IDI_TRAY 101
#define IDI_TRAY_PRESSED 102

// Bitmaps
#define IDB_HEADER_BANNER 177
#define IDB_ICON_STRIP 181

// Dialogs
#define IDD_SETTINGS 500
