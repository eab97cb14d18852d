// The Windows CE and Pocket PC records, constants and functions that the
// desktop's headers lack, declared as the CE SDK declares them (aygshell.h,
// pkfuncs.h, pwingdi.h and the device's shell and winuser/wingdi headers).
//
// The platform header includes it on both of its sides:
// - on the device it stands in for the CE SDK's own headers, which no machine
//   of this project has; a build with a real CE SDK would take the SDK's;
// - on the desktop it declares what the emulated device's stand-ins
//   (emulator/aygshell, emulator/coredll) export under the device's module and
//   function names, so that the product calls them exactly as on the device.
// The stand-ins include it with CE_SERVICE defined as dllexport: one
// declaration serves the caller and the provider.
#pragma once

#include <windows.h>
#include <winioctl.h>
#include <commdlg.h>

#ifndef CE_SERVICE
#define CE_SERVICE __declspec(dllimport)
#endif

extern "C" {

// ---- Pocket PC shell extensions (aygshell.dll) ----------------------------

// Tap-and-hold recognition.
typedef struct tagSHRGI {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;

#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define SHRG_NOANIMATION 0x00000010

// What SHRecognizeGesture answers for a tap-and-hold under SHRG_RETURNCMD.
#define GN_CONTEXTMENU 1000

CE_SERVICE DWORD SHRecognizeGesture(SHRGINFO* shrg);

// Dialog set-up: the Done button and full-screen sizing.
typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020
#define SHIDIF_WANTSCROLLBAR 0x0040

CE_SERVICE BOOL SHInitDialog(PSHINITDLGINFO pshidi);

// The menu bar at the bottom of a full-screen window.
typedef struct tagSHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

CE_SERVICE BOOL SHCreateMenuBar(SHMENUBARINFO* pmbi);

// ---- CE shell functions (coredll.dll) --------------------------------------

CE_SERVICE HBITMAP WINAPI SHLoadDIBitmap(LPCWSTR szFileName);
CE_SERVICE BOOL WINAPI SHGetSpecialFolderPath(HWND hwndOwner, LPWSTR lpszPath, int nFolder,
                                              BOOL fCreate);
CE_SERVICE BOOL WINAPI SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget);

// The folder numbers are the desktop's; the desktop declares them in a header
// the product does not otherwise need.
#ifndef CSIDL_PROGRAMS
#define CSIDL_PROGRAMS 0x0002
#define CSIDL_STARTUP 0x0007
#define CSIDL_STARTMENU 0x000b
#endif

// ---- CE kernel (coredll.dll) -----------------------------------------------

CE_SERVICE BOOL KernelIoControl(DWORD dwIoControlCode, LPVOID lpInBuf, DWORD nInBufSize,
                                LPVOID lpOutBuf, DWORD nOutBufSize, LPDWORD lpBytesReturned);

#define FILE_DEVICE_HAL 0x00000101
// 0x0101003C: restarts the device.
#define IOCTL_HAL_REBOOT CTL_CODE(FILE_DEVICE_HAL, 15, METHOD_BUFFERED, FILE_ANY_ACCESS)

// The clean-boot flag: the next start discards the object store. The SDK sets
// it with this call, not with a kernel I/O control request of its own.
CE_SERVICE void SetCleanRebootFlag(void);

// The device's power key, as a virtual key (the desktop has VK_OEM_8 there).
#ifndef VK_OFF
#define VK_OFF 0xDF
#endif

// An entry of a module by its UTF-16 name: CE has no other form.
CE_SERVICE FARPROC WINAPI GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName);

#ifndef _WIN32_WCE
// What the device's coredll answers and a desktop leaves to user32 and gdi32:
// the emulated device's coredll answers them, and the platform header sends
// the product's keybd_event and ExtEscape there.
CE_SERVICE void WINAPI DeviceKeyEvent(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo);
CE_SERVICE int WINAPI DeviceExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData,
                                      int cjOutput, LPSTR lpOutData);
// The desktop's file dialogs laid out for the device's screen.
CE_SERVICE BOOL WINAPI DeviceGetOpenFileName(LPOPENFILENAMEW record);
CE_SERVICE BOOL WINAPI DeviceGetSaveFileName(LPOPENFILENAMEW record);
#endif

// ---- The CAB installer's setup-library hooks (ce_setup.h) ------------------

// What the hooks answer; the installer goes on with 0 in each case.
typedef enum { codeINSTALL_INIT_CONTINUE = 0, codeINSTALL_INIT_CANCEL } codeINSTALL_INIT;
typedef enum { codeINSTALL_EXIT_DONE = 0, codeINSTALL_EXIT_UNINSTALL } codeINSTALL_EXIT;
typedef enum { codeUNINSTALL_INIT_CONTINUE = 0, codeUNINSTALL_INIT_CANCEL } codeUNINSTALL_INIT;
typedef enum { codeUNINSTALL_EXIT_DONE = 0 } codeUNINSTALL_EXIT;

// The hooks as the installer looks them up by name in the package's library.
typedef codeINSTALL_INIT (*pfnINSTALL_INIT)(HWND hwndParent, BOOL fFirstCall,
                                            BOOL fPreviouslyInstalled, LPCWSTR pszInstallDir);
typedef codeINSTALL_EXIT (*pfnINSTALL_EXIT)(HWND hwndParent, LPCWSTR pszInstallDir,
                                            WORD cFailedDirs, WORD cFailedFiles,
                                            WORD cFailedRegKeys, WORD cFailedRegVals,
                                            WORD cFailedShortcuts);
typedef codeUNINSTALL_INIT (*pfnUNINSTALL_INIT)(HWND hwndParent, LPCWSTR pszInstallDir);
typedef codeUNINSTALL_EXIT (*pfnUNINSTALL_EXIT)(HWND hwndParent);

// ---- Display driver escapes (pwingdi.h) ------------------------------------

#define SETPOWERMANAGEMENT 6147
#define GETPOWERMANAGEMENT 6148

typedef enum _VIDEO_POWER_STATE {
    VideoPowerOn = 1,
    VideoPowerStandBy,
    VideoPowerSuspend,
    VideoPowerOff
} VIDEO_POWER_STATE,
    *PVIDEO_POWER_STATE;

typedef struct _VIDEO_POWER_MANAGEMENT {
    ULONG Length;
    ULONG DPMSVersion;
    ULONG PowerState;
} VIDEO_POWER_MANAGEMENT, *PVIDEO_POWER_MANAGEMENT;

} // extern "C"

// ---- Display orientation ---------------------------------------------------

// CE's orientation field flag and codes are not the desktop's (0x80, and 3 for
// 270 degrees): the codes are bits, so that a query can answer a set of them.
// The product hands them only to CE's ChangeDisplaySettingsEx, on the desktop
// the emulated device's; a stand-in that calls the desktop's own function
// must not pass them on.
#undef DM_DISPLAYORIENTATION
#undef DMDO_90
#undef DMDO_180
#undef DMDO_270
#define DM_DISPLAYORIENTATION 0x00800000L
#define DM_DISPLAYQUERYORIENTATION 0x01000000L
#define DMDO_0 0
#define DMDO_90 1
#define DMDO_180 2
#define DMDO_270 4
