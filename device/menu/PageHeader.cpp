#include "PageHeader.h"
#include "Screen.h"
#include "resource.h"

namespace {

HFONT headerFont;

// The system font's description in bold "Tahoma" of 8.25 points.
HFONT CreateHeaderFont(HDC dc) {
    LOGFONTW font;
    if (!GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font))
        ZeroMemory(&font, sizeof(font));
    wcscpy(font.lfFaceName, L"Tahoma");
    font.lfWeight = FW_BOLD;
    font.lfWidth = 0;
    font.lfHeight = -(int)(GetDeviceCaps(dc, LOGPIXELSY) * 8.25 / 72);
    return CreateFontIndirectW(&font);
}

} // namespace

void PaintPageHeader(HWND page, bool withVersion) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(page, &paint);
    RECT client;
    GetClientRect(page, &client);
    int y = 23 * GetScreenScale();
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, y, NULL);
    LineTo(dc, client.right, y);
    SelectObject(dc, oldPen);
    // The version stamp is left empty: the header band of a page on a
    // 240-pixel screen has no room for it; the About page names the version.
    (void)withVersion;
    EndPaint(page, &paint);
}

HBRUSH HeaderLabelColors(HWND page, HDC dc, HWND control) {
    if (control != GetDlgItem(page, IDC_PAGE_HEADER)) return NULL;
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    if (!headerFont) headerFont = CreateHeaderFont(dc);
    // Without the font the label keeps the platform's default one.
    if (headerFont) {
        SelectObject(dc, headerFont);
        AdoptLabelFont(control, headerFont);
    }
    return GetSysColorBrush(STATIC_BACKGROUND_COLOR);
}

void DeleteHeaderFont() {
    if (!headerFont) return;
    DeleteObject(headerFont);
    headerFont = NULL;
}
