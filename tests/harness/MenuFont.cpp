#include "MenuFont.h"

namespace device {
namespace {

// Selects the menu font into the screen's context for use(dc).
template <typename Use> void WithMenuFont(Use use) {
    HDC screen = GetDC(NULL);
    LOGFONTW font;
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
    font.lfHeight = -(int)(GetDeviceCaps(screen, LOGPIXELSY) * 8 / 72.0 + 0.5);
    font.lfWidth = 0;
    font.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(screen, bold);
    use(screen);
    SelectObject(screen, previous);
    DeleteObject(bold);
    ReleaseDC(NULL, screen);
}

} // namespace

SIZE MenuFontExtent(const wchar_t* text) {
    SIZE extent = {0, 0};
    WithMenuFont([&](HDC dc) { GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent); });
    return extent;
}

std::wstring MenuFontFace() {
    wchar_t face[LF_FACESIZE] = L"";
    WithMenuFont([&](HDC dc) { GetTextFaceW(dc, LF_FACESIZE, face); });
    return face;
}

} // namespace device
