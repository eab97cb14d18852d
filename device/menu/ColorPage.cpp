// The Color page: the colour mode and the five menu colours, each shown on a
// swatch button and chosen with the platform's colour chooser.
#include "Screen.h"
#include "SettingsSheet.h"

namespace {

const PageLabel LABELS[] = {{IDC_PAGE_HEADER, TEXT_COLOR_TAB}};

// The mode list's entries are the ColorMode values, in this order.
const int MODE_TEXTS[] = {TEXT_NO_COLORS, TEXT_NO_COLORS + 1, TEXT_NO_COLORS + 2,
                          TEXT_NO_COLORS + 3};
const int MODE_COUNT = sizeof(MODE_TEXTS) / sizeof(MODE_TEXTS[0]);
const int32_t CUSTOM_COLORS = 1;

const COLORREF GREYED_LABEL = 0xB4B4B4;

HBRUSH swatchBrush; // the brush last handed to a swatch
WNDPROC buttonProc; // the platform's push-button procedure, under the swatches

// The colour row whose swatch is control, or none.
const SettingRow* SwatchRow(int control) {
    for (int i = 0; i < SETTING_ROW_COUNT; i++)
        if (SETTING_ROWS[i].kind == SETTING_COLOR && SETTING_ROWS[i].control == control)
            return &SETTING_ROWS[i];
    return NULL;
}

bool IsRowLabel(int control) {
    for (int i = 0; i < SETTING_ROW_COUNT; i++)
        if (SETTING_ROWS[i].kind == SETTING_COLOR && SETTING_ROWS[i].label == control) return true;
    return false;
}

// A push button paints its face in the platform's colour, whatever brush its
// page answers; a swatch paints its colour over the face itself, inside the
// button's edges, while it is enabled.
LRESULT CALLBACK SwatchProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcW(buttonProc, button, message, wParam, lParam);
    if (message == WM_PAINT && IsWindowEnabled(button)) {
        HDC dc = GetDC(button);
        HBRUSH brush =
            (HBRUSH)SendMessageW(GetParent(button), WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)button);
        RECT face;
        GetClientRect(button, &face);
        int inset = 3 * GetScreenScale();
        InflateRect(&face, -inset, -inset);
        if (brush) FillRect(dc, &face, brush);
        ReleaseDC(button, dc);
    }
    return result;
}

// Every swatch moves 2 pixels up and left when enabled, down and right when
// disabled: the disabled ones sit on their shadows.
void SetSwatchesEnabled(HWND page, bool enabled, bool keepVisible) {
    int step = enabled ? -2 : 2;
    for (int i = 0; i < SETTING_ROW_COUNT; i++) {
        if (SETTING_ROWS[i].kind != SETTING_COLOR) continue;
        HWND swatch = GetDlgItem(page, SETTING_ROWS[i].control);
        if (!swatch) continue;
        RECT place;
        GetWindowRect(swatch, &place);
        MapWindowPoints(NULL, page, (POINT*)&place, 2);
        SetWindowPos(swatch, NULL, place.left + step, place.top + step, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EnableWindow(swatch, enabled);
        if (!keepVisible) ShowWindow(swatch, SW_HIDE);
    }
}

void RepaintRowLabels(HWND page) {
    for (int i = 0; i < SETTING_ROW_COUNT; i++)
        if (SETTING_ROWS[i].kind == SETTING_COLOR)
            InvalidateRect(GetDlgItem(page, SETTING_ROWS[i].label), NULL, TRUE);
}

// Runs the colour chooser on colour; true when the user chose one.
bool ChooseMenuColor(HWND page, COLORREF* colour) {
    // Set afresh on every call: changes the user makes to them are not kept.
    COLORREF custom[16] = {0x000000, 0xFFFFFF, 0xC8C8C8, 0xFFFFFF, 0xAF0000, 0xC8FFC8,
                           0xFFC8AA, 0xC8C8FF, 0xC8FFFF, 0xDCFFFF, 0,        0,
                           0,        0,        0,        0};
    CHOOSECOLORW chooser;
    ZeroMemory(&chooser, sizeof(chooser));
    chooser.lStructSize = CHOOSE_COLOR_RECORD_SIZE;
    chooser.hwndOwner = page;
    chooser.rgbResult = *colour;
    chooser.lpCustColors = custom;
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColor(&chooser)) return false;
    *colour = chooser.rgbResult;
    return true;
}

