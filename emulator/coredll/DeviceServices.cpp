// The CE kernel, key and display services of the emulated device. What a
// desktop must not really do (restart, wipe, suspend, darken, rotate) is
// recorded in the device log, with the state the next question reports.
#include <windows.h>

#define CE_SERVICE __declspec(dllexport)
#include "CeServices.h"
#include "Answers.h"
#include "DeviceLog.h"

#undef ChangeDisplaySettingsEx

namespace {

DWORD HeldOrientation() {
    DWORD type = 0, value = DMDO_0, size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, DEVICE_DISPLAY_ORIENTATION,
                     RRF_RT_REG_DWORD, &type, &value, &size) != ERROR_SUCCESS)
        return DMDO_0;
    return value;
}

void HoldOrientation(DWORD orientation) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL,
                        &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, DEVICE_DISPLAY_ORIENTATION, 0, REG_DWORD, (const BYTE*)&orientation,
                   sizeof(orientation));
    RegCloseKey(key);
}

bool Answered(const wchar_t* name) {
    DWORD value;
    return ReadAnswer(name, &value);
}

// The device restarts: boot.exe ends every program of the device, this caller
// among them, so a device program never sees the call return. A caller from
// outside the device (a test's own process) outlives the restart and gets
// TRUE once it is over.
BOOL Restart() {
    WCHAR commandLine[] = BOOT_PROGRAM_PATH;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION boot = {};
    if (!CreateProcessW(BOOT_PROGRAM_PATH, commandLine, NULL, NULL, FALSE, 0, NULL, L"C:\\",
                        &startup, &boot)) {
        DeviceLog(L"coredll", L"reboot refused: no %ls (error %lu)", BOOT_PROGRAM_PATH,
                  GetLastError());
        return FALSE;
    }
    CloseHandle(boot.hThread);
    WaitForSingleObject(boot.hProcess, INFINITE);
    CloseHandle(boot.hProcess);
    return TRUE;
}

// The device's screen program (emulator/screen) with arguments. A wait for
// it still answers the messages its change sends this program's windows.
bool RunScreen(const wchar_t* arguments, bool wait) {
    WCHAR line[128];
    wsprintfW(line, L"C:\\Windows\\screen.exe %ls", arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION screen = {};
    if (!CreateProcessW(L"C:\\Windows\\screen.exe", line, NULL, NULL, FALSE, 0, NULL, L"C:\\",
                        &startup, &screen))
        return false;
    MSG message;
    while (wait && MsgWaitForMultipleObjects(1, &screen.hProcess, FALSE, 10000, QS_SENDMESSAGE) ==
                       WAIT_OBJECT_0 + 1)
        PeekMessageW(&message, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    CloseHandle(screen.hThread);
    CloseHandle(screen.hProcess);
    return true;
}

// The display goes dark until the next tap; the programs behind it go on.
void DarkenScreen() {
    if (!RunScreen(L"dark", false)) DeviceLog(L"coredll", L"no screen.exe: the screen stays lit");
}

// Turns the emulated screen: a quarter turn shows it landscape, upright shows
// it portrait (a half turn keeps it upright: Wine draws no upside-down screen).
void TurnScreen(DWORD orientation) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(NULL, ENUM_CURRENT_SETTINGS, &mode)) return;
    DWORD shortSide = mode.dmPelsWidth < mode.dmPelsHeight ? mode.dmPelsWidth : mode.dmPelsHeight;
    DWORD longSide = mode.dmPelsWidth + mode.dmPelsHeight - shortSide;
    bool landscape = orientation == DMDO_90 || orientation == DMDO_270;
    DWORD width = landscape ? longSide : shortSide, height = landscape ? shortSide : longSide;
    if (mode.dmPelsWidth == width) return;
    WCHAR size[48];
    wsprintfW(size, L"turn %lux%lu", width, height);
    if (!RunScreen(size, true)) DeviceLog(L"coredll", L"no screen.exe: the screen stays");
}
} // namespace

