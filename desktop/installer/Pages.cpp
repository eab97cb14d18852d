#include "Pages.h"
#include "Installer.h"
#include "Labels.h"
#include "Links.h"
#include "resource.h"

#include <string.h>

namespace {

// The white band of the first two pages ends with its line on this row.
const int BAND_LINE_ROW = 59;

struct Product {
    const char* first; // the name's first part, the rest in the heavier font
    const char* rest;
    const char* tagline;
    int icon;
    const char* address;
};

// The two products a page advertises: the one of panel A (1018) and the
// one of panel B (1020), whichever side each panel stands on.
struct ProductPage {
    int page;
    Product a, b;
};

const ProductPage PRODUCT_PAGES[] = {
    {IDD_PRODUCTS_FIRST,
     {"Pocket", "Ledger", "Expenses and budgets in your pocket", IDI_LEDGER,
      "http://www.brantwell.example/products/pocketledger.html"},
     {"Tide", "Clock", "World time, alarms and the tides", IDI_TIDE_CLOCK,
      "http://www.brantwell.example/products/tideclock.html"}},
    {IDD_PRODUCTS_SECOND,
     {"Quill", "Notes", "Handwritten notes you can search", IDI_QUILL,
      "http://www.brantwell.example/products/quillnotes.html"},
     {"Trail", "Map", "Offline maps and GPS tracks", IDI_TRAIL_MAP,
      "http://www.brantwell.example/products/trailmap.html"}},
};

const int PRODUCT_PAGE_COUNT = sizeof(PRODUCT_PAGES) / sizeof(PRODUCT_PAGES[0]);

// Each product page's two links, made the first time the page shows and kept.
Link links[PRODUCT_PAGE_COUNT][2];
bool linksMade[PRODUCT_PAGE_COUNT];

// The index of page among the product pages, or -1.
int ProductPageOf(int page) {
    for (int i = 0; i < PRODUCT_PAGE_COUNT; i++)
        if (PRODUCT_PAGES[i].page == page) return i;
    return -1;
}

void ShowProduct(HWND dialog, const Product& product, int first, int rest, int tagline, int icon,
                 int panel, Link* link) {
    SetDlgItemTextA(dialog, first, product.first);
    SetDlgItemTextA(dialog, rest, product.rest);
    SetDlgItemTextA(dialog, tagline, product.tagline);
    HICON picture = LoadIconA(Instance(), MAKEINTRESOURCEA(product.icon));
    SendDlgItemMessageA(dialog, icon, STM_SETICON, (WPARAM)picture, 0);
    AttachLink(link, GetDlgItem(dialog, panel));
    lstrcpynA(link->address, product.address, sizeof(link->address));
}

void InitProducts(HWND dialog, int index) {
    const ProductPage& products = PRODUCT_PAGES[index];
    ShowProduct(dialog, products.a, IDC_NAME_A_FIRST, IDC_NAME_A_REST, IDC_TAGLINE_A, IDC_ICON_A,
                IDC_PANEL_A, &links[index][0]);
    ShowProduct(dialog, products.b, IDC_NAME_B_FIRST, IDC_NAME_B_REST, IDC_TAGLINE_B, IDC_ICON_B,
                IDC_PANEL_B, &links[index][1]);
}

// The agreement text, exactly as many bytes as its resource holds; without
// one the box stays empty.
void InitAgreement(HWND dialog) {
    HRSRC resource = FindResourceA(Instance(), MAKEINTRESOURCEA(IDR_LICENSE), "LIC_TEXT");
    HGLOBAL loaded = resource ? LoadResource(Instance(), resource) : NULL;
    const char* bytes = loaded ? (const char*)LockResource(loaded) : NULL;
    if (!bytes) return;
    DWORD size = SizeofResource(Instance(), resource);
    char* text = (char*)LocalAlloc(LMEM_FIXED, size + 1);
    if (!text) return;
    memcpy(text, bytes, size);
    text[size] = 0;
    SetDlgItemTextA(dialog, IDC_AGREEMENT_TEXT, text);
    LocalFree(text);
}

// White from 5 pixels outside the client area down to the band's line (the
// first two pages) or to the bottom (the product pages), outlined by the
// default black pen: only the outline's bottom edge shows.
void Paint(HWND dialog, bool wholePage) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    RECT client;
    GetClientRect(dialog, &client);
    HGDIOBJ brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    int bottom = wholePage ? client.bottom : BAND_LINE_ROW + 1;
    Rectangle(dc, client.left - 5, client.top - 5, client.right + 5, bottom);
    SelectObject(dc, brush);
    EndPaint(dialog, &paint);
}

void OnCommand(HWND dialog, int products, int id, int code) {
    switch (id) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); break;
    case IDC_PANEL_A:
    case IDC_PANEL_B:
        if (products >= 0 && code == STN_CLICKED)
            OpenLink(&links[products][id == IDC_PANEL_A ? 0 : 1]);
        break;
    }
}

INT_PTR CALLBACK PageProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    int page = (int)(INT_PTR)GetPropA(dialog, "Page");
    if (message == WM_INITDIALOG) {
        page = (int)lParam;
        SetPropA(dialog, "Page", (HANDLE)(INT_PTR)page);
    }
    int products = ProductPageOf(page);
    if (products >= 0 && !linksMade[products]) {
        CreateLink(&links[products][0]);
        CreateLink(&links[products][1]);
        linksMade[products] = true;
    }
    switch (message) {
    case WM_INITDIALOG:
        SetLabelFonts(dialog);
        if (products >= 0) InitProducts(dialog, products);
        if (page == IDD_AGREEMENT) InitAgreement(dialog);
        return TRUE;
    case WM_PAINT: Paint(dialog, products >= 0); return TRUE;
    case WM_CTLCOLORSTATIC: return (INT_PTR)ColourLabel((HDC)wParam, (HWND)lParam);
    case WM_COMMAND: OnCommand(dialog, products, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_DESTROY: RemovePropA(dialog, "Page"); return FALSE;
    }
    return FALSE;
}

} // namespace

void ShowPage(int page) {
    INT_PTR result = DialogBoxParamA(Instance(), MAKEINTRESOURCEA(page), NULL, PageProcedure, page);
    if (result != IDOK) ExitProcess(0);
}
