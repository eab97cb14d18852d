#include "Network.h"
#include "EmulatorAnswers.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

bool NetworkFilePath(wchar_t* path, DWORD units) {
    DWORD size = units * sizeof(wchar_t);
    return RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, DEVICE_NETWORK_FILE, RRF_RT_REG_SZ,
                        NULL, path, &size) == ERROR_SUCCESS &&
           path[0];
}

// The file's bytes, ended by a zero; empty when it cannot be read.
void ReadText(const wchar_t* path, char* text, DWORD capacity) {
    text[0] = 0;
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD read = 0;
    if (!ReadFile(file, text, capacity - 1, &read, NULL)) read = 0;
    text[read] = 0;
    CloseHandle(file);
}

void CopyAddress(char (&field)[16], const char* value) {
    lstrcpynA(field, value, sizeof(field));
}

void ParseMac(BYTE (&mac)[6], const char* value) {
    unsigned parts[6] = {0};
    sscanf(value, "%x-%x-%x-%x-%x-%x", &parts[0], &parts[1], &parts[2], &parts[3], &parts[4],
           &parts[5]);
    for (int i = 0; i < 6; i++)
        mac[i] = (BYTE)parts[i];
}

// One line: NAME key=value ...
bool ParseLine(char* line, EmulatedInterface* entry) {
    ZeroMemory(entry, sizeof(*entry));
    CopyAddress(entry->address, "0.0.0.0");
    CopyAddress(entry->mask, "0.0.0.0");
    CopyAddress(entry->gateway, "0.0.0.0");
    CopyAddress(entry->dhcp, "0.0.0.0");
    CopyAddress(entry->wins, "0.0.0.0");
    CopyAddress(entry->secondWins, "0.0.0.0");
    char* context = NULL;
    char* name = strtok_s(line, " \t", &context);
    if (!name || name[0] == '#') return false;
    MultiByteToWideChar(CP_UTF8, 0, name, -1, entry->name, 63);
    for (char* token = strtok_s(NULL, " \t", &context); token;
         token = strtok_s(NULL, " \t", &context)) {
        char* value = strchr(token, '=');
        if (!value) continue;
        *value++ = 0;
        if (!strcmp(token, "index"))
            entry->index = strtoul(value, NULL, 10);
        else if (!strcmp(token, "mac"))
            ParseMac(entry->mac, value);
        else if (!strcmp(token, "address"))
            CopyAddress(entry->address, value);
        else if (!strcmp(token, "mask"))
            CopyAddress(entry->mask, value);
        else if (!strcmp(token, "gateway"))
            CopyAddress(entry->gateway, value);
        else if (!strcmp(token, "dhcp"))
            CopyAddress(entry->dhcp, value);
        else if (!strcmp(token, "wins"))
            CopyAddress(entry->wins, value);
        else if (!strcmp(token, "wins2"))
            CopyAddress(entry->secondWins, value);
        else if (!strcmp(token, "blink"))
            entry->blinkSeconds = strtoul(value, NULL, 10);
    }
    return true;
}

bool Present(const EmulatedInterface& entry) {
    if (!entry.blinkSeconds) return true;
    return (GetTickCount() / 1000 / entry.blinkSeconds) % 2 == 0;
}

bool IsReleased(const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    return RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_NETWORK_KEY, name, RRF_RT_REG_DWORD, NULL,
                        &value, &size) == ERROR_SUCCESS &&
           value;
}

} // namespace

bool ReadEmulatedNetwork(EmulatedNetwork* network) {
    network->count = 0;
    wchar_t path[MAX_PATH];
    if (!NetworkFilePath(path, MAX_PATH)) return false;
    static char text[16384];
    ReadText(path, text, sizeof(text));
    char* context = NULL;
    for (char* line = strtok_s(text, "\r\n", &context); line;
         line = strtok_s(NULL, "\r\n", &context)) {
        if (network->count == MAX_EMULATED_INTERFACES) break;
        EmulatedInterface& entry = network->interfaces[network->count];
        if (!ParseLine(line, &entry) || !Present(entry)) continue;
        entry.released = IsReleased(entry.name);
        network->count++;
    }
    return true;
}

EmulatedInterface* FindInterface(EmulatedNetwork* network, ULONG index) {
    for (int i = 0; i < network->count; i++)
        if (network->interfaces[i].index == index) return &network->interfaces[i];
    return NULL;
}

void SetReleased(const wchar_t* name, bool released) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, EMULATOR_NETWORK_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL,
                        &key, NULL) != ERROR_SUCCESS)
        return;
    if (released) {
        DWORD one = 1;
        RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&one, sizeof(one));
    } else {
        RegDeleteValueW(key, name);
    }
    RegCloseKey(key);
}
