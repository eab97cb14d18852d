// The program's own import of LocalAlloc is pointed at a gate that refuses the
// named size once and passes everything else on; the program's code is not
// changed, only the entry of its import table.
#include "NoMemory.h"
#include "DeviceLog.h"

namespace {

typedef HLOCAL(WINAPI* LocalAllocCall)(UINT, SIZE_T);

LocalAllocCall hostLocalAlloc;
volatile SIZE_T refusedSize;

HLOCAL WINAPI RefusingLocalAlloc(UINT flags, SIZE_T bytes) {
    if (refusedSize && bytes == refusedSize) {
        refusedSize = 0;
        DeviceLog(L"iphlpapi", L"LocalAlloc(%lu bytes) refused: out of memory", (ULONG)bytes);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return NULL;
    }
    return hostLocalAlloc(flags, bytes);
}

// The main program's import table entry for kernel32's LocalAlloc, or none.
void** LocalAllocImport() {
    BYTE* image = (BYTE*)GetModuleHandleW(NULL);
    IMAGE_NT_HEADERS* headers = (IMAGE_NT_HEADERS*)(image + ((IMAGE_DOS_HEADER*)image)->e_lfanew);
    IMAGE_DATA_DIRECTORY& directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return NULL;
    for (IMAGE_IMPORT_DESCRIPTOR* module =
             (IMAGE_IMPORT_DESCRIPTOR*)(image + directory.VirtualAddress);
         module->Name; module++) {
        if (lstrcmpiA((const char*)(image + module->Name), "kernel32.dll")) continue;
        IMAGE_THUNK_DATA* names = (IMAGE_THUNK_DATA*)(image + module->OriginalFirstThunk);
        IMAGE_THUNK_DATA* entries = (IMAGE_THUNK_DATA*)(image + module->FirstThunk);
        for (; names->u1.AddressOfData; names++, entries++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            IMAGE_IMPORT_BY_NAME* name = (IMAGE_IMPORT_BY_NAME*)(image + names->u1.AddressOfData);
            if (!lstrcmpA((const char*)name->Name, "LocalAlloc"))
                return (void**)&entries->u1.Function;
        }
    }
    return NULL;
}

} // namespace

void RefuseNextAllocation(SIZE_T bytes) {
    if (!hostLocalAlloc) {
        void** entry = LocalAllocImport();
        if (!entry) return;
        DWORD old;
        if (!VirtualProtect(entry, sizeof(*entry), PAGE_READWRITE, &old)) return;
        hostLocalAlloc = (LocalAllocCall)*entry;
        *entry = (void*)RefusingLocalAlloc;
        VirtualProtect(entry, sizeof(*entry), old, &old);
    }
    refusedSize = bytes;
}
