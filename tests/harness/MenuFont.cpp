#include "MenuFont.h"

namespace device {

SIZE MenuFontExtent(const wchar_t* text) {
    HDC screen = GetDC(NULL);
    LOGFONTW font;
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
    font.lfHeight = -(int)(GetDeviceCaps(screen, LOGPIXELSY) * 8 / 72.0 + 0.5);
    font.lfWidth = 0;
    font.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(screen, bold);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(screen, text, lstrlenW(text), &extent);
    SelectObject(screen, previous);
    DeleteObject(bold);
    ReleaseDC(NULL, screen);
    return extent;
}

} // namespace device
