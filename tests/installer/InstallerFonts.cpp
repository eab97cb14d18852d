// The installer's four fonts, sized from the display's pixels per inch.
#include <gtest/gtest.h>
#include <windows.h>

#include "Labels.h"
#include "resource.h"

namespace {

int LabelFontHeight(HWND dialog, int id) {
    HFONT font = (HFONT)SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0);
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof(description), &description)) return 0;
    return description.lfHeight;
}

} // namespace

// 15/19/11 pixels at 96 pixels per inch and 19/24/14 at 120: the product of
// the resolution and the point size truncated, not rounded.
TEST(Fonts, HeightsFollowThePixelsPerInch) {
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    const char* wanted = getenv("ORVALET_DESKTOP_DPI");
    ASSERT_EQ(atoi(wanted ? wanted : "96"), dpi);
    struct Heights {
        int title, name, tagline;
    } heights = dpi == 120 ? Heights{19, 24, 14} : Heights{15, 19, 11};
    ASSERT_TRUE(dpi == 96 || dpi == 120) << dpi;

    HWND dialog = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
    for (int id : {IDC_TITLE, IDC_NAME_A_FIRST, IDC_NAME_A_REST, IDC_TAGLINE_A})
        CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, dialog, (HMENU)(INT_PTR)id, NULL, NULL);
    SetLabelFonts(dialog);
    EXPECT_EQ(-heights.title, LabelFontHeight(dialog, IDC_TITLE));
    EXPECT_EQ(-heights.name, LabelFontHeight(dialog, IDC_NAME_A_FIRST));
    EXPECT_EQ(-heights.name, LabelFontHeight(dialog, IDC_NAME_A_REST));
    EXPECT_EQ(-heights.tagline, LabelFontHeight(dialog, IDC_TAGLINE_A));
    DestroyWindow(dialog);
}
