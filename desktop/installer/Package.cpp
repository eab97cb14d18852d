#include "Package.h"
#include "Installer.h"
#include "resource.h"

#include <string.h>

namespace {

const int MAX_FILE_NAME = 260;

bool HasString(int id) {
    char text[2];
    return LoadStringA(Instance(), id, text, sizeof(text)) > 0;
}

} // namespace

bool BuildPackage(Package* package) {
    memset(package, 0, sizeof(*package));
    if (!LoadStringA(Instance(), IDS_FOLDER_NAME, package->folder, sizeof(package->folder)))
        return false;
    if (!LoadStringA(Instance(), IDS_INI_NAME, package->ini, sizeof(package->ini))) return false;
    int count = 0;
    while (HasString(IDS_FIRST_FILE + count))
        count++;
    if (count == 0) return false;
    package->files = (char**)LocalAlloc(LPTR, count * sizeof(char*));
    if (!package->files) return false;
    for (int i = 0; i < count; i++) {
        char name[MAX_FILE_NAME];
        int length = LoadStringA(Instance(), IDS_FIRST_FILE + i, name, sizeof(name));
        char* copy = (char*)LocalAlloc(LMEM_FIXED, length + 1);
        if (!copy) return false;
        memcpy(copy, name, length + 1);
        package->files[i] = copy;
        package->count = i + 1;
    }
    return true;
}

void ReleasePackage(Package* package) {
    if (package->files) {
        for (int i = 0; i < package->count; i++)
            LocalFree(package->files[i]);
        LocalFree(package->files);
    }
    memset(package, 0, sizeof(*package));
}
