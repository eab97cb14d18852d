// The popup menu's items and separators: sizes, icon column, label and
// colours. Everything is read afresh at each request; only the font is kept.
#include "MenuPaint.h"
#include "Commands.h"
#include "IconStrip.h"
#include "LanguageTable.h"
#include "Screen.h"
#include "Settings.h"

namespace {

HFONT menuFont;

const COLORREF STRIP_KEY_COLOUR = RGB(255, 0, 255);

// Primary languages whose labels want the regular weight at 9 points.
bool IsEastAsianLanguage() {
    int primary = PRIMARYLANGID(GetSystemDefaultLangID());
    return primary == LANG_CHINESE || primary == LANG_JAPANESE || primary == LANG_KOREAN;
}

bool IsSeparator(ULONG_PTR itemData) {
    return (itemData & 0xFFFF) == 0;
}

// A command without a label (an id past the table) measures and paints as an
// empty label.
const WCHAR* LabelOf(ULONG_PTR itemData) {
    const TextChar* text = languageTable ? languageTable->GetText((int)itemData) : NULL;
    return text ? text : L"";
}

// An opaque output of no characters: the cheapest fill with the background
// colour that every version of the platform has.
void FillWithBackground(HDC dc, const RECT& area) {
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &area, L"", 0, NULL);
}

struct ItemPaint {
    HDC dc;
    RECT rect;
    int scale;
    int mode;
    bool selected;
    bool separator;
    ULONG_PTR itemData;
};

// The icon column at the left of the item; the label starts where it ends.
void DrawIconColumn(const ItemPaint& item, RECT* text) {
    RECT column = item.rect;
    column.right = item.rect.left + 24 * item.scale - 4;
    text->left = column.right;
    if (item.mode != NoColors)
        SetBkColor(item.dc, item.selected && !item.separator
                                ? settings.colorHighlightBackground
                                : GetMenuColor(item.mode, IconBackground));
    else if (item.separator)
        SetBkColor(item.dc, GetSysColor(COLOR_MENU));
    // An item in NoColors keeps the background the platform put into the context.
    FillWithBackground(item.dc, column);
    if (item.separator) return;
    int iconSize = 16 * item.scale;
    int inset = (column.right - column.left - iconSize) / 2; // 2 at scale 1, 6 at scale 2
    iconStrip.DrawIcon(item.dc, item.rect.left + inset, item.rect.top + 2 * item.scale,
                       (int)item.itemData - 1, STRIP_KEY_COLOUR);
}

void SetItemColours(const ItemPaint& item) {
    if (item.separator) {
        if (item.mode == NoColors) {
            SetTextColor(item.dc, GetSysColor(COLOR_MENUTEXT));
            SetBkColor(item.dc, GetSysColor(COLOR_MENU));
        } else {
            SetTextColor(item.dc, GetMenuColor(item.mode, MenuText));
            SetBkColor(item.dc, GetMenuColor(item.mode, MenuBackground));
        }
        return;
    }
    if (item.mode == NoColors) return; // the platform's colours stay
    if (item.selected) {
        SetTextColor(item.dc, settings.colorHighlightText);
        SetBkColor(item.dc, settings.colorHighlightBackground);
    } else {
        SetTextColor(item.dc, GetMenuColor(item.mode, MenuText));
        SetBkColor(item.dc, GetMenuColor(item.mode, MenuBackground));
    }
}

// A line across the middle, 7 x scale short of both ends, in the text colour.
// Polyline rather than MoveToEx/LineTo: the older devices have only Polyline.
void DrawSeparatorLine(const ItemPaint& item) {
    HPEN pen = CreatePen(PS_SOLID, item.scale, GetTextColor(item.dc));
    HGDIOBJ previousPen = SelectObject(item.dc, pen);
    int middle = (item.rect.top + item.rect.bottom) / 2;
    POINT line[2] = {{item.rect.left + 7 * item.scale, middle},
                     {item.rect.right - 7 * item.scale, middle}};
    Polyline(item.dc, line, 2);
    SelectObject(item.dc, previousPen);
    DeleteObject(pen);
}

void DrawLabel(const ItemPaint& item, RECT text) {
    HGDIOBJ previousFont = SelectObject(item.dc, GetMenuFont());
    text.left += 4; // not scaled
    DrawTextW(item.dc, LabelOf(item.itemData), -1, &text, DT_SINGLELINE | DT_VCENTER);
    SelectObject(item.dc, previousFont);
}

void DrawPlainItem(const DRAWITEMSTRUCT* record) {
    ItemPaint item = {record->hDC,
                      record->rcItem,
                      GetScreenScale(),
                      settings.colorMode,
                      (record->itemState & ODS_SELECTED) != 0,
                      IsSeparator(record->itemData),
                      record->itemData};
    RECT text = item.rect;
    if (settings.showIcons) DrawIconColumn(item, &text);
    SetItemColours(item);
    FillWithBackground(item.dc, text);
    if (item.separator)
        DrawSeparatorLine(item);
    else
        DrawLabel(item, text);
}

} // namespace

HFONT CreateSystemFont(int weight, int tenthsOfPoint, int pixelsPerInch) {
    LOGFONTW description;
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(description), &description);
    // Nearest whole pixel (add a half, drop the fraction), as a character height.
    description.lfHeight = -((pixelsPerInch * tenthsOfPoint + 360) / 720);
    // The desktop's stock font carries a fixed average width that would squeeze
    // the face at any other height; the device's has none.
    description.lfWidth = 0;
    description.lfWeight = weight;
    return CreateFontIndirectW(&description);
}

HFONT GetMenuFont() {
    if (menuFont) return menuFont;
    HDC screen = GetDC(NULL);
    int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    menuFont = IsEastAsianLanguage() ? CreateSystemFont(FW_NORMAL, 90, pixelsPerInch)
                                     : CreateSystemFont(FW_BOLD, 80, pixelsPerInch);
    return menuFont; // lives for the whole run
}

void MeasureLabel(const WCHAR* text, SIZE* size) {
    HDC screen = GetDC(NULL);
    HGDIOBJ previousFont = SelectObject(screen, GetMenuFont());
    size->cx = 0;
    size->cy = 0;
    GetTextExtentExPointW(screen, text, (int)wcslen(text), 0, NULL, NULL, size);
    SelectObject(screen, previousFont);
    ReleaseDC(NULL, screen);
    size->cx += GetScreenScale() * (settings.showIcons ? 24 : 4);
}

LRESULT MeasureMenuItem(MEASUREITEMSTRUCT* item) {
    int scale = GetScreenScale();
    if (item->itemData == CMD_SETTINGS) {
        MeasureHeaderItem(item);
    } else if (IsSeparator(item->itemData)) {
        item->itemWidth = 20 + scale;
        item->itemHeight = 10 * scale;
    } else {
        SIZE label;
        MeasureLabel(LabelOf(item->itemData), &label);
        item->itemWidth = label.cx + scale;
        item->itemHeight = 20 * scale; // the label's own height is not used
    }
    return 1;
}

LRESULT DrawMenuItem(const DRAWITEMSTRUCT* item) {
    if (item->itemData == CMD_SETTINGS) return DrawHeaderItem(item);
    DrawPlainItem(item);
    return 0;
}
