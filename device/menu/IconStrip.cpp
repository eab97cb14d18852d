#include "IconStrip.h"
#include "Screen.h"

IconStrip iconStrip;

IconStrip::IconStrip()
    : bitmap(NULL), memoryDC(NULL), previousBitmap(NULL), bitmapInfo(), cellSize(0) {}

IconStrip::~IconStrip() {
    Release();
}

bool IconStrip::Attach(HBITMAP newBitmap) {
    if (!newBitmap) return false;
    Release();
    HDC screen = GetDC(NULL);
    memoryDC = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    bitmap = newBitmap;
    previousBitmap = SelectObject(memoryDC, bitmap);
    GetObjectW(bitmap, sizeof(bitmapInfo), &bitmapInfo);
    cellSize = bitmapInfo.bmHeight;
    return true;
}

void IconStrip::Release() {
    if (!bitmap) return;
    SelectObject(memoryDC, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(memoryDC);
    bitmap = NULL;
    memoryDC = NULL;
    previousBitmap = NULL;
    cellSize = 0;
}

bool IconStrip::LoadFromFile(const WCHAR* path) {
    return Attach(SHLoadDIBitmap(path));
}

bool IconStrip::LoadFromResource(HINSTANCE instance, int resourceId) {
    return Attach(LoadBitmapW(instance, MAKEINTRESOURCEW(resourceId)));
}

void IconStrip::DrawIcon(HDC dc, int x, int y, int index, COLORREF transparent) const {
    // A strip with fewer icons (or none at all) leaves later commands without one.
    if (!bitmap || cellSize <= 0 || index < 0 || (index + 1) * cellSize > bitmapInfo.bmWidth)
        return;
    int size = 16 * GetScreenScale();
    TransparentImage(dc, x, y, size, size, memoryDC, index * cellSize, 0, cellSize,
                     bitmapInfo.bmHeight, transparent);
}
