// The IP helper of the emulated device, in front of Wine's: with the
// emulator's description file (EmulatorAnswers.h, DEVICE_NETWORK_FILE) it
// serves the emulated interfaces and honours release (the address becomes
// 0.0.0.0) and renew (the address comes back); without it every call goes to
// Wine's own IP helper, which answers with the host's interfaces. Every call
// is recorded in the device log.
#include <windows.h>
#include <iphlpapi.h>

#include <stddef.h>
#include <stdio.h>
#include <time.h>

#include "Answers.h"
#include "DeviceLog.h"
#include "Network.h"
#include "NoMemory.h"

namespace {

const wchar_t SOURCE[] = L"iphlpapi";
// Wine's own IP helper, copied beside this one under another name by the
// emulator's install.
const wchar_t HOST_MODULE[] = L"C:\\windows\\system32\\wineiphlp.dll";
// What the adapter list's size query answers when the fetch is to fail.
const ULONG FAILING_LIST_SIZE = 1 << 20;

const ULONG TABLE_HEADER = offsetof(IP_INTERFACE_INFO, Adapter);

template <typename Function> Function HostFunction(const char* name) {
    static HMODULE host = LoadLibraryW(HOST_MODULE);
    return host ? (Function)(void*)GetProcAddress(host, name) : NULL;
}

bool Answer(const wchar_t* name) {
    DWORD value;
    return ReadAnswer(name, &value);
}

// Counts a DWORD answer down; true when it was above zero.
bool TakeCountedAnswer(const wchar_t* name) {
    DWORD value = 0;
    if (!ReadAnswer(name, &value) || value == 0) return false;
    value--;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, EMULATOR_ANSWERS_KEY, 0, KEY_SET_VALUE, &key) ==
        ERROR_SUCCESS) {
        RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
        RegCloseKey(key);
    }
    return true;
}

// The interfaces whose adapter a test made vanish are still in the table.
bool Vanished(const EmulatedInterface& entry) {
    wchar_t name[64];
    return ReadAnswerText(ANSWER_IP_VANISHED, name, 64) && !lstrcmpW(name, entry.name);
}

void SetAddress(IP_ADDR_STRING* entry, const char* address, const char* mask) {
    ZeroMemory(entry, sizeof(*entry));
    lstrcpynA(entry->IpAddress.String, address, sizeof(entry->IpAddress.String));
    lstrcpynA(entry->IpMask.String, mask, sizeof(entry->IpMask.String));
}

void FillRecord(IP_ADAPTER_INFO* record, const EmulatedInterface& entry) {
    ZeroMemory(record, sizeof(*record));
    WideCharToMultiByte(CP_ACP, 0, entry.name, -1, record->AdapterName,
                        sizeof(record->AdapterName) - 1, NULL, NULL);
    _snprintf(record->Description, sizeof(record->Description) - 1, "Emulated %s",
              record->AdapterName);
    record->AddressLength = 6;
    CopyMemory(record->Address, entry.mac, 6);
    record->Index = entry.index;
    record->ComboIndex = entry.index;
    record->Type = MIB_IF_TYPE_ETHERNET;
    record->DhcpEnabled = TRUE;
    // A released lease leaves the interface without address and gateway; its
    // servers stay known.
    const char* none = "0.0.0.0";
    SetAddress(&record->IpAddressList, entry.released ? none : entry.address,
               entry.released ? none : entry.mask);
    record->CurrentIpAddress = &record->IpAddressList;
    SetAddress(&record->GatewayList, entry.released ? none : entry.gateway, "255.255.255.255");
    SetAddress(&record->DhcpServer, entry.dhcp, "255.255.255.255");
    record->HaveWins = TRUE;
    SetAddress(&record->PrimaryWinsServer, entry.wins, "255.255.255.255");
    SetAddress(&record->SecondaryWinsServer, entry.secondWins, "255.255.255.255");
    time_t now = time(NULL);
    record->LeaseObtained = entry.released ? 0 : now - 600;
    record->LeaseExpires = entry.released ? 0 : now + 3 * 86400;
}

