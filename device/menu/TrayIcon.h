// The tray icon: its pictures and the calls that show, swap and remove it.
#pragma once

#include "platform.h"

extern HICON trayIcon;
extern HICON trayPressedIcon; // none at scale 2 and with a custom tray icon
extern bool trayIconShown;

enum TrayAction { TRAY_ADD = 0, TRAY_MODIFY = 1, TRAY_DELETE = 2 };

// (Re)loads trayIcon and trayPressedIcon from the settings.
void LoadTrayIcons();

// A size x size icon from the top-left corner of bitmap; keyColour pixels
// become transparent.
HICON CreateIconFromBitmap(HBITMAP bitmap, int size, COLORREF keyColour);

BOOL NotifyTrayIcon(HWND window, TrayAction action, UINT id, HICON icon);
