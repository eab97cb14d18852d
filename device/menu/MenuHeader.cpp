// The header item at the end of the menu farthest from its anchor: a grey
// banner with the program's name and a small "Opt" button that opens the
// settings.
#include "MainWindow.h"
#include "MenuPaint.h"
#include "Screen.h"
#include "resource.h"

namespace {

// Yellow never occurs in the grey banner: nothing of it is left out.
const COLORREF BANNER_KEY_COLOUR = RGB(255, 255, 0);

void DrawBanner(HDC dc, const RECT& area) {
    HBITMAP banner = LoadBitmapW(appInstance, MAKEINTRESOURCEW(IDB_HEADER_BANNER));
    if (!banner) return;
    BITMAP info;
    GetObjectW(banner, sizeof(info), &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, banner);
    TransparentImage(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     source, 0, 0, info.bmWidth, info.bmHeight, BANNER_KEY_COLOUR);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(banner);
}

// A box with cut corners at the right end of the header, outlined with the
// context's pen; filled white, or with the highlight background when selected.
void DrawOptionBox(HDC dc, const RECT& area, int s, bool selected) {
    int x1 = area.right - 25 * s, x2 = area.right - 2 * s;
    int y1 = area.top + 2 * s, y2 = area.bottom + s - 3;
    POINT outline[9] = {
        {x1 + 2 * s, y1},         {x2 - 4 * s, y1},         {x2 - 2 * s, y1 + 2 * s},
        {x2 - 2 * s, y2 - 4 * s}, {x2 - 4 * s, y2 - 2 * s}, {x1 + 2 * s, y2 - 2 * s},
        {x1, y2 - 4 * s},         {x1, y1 + 2 * s},         {x1 + 2 * s, y1}};
    HBRUSH brush = CreateSolidBrush(selected ? GetBkColor(dc) : RGB(255, 255, 255));
    HGDIOBJ previous = SelectObject(dc, brush);
    Polygon(dc, outline, 9);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

} // namespace

void MeasureHeaderItem(MEASUREITEMSTRUCT* item) {
    HDC screen = GetDC(NULL);
    HGDIOBJ previousFont = SelectObject(screen, GetMenuFont());
    SIZE name = {0, 0}, button = {0, 0};
    GetTextExtentExPointW(screen, L"Orvalet", 7, 0, NULL, NULL, &name);
    // Room is kept with capitals; the paint writes "Opt".
    GetTextExtentExPointW(screen, L"OPT", 3, 0, NULL, NULL, &button);
    SelectObject(screen, previousFont);
    ReleaseDC(NULL, screen);
    // No scale factor: the header follows its font.
    item->itemWidth = name.cx + button.cx + 13;
    item->itemHeight = name.cy + 4;
}

LRESULT DrawHeaderItem(const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    const RECT& area = item->rcItem;
    int s = GetScreenScale();
    DrawBanner(dc, area);
    HFONT font = CreateSystemFont(FW_BOLD, 65, GetDeviceCaps(dc, LOGPIXELSY));
    HGDIOBJ previousFont = SelectObject(dc, font);
    RECT text = {area.left + 4, area.top - 1, area.right - 4, area.bottom};
    DrawOptionBox(dc, area, s, (item->itemState & ODS_SELECTED) != 0);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    text.right = text.right - 9 * s + 9;
    DrawTextW(dc, L"Opt", -1, &text, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, L"Orvalet", -1, &text, DT_SINGLELINE | DT_VCENTER);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
    DeleteObject(font);
    return 1;
}
