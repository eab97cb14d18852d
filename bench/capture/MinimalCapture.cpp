// The yardstick: the smallest program that does what Orvalet's screen capture
// does once the save dialog's OK is pressed — the screen into a 24-bit DIB
// section, then the file's headers and pixels in one WriteFile — and nothing
// else.
#include <windows.h>
#include <commdlg.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t name[512] = L"";
    OPENFILENAMEW record = {};
    record.lStructSize = sizeof(record);
    record.lpstrFilter = L"Bitmap Files (*.bmp)\0*.bmp\0";
    record.lpstrFile = name;
    record.nMaxFile = 512;
    record.Flags = OFN_EXPLORER;
    record.lpstrDefExt = L"bmp";
    if (!GetSaveFileNameW(&record)) return 1;

    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    DWORD stride = (width * 3 + 3) & ~3, image = stride * height;
    BITMAPINFOHEADER info = {sizeof(info), width, height, 1, 24, BI_RGB, image, 0, 0, 0, 0};
    BITMAPFILEHEADER header = {0x4D42, 54 + image, 0, 0, 54};
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP section = CreateDIBSection(memory, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);

    BYTE* file = (BYTE*)HeapAlloc(GetProcessHeap(), 0, 54 + image);
    CopyMemory(file, &header, 14);
    CopyMemory(file + 14, &info, 40);
    CopyMemory(file + 54, bits, image);
    HANDLE out = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_WRITE, NULL, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    if (out != INVALID_HANDLE_VALUE) {
        WriteFile(out, file, 54 + image, &written, NULL);
        CloseHandle(out);
    }
    HeapFree(GetProcessHeap(), 0, file);
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return written == 54 + image ? 0 : 2;
}
