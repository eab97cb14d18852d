// The maker's memory cleaner, a product of its own found through the registry
// key its installer leaves.
#include "SystemActions.h"

namespace {

const WCHAR PRODUCT_KEY_FORMAT[] = L"\\SOFTWARE\\Apps\\Brantwell %s";
const WCHAR EXECUTABLE_FORMAT[] = L"%s\\%s.exe";
const WCHAR PURGELLE[] = L"Purgelle";
const DWORD DIRECTORY_BYTES = 510;
const DWORD EXECUTABLE_BYTES = 2048;

// Found once, kept for the rest of the run.
WCHAR* productExecutable = NULL;

// Reads a string value of at most DIRECTORY_BYTES bytes into directory (room
// for DIRECTORY_BYTES / 2 + 1 characters), always terminated.
bool ReadDirectory(HKEY key, const WCHAR* name, WCHAR* directory) {
    DWORD type = 0;
    DWORD size = DIRECTORY_BYTES;
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE*)directory, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ) return false;
    // The value need not carry its terminator.
    directory[size / sizeof(WCHAR)] = 0;
    return true;
}

} // namespace

// The product's executable, "<install folder>\<name>.exe", or NULL when the
// product is not installed; a failed lookup is made again next time.
const WCHAR* FindProductExecutable(const WCHAR* name) {
    if (productExecutable) return productExecutable;
    WCHAR keyPath[MAX_PATH];
    wsprintfW(keyPath, PRODUCT_KEY_FORMAT, name);
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, RegistryKeyPath(keyPath), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return NULL;
    WCHAR directory[DIRECTORY_BYTES / sizeof(WCHAR) + 1];
    bool found =
        ReadDirectory(key, L"InstallDir", directory) || ReadDirectory(key, L"InstlDir", directory);
    RegCloseKey(key);
    if (!found) return NULL;
    WCHAR* path = (WCHAR*)LocalAlloc(LMEM_FIXED, EXECUTABLE_BYTES);
    if (!path) return NULL;
    wsprintfW(path, EXECUTABLE_FORMAT, directory, name);
    productExecutable = path;
    return productExecutable;
}

// Starts the cleaner with arguments, or tells that it is missing.
static void LaunchPurgelle(const CommandRow& row, const WCHAR* arguments) {
    const WCHAR* path = FindProductExecutable(PURGELLE);
    if (FileExists(path)) {
        StartProcess(path, arguments);
        return;
    }
    ShowCommandMessage(row, MB_ICONERROR | MB_OK);
}

void RunMemoryCleaner(const CommandRow& row) {
    LaunchPurgelle(row, row.id == CMD_PURGELLE_CLEANER ? L"-Q" : L"");
}
