// What the menu probe, loaded into the menu's process, hands back to the test.
#pragma once

#include <windows.h>

const int PROBE_MAX_ITEMS = 64;

struct ProbeItem {
    UINT id;
    UINT data;
    UINT type;
    UINT state;
    RECT rect;
};

// Written into the menu's process by the test, filled in there by the probe,
// read back by the test.
struct ProbeRequest {
    HMENU menu;
    int count;
    ProbeItem items[PROBE_MAX_ITEMS];
};
