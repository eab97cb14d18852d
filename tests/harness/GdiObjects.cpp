#include "GdiObjects.h"

#include <winternl.h>

#include <vector>

namespace device {
namespace {

// One entry of the GDI handle table that the process environment block points
// to (24 bytes in both layouts).
#pragma pack(push, 1)
struct GdiHandleEntry {
    unsigned long long object;
    unsigned short ownerProcess;
    unsigned short count;
    unsigned short unique; // bit 7: stock object
    unsigned char type;    // 0: free
    unsigned char flags;
    unsigned long long user;
};
#pragma pack(pop)
const size_t GDI_TABLE_ENTRIES = 0x10000;
// Where the process environment block holds the table's address.
const size_t PEB_GDI_TABLE_OFFSET = sizeof(void*) == 8 ? 0xF8 : 0x94;
const unsigned short STOCK_OBJECT = 0x80;

typedef NTSTATUS(WINAPI* QueryProcess)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);

long CountHandleTable(HANDLE process) {
    QueryProcess query =
        (QueryProcess)GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof(basic), NULL) != 0)
        return -1;
    ULONG_PTR table = 0;
    if (!ReadProcessMemory(process, (BYTE*)basic.PebBaseAddress + PEB_GDI_TABLE_OFFSET, &table,
                           sizeof(table), NULL) ||
        !table)
        return -1;
    std::vector<GdiHandleEntry> entries(GDI_TABLE_ENTRIES);
    if (!ReadProcessMemory(process, (void*)table, entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), NULL))
        return -1;
    long live = 0;
    for (const GdiHandleEntry& entry : entries)
        if (entry.type != 0 && !(entry.unique & STOCK_OBJECT)) live++;
    return live;
}

} // namespace

long CountGdiObjects(HANDLE process) {
    DWORD count = GetGuiResources(process, GR_GDIOBJECTS);
    if (count != 0) return (long)count;
    return CountHandleTable(process);
}

} // namespace device
