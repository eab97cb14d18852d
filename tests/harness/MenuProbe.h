// Reading the popup menu that another program of the device has open. The
// platform answers menu queries only inside the menu's own process, so a small
// probe library is loaded there and reads the menu through the handle that
// MN_GETHMENU gives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace device {

struct OpenMenuItem {
    UINT id;
    ULONG_PTR data;
    UINT type;  // MFT_ flags
    UINT state; // MFS_ flags
    RECT rect;  // screen coordinates
};

struct OpenMenu {
    HWND window = NULL;
    HMENU menu = NULL;
    RECT windowRect = {};
    std::vector<OpenMenuItem> items;
};

// Reads the visible popup menu; false (with a reason) when there is none or
// its process could not be asked.
bool ReadOpenMenu(OpenMenu* menu, std::string* error);

// The index of the first item whose item data is data, or -1.
int FindMenuItem(const OpenMenu& menu, ULONG_PTR data);

// "id/data" of every item, for failure messages.
std::string DescribeMenu(const OpenMenu& menu);

} // namespace device
