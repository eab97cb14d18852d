// The CE core services that a desktop lacks, as the emulated device provides
// them. Device paths ("\Windows\StartUp") are paths from the root of the
// emulator's drive C:, where the emulated programs run.
#include <windows.h>

#define CE_SERVICE __declspec(dllexport)
#include "CeServices.h"
#include "Answers.h"
#include "DeviceLog.h"

extern "C" {

namespace {

struct SpecialFolder {
    int id;
    const wchar_t* path;
};

// The Pocket PC's folders, by the CSIDL numbers the device uses.
const SpecialFolder SPECIAL_FOLDERS[] = {
    {0x0002, L"\\Windows\\Start Menu\\Programs"}, // CSIDL_PROGRAMS
    {0x0005, L"\\My Documents"},                  // CSIDL_PERSONAL
    {0x0006, L"\\Windows\\Favorites"},            // CSIDL_FAVORITES
    {0x0007, L"\\Windows\\StartUp"},              // CSIDL_STARTUP
    {0x000b, L"\\Windows\\Start Menu"},           // CSIDL_STARTMENU
    {0x0010, L"\\Windows\\Desktop"},              // CSIDL_DESKTOPDIRECTORY
    {0x0014, L"\\Windows\\Fonts"},                // CSIDL_FONTS
    {0x0026, L"\\Program Files"},                 // CSIDL_PROGRAM_FILES
};

} // namespace

BOOL WINAPI SHGetSpecialFolderPath(HWND, LPWSTR path, int folder, BOOL create) {
    if (!path) return FALSE;
    DWORD refused;
    if (ReadAnswer(ANSWER_REFUSED_FOLDER, &refused) && refused == (DWORD)folder) {
        path[0] = 0;
        return FALSE;
    }
    for (const SpecialFolder& entry : SPECIAL_FOLDERS) {
        if (entry.id != folder) continue;
        lstrcpynW(path, entry.path, MAX_PATH);
        if (create) CreateDirectoryW(path, NULL);
        return TRUE;
    }
    path[0] = 0;
    return FALSE;
}

// The device's shortcut file: the target's length in characters, "#", and the
// target (a quoted path, optionally followed by arguments), in 8-bit text.
BOOL WINAPI SHCreateShortcut(LPWSTR shortcut, LPWSTR target) {
    if (!shortcut || !target) return FALSE;
    int length = lstrlenW(target);
    char content[MAX_PATH * 3 + 16];
    int prefix = wsprintfA(content, "%d#", length);
    int bytes = WideCharToMultiByte(CP_ACP, 0, target, length, content + prefix,
                                    sizeof(content) - prefix, NULL, NULL);
    if (length > 0 && bytes == 0) return FALSE;
    HANDLE file =
        CreateFileW(shortcut, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    DWORD written = 0;
    BOOL ok = WriteFile(file, content, prefix + bytes, &written, NULL);
    CloseHandle(file);
    DeviceLog(L"coredll", L"shortcut %ls -> %ls", shortcut, target);
    return ok && written == (DWORD)(prefix + bytes);
}

// The device's loader refuses a file that is shorter than its headers say.
// The sizes are reckoned in 64 bits: a header's width, depth or offset must not
// wrap round into a size that passes.
static bool IsWholeBitmapFile(LPCWSTR fileName) {
    HANDLE file =
        CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    DWORD got = 0, got2 = 0;
    DWORD size = GetFileSize(file, NULL);
    ReadFile(file, &header, sizeof(header), &got, NULL);
    ReadFile(file, &info, sizeof(info), &got2, NULL);
    CloseHandle(file);
    if (got != sizeof(header) || got2 != sizeof(info) || header.bfType != 0x4D42) return false;
    if (info.biWidth <= 0 || info.biHeight == 0) return false;
    ULONGLONG height = info.biHeight < 0 ? -(LONGLONG)info.biHeight : info.biHeight;
    ULONGLONG stride = ((ULONGLONG)info.biWidth * info.biBitCount + 31) / 32 * 4;
    ULONGLONG bits = info.biCompression == BI_RGB ? stride * height : info.biSizeImage;
    return header.bfOffBits + bits <= size;
}

HBITMAP WINAPI SHLoadDIBitmap(LPCWSTR fileName) {
    if (!fileName || !fileName[0] || !IsWholeBitmapFile(fileName)) return NULL;
    return (HBITMAP)LoadImageW(NULL, fileName, IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

} // extern "C"
