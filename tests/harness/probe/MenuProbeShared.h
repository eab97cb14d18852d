// What the menu probe, loaded into the menu's process, hands back to the test.
#pragma once

#include <windows.h>

#define PROBE_MAPPING_NAME L"Local\\OrvaletMenuProbe"
const int PROBE_MAX_ITEMS = 64;

struct ProbeItem {
    UINT id;
    UINT data;
    UINT type;
    UINT state;
    RECT rect;
};

struct ProbeReport {
    int count;
    ProbeItem items[PROBE_MAX_ITEMS];
};