extern "C" {

BOOL KernelIoControl(DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                     LPDWORD returned) {
    if (returned) *returned = 0;
    if (code == IOCTL_HAL_REBOOT) {
        DeviceLog(L"coredll", L"reboot");
        return Restart();
    }
    DeviceLog(L"coredll", L"kernel io control 0x%08lX refused", code);
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

// Only raised here: the restart that follows does the wiping.
void SetCleanRebootFlag(void) {
    DeviceLog(L"coredll", L"clean boot flag");
    DWORD on = 1;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, DEVICE_CLEAN_BOOT, REG_DWORD, &on,
                    sizeof(on));
}

FARPROC WINAPI GetProcAddressW(HMODULE module, LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return GetProcAddress(module, (LPCSTR)name);
    char ansi[256];
    if (!WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof(ansi), NULL, NULL)) return NULL;
    // A device whose coredll has no display-settings entry.
    HMODULE self = NULL;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCWSTR)&GetProcAddressW, &self);
    if (module == self && lstrcmpA(ansi, "ChangeDisplaySettingsEx") == 0 &&
        Answered(ANSWER_NO_DISPLAY_SETTINGS)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return NULL;
    }
    return GetProcAddress(module, ansi);
}

// The power key suspends the device: recorded, not handed to the desktop,
// where 0xDF is another key. Other keys go on as they came.
void WINAPI DeviceKeyEvent(BYTE key, BYTE scan, DWORD flags, ULONG_PTR extra) {
    if (key != VK_OFF) {
        keybd_event(key, scan, flags, extra);
        return;
    }
    DeviceLog(L"coredll", L"power key %ls", (flags & KEYEVENTF_KEYUP) ? L"up" : L"down");
    // The press is over at the release: the device sleeps, dark until a tap
    // wakes it where it was.
    if (flags & KEYEVENTF_KEYUP) DarkenScreen();
}

// The display driver's escapes: the power-management ones are the device's,
// unless a test asked for a display without them; the rest are the desktop's.
int WINAPI DeviceExtEscape(HDC dc, int escape, int inSize, LPCSTR in, int outSize, LPSTR out) {
    bool powerEscapes = !Answered(ANSWER_NO_POWER_ESCAPE);
    if (escape == QUERYESCSUPPORT && in && inSize >= (int)sizeof(DWORD)) {
        DWORD asked = *(const DWORD*)in;
        if (asked == SETPOWERMANAGEMENT || asked == GETPOWERMANAGEMENT) return powerEscapes ? 1 : 0;
    }
    if (escape == SETPOWERMANAGEMENT && powerEscapes) {
        const VIDEO_POWER_MANAGEMENT* power = (const VIDEO_POWER_MANAGEMENT*)in;
        if (!power || inSize < (int)sizeof(*power) || power->Length < sizeof(*power)) return -1;
        DeviceLog(L"coredll", L"display power %lu", power->PowerState);
        if (power->PowerState == VideoPowerOff) DarkenScreen();
        return 1;
    }
    return ExtEscape(dc, escape, inSize, in, outSize, out);
}

// CE's form: the orientation only, in CE's codes. CDS_TEST answers the one the
// device holds; flags 0 turn the screen now.
LONG WINAPI CeChangeDisplaySettingsEx(LPCWSTR device, LPDEVMODEW mode, HWND, DWORD flags, LPVOID) {
    if (device || !mode || mode->dmSize < sizeof(DEVMODEW) ||
        !(mode->dmFields & DM_DISPLAYORIENTATION))
        return DISP_CHANGE_BADPARAM;
    if (flags & CDS_TEST) {
        mode->dmDisplayOrientation = HeldOrientation();
        return DISP_CHANGE_SUCCESSFUL;
    }
    DWORD orientation = mode->dmDisplayOrientation;
    if (orientation != DMDO_0 && orientation != DMDO_90 && orientation != DMDO_180 &&
        orientation != DMDO_270)
        return DISP_CHANGE_BADMODE;
    TurnScreen(orientation);
    HoldOrientation(orientation);
    DeviceLog(L"coredll", L"display orientation %lu", orientation);
    return DISP_CHANGE_SUCCESSFUL;
}

} // extern "C"
