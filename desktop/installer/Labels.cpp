#include "Labels.h"
#include "resource.h"

namespace {

enum FontKind { TITLE_FONT, NAME_FIRST_FONT, NAME_REST_FONT, TAGLINE_FONT, FONT_KINDS };

struct FontSpec {
    const char* face;
    int weight;
    bool antialiased;
    double height; // points per inch: points / 72
};

const FontSpec FONTS[FONT_KINDS] = {
    {"Tahoma", FW_BOLD, false, 11.5 / 72},
    {"Arial", 0, true, 14.5 / 72},
    {"Arial Black", 0, true, 14.5 / 72},
    {"Arial", 0, true, 8.5 / 72},
};

// Made on first use from the system font's description and kept for the
// life of the program.
HFONT Font(FontKind kind) {
    static HFONT fonts[FONT_KINDS];
    if (!fonts[kind]) {
        LOGFONTA font;
        GetObjectA(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
        HDC screen = GetDC(NULL);
        font.lfHeight = -(int)(GetDeviceCaps(screen, LOGPIXELSY) * FONTS[kind].height);
        ReleaseDC(NULL, screen);
        font.lfWidth = 0;
        font.lfWeight = FONTS[kind].weight;
        if (FONTS[kind].antialiased) font.lfQuality |= ANTIALIASED_QUALITY;
        lstrcpynA(font.lfFaceName, FONTS[kind].face, LF_FACESIZE);
        fonts[kind] = CreateFontIndirectA(&font);
    }
    return fonts[kind];
}

HBRUSH Hollow() {
    return (HBRUSH)GetStockObject(NULL_BRUSH);
}

HBRUSH NameLabel(HDC dc, FontKind kind) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectObject(dc, Font(kind));
    return Hollow();
}

// Which font each label is drawn in.
struct LabelFont {
    int id;
    FontKind kind;
};

const LabelFont LABEL_FONTS[] = {
    {IDC_TITLE, TITLE_FONT},
    {IDC_NAME_A_FIRST, NAME_FIRST_FONT},
    {IDC_NAME_B_FIRST, NAME_FIRST_FONT},
    {IDC_PRODUCT_FIRST, NAME_FIRST_FONT},
    {IDC_NAME_A_REST, NAME_REST_FONT},
    {IDC_NAME_B_REST, NAME_REST_FONT},
    {IDC_PRODUCT_REST, NAME_REST_FONT},
    {IDC_PRODUCT_TAGLINE, TAGLINE_FONT},
    {IDC_TAGLINE_A, TAGLINE_FONT},
    {IDC_TAGLINE_B, TAGLINE_FONT},
};

} // namespace

void SetLabelFonts(HWND dialog) {
    for (const LabelFont& label : LABEL_FONTS) {
        HWND control = GetDlgItem(dialog, label.id);
        if (control) SendMessageA(control, WM_SETFONT, (WPARAM)Font(label.kind), FALSE);
    }
}

HBRUSH ColourLabel(HDC dc, HWND control) {
    switch (GetDlgCtrlID(control)) {
    case IDC_TITLE:
        SetTextColor(dc, RGB(0, 0, 0));
        SelectObject(dc, Font(TITLE_FONT));
        return Hollow();
    case IDC_HEADER_ICON: return (HBRUSH)GetStockObject(WHITE_BRUSH);
    case IDC_NAME_A_FIRST:
    case IDC_NAME_B_FIRST:
    case IDC_PRODUCT_FIRST: return NameLabel(dc, NAME_FIRST_FONT);
    case IDC_NAME_A_REST:
    case IDC_NAME_B_REST:
    case IDC_PRODUCT_REST: return NameLabel(dc, NAME_REST_FONT);
    case IDC_PRODUCT_TAGLINE:
    case IDC_TAGLINE_A:
    case IDC_TAGLINE_B: return NameLabel(dc, TAGLINE_FONT);
    case 0xFFFF: // the unnamed labels
        SetBkMode(dc, TRANSPARENT);
        return Hollow();
    default: return NULL;
    }
}
