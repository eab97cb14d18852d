// OrvaletSetup.dll, the setup library of the device package. For now only
// its load entry: the installer's hooks are still to come.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    return TRUE;
}