void InitPage(HWND page) {
    RelabelPage(page, PAGE_COLOR, LABELS, sizeof(LABELS) / sizeof(LABELS[0]));
    SendDlgItemMessageW(page, IDC_COLOR_MODE, CB_RESETCONTENT, 0, 0);
    for (int text : MODE_TEXTS)
        SendDlgItemMessageW(page, IDC_COLOR_MODE, CB_ADDSTRING, 0, (LPARAM)PageText(text));
    int32_t mode = settings.colorMode;
    SendDlgItemMessageW(page, IDC_COLOR_MODE, CB_SETCURSEL,
                        mode >= 0 && mode < MODE_COUNT ? mode : -1, 0);
    for (int i = 0; i < SETTING_ROW_COUNT; i++) {
        if (SETTING_ROWS[i].kind != SETTING_COLOR) continue;
        HWND swatch = GetDlgItem(page, SETTING_ROWS[i].control);
        WNDPROC previous = (WNDPROC)SetWindowLongPtrW(swatch, GWLP_WNDPROC, (LONG_PTR)SwatchProc);
        if (previous && previous != SwatchProc) buttonProc = previous;
    }
    if (settings.colorMode != CUSTOM_COLORS) SetSwatchesEnabled(page, false, true);
}

void OnCommand(HWND page, WPARAM wParam) {
    int control = LOWORD(wParam);
    if (const SettingRow* row = SwatchRow(control)) {
        if (ChooseMenuColor(page, (COLORREF*)SettingField(*row)))
            InvalidateRect(GetDlgItem(page, control), NULL, FALSE);
    } else if (control == IDC_COLOR_MODE) {
        int chosen = ListSelection(page, IDC_COLOR_MODE);
        if ((settings.colorMode == CUSTOM_COLORS) != (chosen == CUSTOM_COLORS)) {
            SetSwatchesEnabled(page, chosen == CUSTOM_COLORS, true);
            RepaintRowLabels(page);
        }
        settings.colorMode = chosen;
    }
}

HBRUSH SwatchColors(HWND control) {
    if (swatchBrush) DeleteObject(swatchBrush);
    swatchBrush = NULL;
    const SettingRow* row = SwatchRow(GetDlgCtrlID(control));
    if (!row) return NULL;
    swatchBrush = CreateSolidBrush(*(COLORREF*)SettingField(*row));
    return swatchBrush;
}

HBRUSH LabelColors(HWND page, HDC dc, HWND control) {
    if (!IsRowLabel(GetDlgCtrlID(control))) return HeaderLabelColors(page, dc, control);
    SetTextColor(dc, settings.colorMode == CUSTOM_COLORS ? RGB(0, 0, 0) : GREYED_LABEL);
    return GetSysColorBrush(STATIC_BACKGROUND_COLOR);
}

} // namespace

INT_PTR CALLBACK ColorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: InitPage(page); return TRUE;
    case WM_COMMAND: OnCommand(page, wParam); return FALSE;
    case WM_CTLCOLORBTN: return (INT_PTR)SwatchColors((HWND)lParam);
    case WM_CTLCOLORSTATIC: return (INT_PTR)LabelColors(page, (HDC)wParam, (HWND)lParam);
    case WM_PAINT: PaintPageHeader(page, true); return TRUE;
    case WM_DESTROY:
        if (swatchBrush) DeleteObject(swatchBrush);
        swatchBrush = NULL;
        ReleasePictures(page);
        return FALSE;
    }
    return FALSE;
}
