// A strip of square command icons side by side, drawn from a memory device
// context that lives as long as the strip.
#pragma once

#include "platform.h"

class IconStrip {
  public:
    IconStrip();
    ~IconStrip();

    // Takes ownership of bitmap; false (strip unchanged) when there is none.
    bool Attach(HBITMAP bitmap);
    void Release();
    bool LoadFromFile(const WCHAR* path);
    bool LoadFromResource(HINSTANCE instance, int resourceId);
    bool IsLoaded() const { return bitmap != NULL; }
    int CellSize() const { return cellSize; }

    // Draws icon index at (x, y), 16 x screen scale pixels square, leaving out
    // pixels of the transparent colour.
    void DrawIcon(HDC dc, int x, int y, int index, COLORREF transparent) const;

  private:
    HBITMAP bitmap;
    HDC memoryDC;
    HGDIOBJ previousBitmap;
    BITMAP bitmapInfo;
    int cellSize;
};

extern IconStrip iconStrip;
