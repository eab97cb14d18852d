#include "MenuPaint.h"
#include "Commands.h"
#include "LanguageTable.h"
#include "Screen.h"

namespace {

const WCHAR* LabelOf(ULONG_PTR command) {
    const TextChar* text = languageTable ? languageTable->GetText((int)command) : NULL;
    return text ? text : L"";
}

} // namespace

LRESULT MeasureMenuItem(MEASUREITEMSTRUCT* item) {
    int scale = GetScreenScale();
    if ((item->itemData & 0xFFFF) == 0) {
        item->itemWidth = 20 + scale;
        item->itemHeight = 10 * scale;
        return 1;
    }
    const WCHAR* label = item->itemData == CMD_SETTINGS ? L"Orvalet OPT" : LabelOf(item->itemData);
    HDC screen = GetDC(NULL);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(screen, label, lstrlenW(label), &extent);
    ReleaseDC(NULL, screen);
    item->itemWidth = extent.cx + 24 * scale + scale;
    item->itemHeight = 20 * scale;
    return 1;
}

LRESULT DrawMenuItem(const DRAWITEMSTRUCT* item) {
    RECT text = item->rcItem;
    bool selected = (item->itemState & ODS_SELECTED) != 0;
    SetBkColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    ExtTextOutW(item->hDC, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &text, L"", 0, NULL);
    if ((item->itemData & 0xFFFF) == 0) return 0;
    text.left += 24 * GetScreenScale();
    const WCHAR* label = item->itemData == CMD_SETTINGS ? L"Orvalet" : LabelOf(item->itemData);
    DrawTextW(item->hDC, label, -1, &text, DT_SINGLELINE | DT_VCENTER);
    return item->itemData == CMD_SETTINGS ? 1 : 0;
}