DWORD EmulatedInterfaceInfo(EmulatedNetwork& network, PIP_INTERFACE_INFO table, PULONG size) {
    ULONG given = *size;
    ULONG needed = TABLE_HEADER + network.count * sizeof(IP_ADAPTER_INDEX_MAP);
    if (!table && network.count > 0 && TakeCountedAnswer(ANSWER_IP_TABLE_GROWS))
        needed -= sizeof(IP_ADAPTER_INDEX_MAP);
    if (!table || *size < needed) {
        *size = needed;
        if (!table && Answer(ANSWER_IP_NO_MEMORY)) RefuseNextAllocation(needed);
        DeviceLog(SOURCE, L"GetInterfaceInfo(%lu bytes) = 122, %lu bytes", table ? given : 0UL,
                  needed);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    ZeroMemory(table, needed);
    table->NumAdapters = network.count;
    wchar_t names[1024] = L"";
    for (int i = 0; i < network.count; i++) {
        IP_ADAPTER_INDEX_MAP& map = table->Adapter[i];
        map.Index = network.interfaces[i].index;
        lstrcpynW(map.Name, network.interfaces[i].name, MAX_ADAPTER_NAME);
        if (i == network.count - 1 && Answer(ANSWER_IP_UNTERMINATED_NAME)) {
            int length = lstrlenW(map.Name);
            for (int unit = length; unit < MAX_ADAPTER_NAME; unit++)
                map.Name[unit] = L'~';
        }
        lstrcatW(names, L" ");
        lstrcatW(names, network.interfaces[i].name);
    }
    DeviceLog(SOURCE, L"GetInterfaceInfo(%lu bytes) = 0:%ls", *size, names);
    return NO_ERROR;
}

DWORD EmulatedAdaptersInfo(EmulatedNetwork& network, PIP_ADAPTER_INFO list, PULONG size) {
    if (Answer(ANSWER_IP_ADAPTERS_FAIL)) {
        DWORD answer = list ? ERROR_NO_DATA : ERROR_BUFFER_OVERFLOW;
        if (!list) *size = FAILING_LIST_SIZE;
        // The buffer is written before the failure, so that a list the
        // program kept shows in its working set.
        if (list) FillMemory(list, *size, 0xA5);
        DeviceLog(SOURCE, L"GetAdaptersInfo(%lu bytes) = %lu (failing)", list ? *size : 0UL,
                  answer);
        return answer;
    }
    int shown = 0;
    for (int i = 0; i < network.count; i++)
        if (!Vanished(network.interfaces[i])) shown++;
    ULONG needed = shown * sizeof(IP_ADAPTER_INFO);
    if (shown == 0) {
        DeviceLog(SOURCE, L"GetAdaptersInfo = 232, no adapters");
        return ERROR_NO_DATA;
    }
    if (!list || *size < needed) {
        DeviceLog(SOURCE, L"GetAdaptersInfo(%lu bytes) = 111, %lu bytes", list ? *size : 0UL,
                  needed);
        *size = needed;
        return ERROR_BUFFER_OVERFLOW;
    }
    IP_ADAPTER_INFO* record = list;
    for (int i = 0; i < network.count; i++) {
        if (Vanished(network.interfaces[i])) continue;
        FillRecord(record, network.interfaces[i]);
        record->Next = --shown ? record + 1 : NULL;
        record++;
    }
    DeviceLog(SOURCE, L"GetAdaptersInfo(%lu bytes) = 0", *size);
    return NO_ERROR;
}

DWORD EmulatedLease(EmulatedNetwork& network, PIP_ADAPTER_INDEX_MAP map, bool renew) {
    const wchar_t* call = renew ? L"IpRenewAddress" : L"IpReleaseAddress";
    EmulatedInterface* entry = map ? FindInterface(&network, map->Index) : NULL;
    if (!entry || Vanished(*entry)) {
        DeviceLog(SOURCE, L"%ls(index %lu) = 87, no such interface", call, map ? map->Index : 0);
        return ERROR_INVALID_PARAMETER;
    }
    SetReleased(entry->name, !renew);
    DeviceLog(SOURCE, L"%ls(index %lu, %ls) = 0", call, entry->index, entry->name);
    return NO_ERROR;
}

// A table call (buffer and size) passed on to Wine's IP helper, logged with
// the size given and the size and answer it returned.
template <typename Table> ULONG HostTableCall(const char* name, Table table, PULONG size) {
    typedef ULONG(WINAPI * Call)(Table, PULONG);
    Call host = HostFunction<Call>(name);
    ULONG given = *size;
    ULONG answer = host ? host(table, size) : ERROR_NOT_SUPPORTED;
    DeviceLog(SOURCE, L"%hs(%lu bytes) = %lu, %lu bytes (host)", name, table ? given : 0UL, answer,
              *size);
    return answer;
}

} // namespace

