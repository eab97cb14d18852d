// The emulated device's network interfaces, read from the emulator's
// description file at each call, so that an interface may come and go while
// a program runs.
#pragma once

#include <windows.h>

const int MAX_EMULATED_INTERFACES = 16;

struct EmulatedInterface {
    wchar_t name[64];
    ULONG index;
    BYTE mac[6];
    char address[16], mask[16], gateway[16], dhcp[16], wins[16], secondWins[16];
    DWORD blinkSeconds; // 0: always present
    bool released;
};

struct EmulatedNetwork {
    int count;
    EmulatedInterface interfaces[MAX_EMULATED_INTERFACES];
};

// True when the emulator asked for emulated interfaces; network then holds
// those present now, in the file's order, with their release state.
bool ReadEmulatedNetwork(EmulatedNetwork* network);

// The present interface with that index, or none.
EmulatedInterface* FindInterface(EmulatedNetwork* network, ULONG index);

// Keeps the release state of an interface between calls and programs.
void SetReleased(const wchar_t* name, bool released);
