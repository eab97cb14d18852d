// The About page: the maker's logo and two lines about the program.
#include "Screen.h"
#include "SettingsSheet.h"

namespace {

const PageLabel LABELS[] = {{IDC_PAGE_HEADER, TEXT_ABOUT_TAB}};

const WCHAR MAKER_LINES[] = L"Orvalet 1.04, Pocket PC quick menu\n"
                            L"\x00A9 2026 Brantwell Pocket Tools";

// The template places the logo for a single-resolution screen; at scale 2 the
// picture is twice as large and stands further right and lower by half its size.
void PlaceLogo(HWND page) {
    if (GetScreenScale() != 2) return;
    HWND logo = GetDlgItem(page, IDC_LOGO);
    RECT place;
    GetWindowRect(logo, &place);
    MapWindowPoints(NULL, page, (POINT*)&place, 2);
    int width = place.right - place.left, height = place.bottom - place.top;
    SetWindowPos(logo, NULL, place.left + width / 2, place.top + height / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Under the logo, centred, in the page's font.
void PaintMakerLines(HWND page) {
    RECT logo, client;
    GetWindowRect(GetDlgItem(page, IDC_LOGO), &logo);
    MapWindowPoints(NULL, page, (POINT*)&logo, 2);
    GetClientRect(page, &client);
    RECT lines = {0, logo.bottom + 8 * GetScreenScale(), client.right, client.bottom};
    HDC dc = GetDC(page);
    HGDIOBJ oldFont = SelectObject(dc, (HFONT)SendMessageW(page, WM_GETFONT, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, MAKER_LINES, -1, &lines, DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    ReleaseDC(page, dc);
}

} // namespace

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        PlaceLogo(page);
        RelabelPage(page, PAGE_ABOUT, LABELS, sizeof(LABELS) / sizeof(LABELS[0]));
        return TRUE;
    case WM_PAINT:
        PaintPageHeader(page, true);
        PaintMakerLines(page);
        return TRUE;
    case WM_CTLCOLORSTATIC: return (INT_PTR)HeaderLabelColors(page, (HDC)wParam, (HWND)lParam);
    case WM_DESTROY: ReleasePictures(page); return FALSE;
    }
    return FALSE;
}