extern "C" {

DWORD WINAPI GetInterfaceInfo(PIP_INTERFACE_INFO table, PULONG size) {
    if (!size) return ERROR_INVALID_PARAMETER;
    EmulatedNetwork network;
    if (ReadEmulatedNetwork(&network)) return EmulatedInterfaceInfo(network, table, size);
    return HostTableCall("GetInterfaceInfo", table, size);
}

DWORD WINAPI GetAdapterIndex(LPWSTR name, PULONG index) {
    if (!name || !index) return ERROR_INVALID_PARAMETER;
    EmulatedNetwork network;
    if (ReadEmulatedNetwork(&network)) {
        for (int i = 0; i < network.count; i++) {
            const EmulatedInterface& entry = network.interfaces[i];
            if (lstrcmpW(entry.name, name) || Vanished(entry)) continue;
            *index = entry.index;
            DeviceLog(SOURCE, L"GetAdapterIndex(%.128ls) = 0, index %lu", name, *index);
            return NO_ERROR;
        }
        DeviceLog(SOURCE, L"GetAdapterIndex(%.128ls) = 87", name);
        return ERROR_INVALID_PARAMETER;
    }
    typedef DWORD(WINAPI * Call)(LPWSTR, PULONG);
    Call host = HostFunction<Call>("GetAdapterIndex");
    DWORD answer = host ? host(name, index) : ERROR_NOT_SUPPORTED;
    DeviceLog(SOURCE, L"GetAdapterIndex(%.128ls) = %lu, index %lu (host)", name, answer,
              answer == NO_ERROR ? *index : 0UL);
    return answer;
}

ULONG WINAPI GetAdaptersInfo(PIP_ADAPTER_INFO list, PULONG size) {
    if (!size) return ERROR_INVALID_PARAMETER;
    EmulatedNetwork network;
    if (ReadEmulatedNetwork(&network)) return EmulatedAdaptersInfo(network, list, size);
    return HostTableCall("GetAdaptersInfo", list, size);
}

DWORD WINAPI IpReleaseAddress(PIP_ADAPTER_INDEX_MAP map) {
    EmulatedNetwork network;
    if (ReadEmulatedNetwork(&network)) return EmulatedLease(network, map, false);
    typedef DWORD(WINAPI * Call)(PIP_ADAPTER_INDEX_MAP);
    Call host = HostFunction<Call>("IpReleaseAddress");
    DWORD answer = host ? host(map) : ERROR_NOT_SUPPORTED;
    DeviceLog(SOURCE, L"IpReleaseAddress(index %lu) = %lu (host)", map ? map->Index : 0, answer);
    return answer;
}

DWORD WINAPI IpRenewAddress(PIP_ADAPTER_INDEX_MAP map) {
    EmulatedNetwork network;
    if (ReadEmulatedNetwork(&network)) return EmulatedLease(network, map, true);
    typedef DWORD(WINAPI * Call)(PIP_ADAPTER_INDEX_MAP);
    Call host = HostFunction<Call>("IpRenewAddress");
    DWORD answer = host ? host(map) : ERROR_NOT_SUPPORTED;
    DeviceLog(SOURCE, L"IpRenewAddress(index %lu) = %lu (host)", map ? map->Index : 0, answer);
    return answer;
}

} // extern "C"
