#include "Install.h"
#include "Installer.h"
#include "Package.h"
#include "resource.h"

namespace {

// Every path the installer builds fits in one of these, the command line in
// twice as much: a longer one is refused before it is built.
const int PATH_BYTES = 260;
const int COMMAND_BYTES = 520;

const char APP_MANAGER_KEY[] =
    "software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAppMgr.exe";

Package package;
bool packageBuilt;

// The application manager's full path, from its App Paths key.
void FindAppManager(char path[PATH_BYTES]) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        Fail(IDS_NO_APP_MANAGER);
    DWORD type = 0, size = PATH_BYTES;
    LONG read = RegQueryValueExA(key, NULL, NULL, &type, (BYTE*)path, &size);
    RegCloseKey(key);
    // The value is a string only when it is one and ends within the buffer;
    // a longer one (ERROR_MORE_DATA) is not a path we could use.
    bool text = type == REG_SZ || type == REG_EXPAND_SZ;
    if (read != ERROR_SUCCESS || !text || size == 0) Fail(IDS_NO_APP_MANAGER);
    if (path[size - 1] != 0) {
        if (size == PATH_BYTES) Fail(IDS_NO_APP_MANAGER);
        path[size] = 0;
    }
    if (type == REG_EXPAND_SZ) {
        char expanded[PATH_BYTES];
        DWORD needed = ExpandEnvironmentStringsA(path, expanded, PATH_BYTES);
        if (needed == 0 || needed > PATH_BYTES) Fail(IDS_NO_APP_MANAGER);
        lstrcpyA(path, expanded);
    }
}

// The application manager's folder followed by the package's folder name,
// the last backslash found character by character in the ANSI code page.
void TargetFolder(const char* appManager, char folder[PATH_BYTES]) {
    lstrcpyA(folder, appManager);
    char* backslash = NULL;
    for (char* at = folder; *at; at = CharNextA(at))
        if (*at == '\\') backslash = at;
    if (!backslash) Fail(IDS_NO_APP_MANAGER);
    if ((backslash - folder) + 1 + lstrlenA(package.folder) >= PATH_BYTES) Fail(IDS_COPY_FAILED);
    backslash[1] = 0;
    lstrcatA(folder, package.folder);
}

// Writes one file of the package from the resource of its name.
void WriteFromResource(const char* folder, const char* name) {
    HRSRC resource = FindResourceA(Instance(), name, "SETUP_DATA");
    HGLOBAL loaded = resource ? LoadResource(Instance(), resource) : NULL;
    const void* bytes = loaded ? LockResource(loaded) : NULL;
    if (!bytes) Fail(IDS_CORRUPT_PACKAGE);
    DWORD size = SizeofResource(Instance(), resource);
    char path[PATH_BYTES];
    if (lstrlenA(folder) + 1 + lstrlenA(name) >= PATH_BYTES) Fail(IDS_COPY_FAILED);
    wsprintfA(path, "%s\\%s", folder, name);
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) Fail(IDS_COPY_FAILED);
    DWORD written = 0;
    if (!WriteFile(file, bytes, size, &written, NULL)) written = 0;
    CloseHandle(file);
    if (written != size) Fail(IDS_WRITE_FAILED);
}

// Starts the application manager with the INI file and waits until it ends,
// whatever it did.
void RunAppManager(const char* appManager, const char* folder) {
    char command[COMMAND_BYTES];
    if (lstrlenA(appManager) + lstrlenA(folder) + lstrlenA(package.ini) + 6 >= COMMAND_BYTES)
        Fail(IDS_NO_APP_MANAGER);
    wsprintfA(command, "\"%s\" \"%s\\%s\"", appManager, folder, package.ini);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        Fail(IDS_NO_APP_MANAGER);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

} // namespace

void InstallPackage() {
    char appManager[PATH_BYTES];
    FindAppManager(appManager);
    packageBuilt = true;
    if (!BuildPackage(&package)) Fail(IDS_CORRUPT_PACKAGE);
    char folder[PATH_BYTES];
    TargetFolder(appManager, folder);
    if (!CreateDirectoryA(folder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail(IDS_COPY_FAILED);
    for (int i = 0; i < package.count; i++)
        WriteFromResource(folder, package.files[i]);
    RunAppManager(appManager, folder);
    ReleasePackage(&package);
    packageBuilt = false;
}

void Fail(int message) {
    if (packageBuilt) ReleasePackage(&package);
    char caption[40] = "", text[260] = "";
    LoadStringA(Instance(), IDS_CAPTION, caption, sizeof(caption));
    LoadStringA(Instance(), message, text, sizeof(text));
    MessageBoxA(NULL, text, caption, MB_ICONERROR | MB_OK);
    ExitProcess((UINT)-1);
}
