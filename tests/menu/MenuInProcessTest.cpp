// The menu code inside the test program: anchors at any height, exact
// measures, and the paint rules on a bitmap of our own.
#include "Commands.h"
#include "MenuFont.h"
#include "Device.h"
#include "IconStrip.h"
#include "LanguageTable.h"
#include "MainWindow.h"
#include "Menu.h"
#include "MenuPaint.h"
#include "Screen.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using device::THEME_KEY;

void SetTheme(const wchar_t* name, DWORD type, const std::vector<BYTE>& bytes) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, THEME_KEY, 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    RegSetValueExW(key, name, 0, type, bytes.data(), (DWORD)bytes.size());
    RegCloseKey(key);
}

std::string Rgb(COLORREF c) {
    return "(" + std::to_string(GetRValue(c)) + ", " + std::to_string(GetGValue(c)) + ", " +
           std::to_string(GetBValue(c)) + ")";
}

// What the menu looked like while it was open.
struct SeenMenu {
    bool shown = false;
    RECT window = {};
    std::vector<ULONG_PTR> data;
};

// Shows the menu at the anchor on this thread; a helper thread reads it and
// asks the main window to close it, as the task-bar component would.
SeenMenu ShowAt(int x, int y) {
    menuAnchorX = x;
    menuAnchorY = y;
    SeenMenu seen;
    std::thread reader([&] {
        HWND window = NULL;
        if (!device::WaitFor(
                [&] {
                    window = FindWindowW(L"#32768", NULL);
                    return window && IsWindowVisible(window);
                },
                5000))
            return;
        HMENU menu = (HMENU)SendMessageW(window, MN_GETHMENU, 0, 0);
        GetWindowRect(window, &seen.window);
        for (int i = 0; i < GetMenuItemCount(menu); i++) {
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_DATA;
            GetMenuItemInfoW(menu, i, TRUE, &info);
            seen.data.push_back(info.dwItemData);
        }
        seen.shown = true;
        PostMessageW(mainWindow, MSG_CLOSE_MENU, 0, 0);
    });
    DispatchMenuCommand(0, true);
    reader.join();
    return seen;
}

class InProcess : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        device::CloseResident();
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, THEME_KEY);
        languageTable = new LanguageTable(L"Orvalet.bin", GetDefaultTexts());
        iconStrip.LoadFromResource(GetModuleHandleW(NULL), 181);
        ASSERT_TRUE(CreateMainWindow(GetModuleHandleW(NULL)));
    }
    void SetUp() override {
        saved = settings;
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, THEME_KEY);
    }
    void TearDown() override {
        settings = saved;
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, THEME_KEY);
    }
    Settings saved;
};

// The header goes first from y 100 down, the menu grows upwards only below
// 100; the cached menu is rebuilt when the header changes side, kept otherwise.
TEST_F(InProcess, AnchorSides) {
    int height = GetScreenHeight();
    // A short menu, so that the platform never has to move it to fit.
    for (int i = 0; i < 32; i++)
        settings.menuItems[i].shown = i < 1;
    if (cachedMenu) DestroyMenu(cachedMenu);
    cachedMenu = NULL;
    { // y 99: header last, dropping down
        SeenMenu seen = ShowAt(150, 99);
        ASSERT_TRUE(seen.shown);
        ASSERT_EQ(2u, seen.data.size());
        EXPECT_EQ((ULONG_PTR)CMD_SETTINGS, seen.data.back()) << "header last";
        EXPECT_EQ(99, seen.window.top) << "drops down from the anchor";
        EXPECT_FALSE(cachedMenuHeaderFirst);
    }
    HMENU atHundred;
    { // y 100: header first, still dropping down; the menu was rebuilt
        SeenMenu seen = ShowAt(150, 100);
        ASSERT_TRUE(seen.shown);
        ASSERT_EQ(2u, seen.data.size());
        EXPECT_EQ((ULONG_PTR)CMD_SETTINGS, seen.data.front()) << "header first";
        EXPECT_EQ(100, seen.window.top) << "drops down from the anchor";
        EXPECT_TRUE(cachedMenuHeaderFirst);
        atHundred = cachedMenu;
    }
    { // y 101: header first, growing upwards; the same menu reused
        SeenMenu seen = ShowAt(150, 101);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ((ULONG_PTR)CMD_SETTINGS, seen.data.front());
        EXPECT_EQ(101, seen.window.bottom) << "grows upwards from the anchor";
        EXPECT_EQ(atHundred, cachedMenu) << "rebuilt although the side did not change";
    }
    { // x: 10 pixels to the left of the anchor
        SeenMenu seen = ShowAt(40, height / 2);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(30, seen.window.left);
    }
    { // a command other than the menu also prepares the menu for its side
        menuAnchorY = 20;
        DispatchMenuCommand(999, true); // no action behind 999
        EXPECT_FALSE(cachedMenuHeaderFirst);
        EXPECT_EQ(nullptr, FindWindowW(L"#32768", NULL));
    }
}

// Sizes the platform is told, at this screen's scale.
TEST_F(InProcess, Measures) {
    int s = GetScreenScale();
    SIZE memory = device::MenuFontExtent(L"Memory");
    SIZE name = device::MenuFontExtent(L"Orvalet");
    SIZE opt = device::MenuFontExtent(L"OPT");

    struct Case {
        const char* what;
        ULONG_PTR data;
        int showIcons;
        UINT width, height;
    } cases[] = {
        {"item with icons", CMD_MEMORY, 1, (UINT)(memory.cx + 24 * s + s), (UINT)(20 * s)},
        {"item without icons", CMD_MEMORY, 0, (UINT)(memory.cx + 5 * s), (UINT)(20 * s)},
        {"separator", 0, 1, (UINT)(20 + s), (UINT)(10 * s)},
        {"separator without icons", 0, 0, (UINT)(20 + s), (UINT)(10 * s)},
        {"separator id in the high word", 0x50000, 1, (UINT)(20 + s), (UINT)(10 * s)},
        {"header", CMD_SETTINGS, 1, (UINT)(name.cx + opt.cx + 13), (UINT)(name.cy + 4)},
        {"header without icons", CMD_SETTINGS, 0, (UINT)(name.cx + opt.cx + 13),
         (UINT)(name.cy + 4)},
        {"command without a label", 80, 1, (UINT)(24 * s + s), (UINT)(20 * s)},
    };
    for (const Case& c : cases) {
        settings.showIcons = c.showIcons;
        MEASUREITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemData = c.data;
        EXPECT_EQ(1, MeasureMenuItem(&item)) << c.what;
        EXPECT_EQ(c.width, item.itemWidth) << c.what;
        EXPECT_EQ(c.height, item.itemHeight) << c.what;
    }
}

// The colour of each role in each mode, from the settings or the theme key.
TEST_F(InProcess, ColoursOfTheModes) {
    settings.colorText = RGB(1, 2, 3);
    settings.colorBackground = RGB(4, 5, 6);
    settings.colorIconBackground = RGB(7, 8, 9);
    { // custom colours ignore the theme
        SetTheme(L"5", REG_BINARY, {50, 51, 52});
        EXPECT_EQ(RGB(7, 8, 9), GetMenuColor(CustomColors, IconBackground));
        EXPECT_EQ(RGB(4, 5, 6), GetMenuColor(CustomColors, MenuBackground));
        EXPECT_EQ(RGB(1, 2, 3), GetMenuColor(CustomColors, MenuText));
    }
    { // no key: grey column, white menu, black text, in both theme modes
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, THEME_KEY);
        EXPECT_EQ(RGB(192, 192, 192), GetMenuColor(ThemeColors, IconBackground));
        EXPECT_EQ(RGB(255, 255, 255), GetMenuColor(ThemeColors, MenuBackground));
        EXPECT_EQ(RGB(0, 0, 0), GetMenuColor(ThemeColors, MenuText));
        EXPECT_EQ(RGB(255, 255, 255), GetMenuColor(ReverseThemeColors, IconBackground));
        EXPECT_EQ(RGB(192, 192, 192), GetMenuColor(ReverseThemeColors, MenuBackground));
    }
    { // theme values, read again at every call; reversed swaps the backgrounds
        SetTheme(L"5", REG_BINARY, {50, 51, 52, 0});
        SetTheme(L"8", REG_BINARY, {80, 81, 82, 0});
        SetTheme(L"9", REG_BINARY, {90, 91, 92, 0});
        EXPECT_EQ(RGB(50, 51, 52), GetMenuColor(ThemeColors, IconBackground));
        EXPECT_EQ(RGB(80, 81, 82), GetMenuColor(ThemeColors, MenuBackground));
        EXPECT_EQ(RGB(90, 91, 92), GetMenuColor(ThemeColors, MenuText));
        EXPECT_EQ(RGB(80, 81, 82), GetMenuColor(ReverseThemeColors, IconBackground));
        EXPECT_EQ(RGB(50, 51, 52), GetMenuColor(ReverseThemeColors, MenuBackground));
        EXPECT_EQ(RGB(90, 91, 92), GetMenuColor(ReverseThemeColors, MenuText));
        SetTheme(L"8", REG_BINARY, {10, 20, 30});
        EXPECT_EQ(RGB(10, 20, 30), GetMenuColor(ThemeColors, MenuBackground)) << "a cached colour";
    }
    { // value sizes: up to 10 bytes are read; shorter than a colour or longer
        // than 10 counts as unreadable
        SetTheme(L"9", REG_BINARY, {90, 91, 92, 93, 94, 95, 96, 97, 98, 99});
        EXPECT_EQ(RGB(90, 91, 92), GetMenuColor(ThemeColors, MenuText)) << "10 bytes";
        SetTheme(L"9", REG_BINARY, {90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100});
        EXPECT_EQ(RGB(0, 0, 0), GetMenuColor(ThemeColors, MenuText)) << "11 bytes";
        SetTheme(L"9", REG_BINARY, {90, 91});
        EXPECT_EQ(RGB(0, 0, 0), GetMenuColor(ThemeColors, MenuText)) << "2 bytes";
        SetTheme(L"9", REG_BINARY, {});
        EXPECT_EQ(RGB(0, 0, 0), GetMenuColor(ThemeColors, MenuText)) << "empty";
        SetTheme(L"9", REG_DWORD, {90, 91, 92, 0});
        EXPECT_EQ(RGB(90, 91, 92), GetMenuColor(ThemeColors, MenuText)) << "a DWORD's bytes";
    }
}

// Paint requests on a bitmap of our own: every pixel the rules set.
class Painting : public InProcess {
  protected:
    void SetUp() override {
        InProcess::SetUp();
        s = GetScreenScale();
        HDC screen = GetDC(NULL);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, WIDTH, 20 * s);
        ReleaseDC(NULL, screen);
        previous = SelectObject(dc, bitmap);
    }
    void TearDown() override {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        InProcess::TearDown();
    }
    // Paints item data into the bitmap with the context's colours preset.
    LRESULT Paint(ULONG_PTR data, bool selected, COLORREF text, COLORREF background) {
        RECT all = {0, 0, WIDTH, 20 * s};
        FillRect(dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
        SetTextColor(dc, text);
        SetBkColor(dc, background);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemData = data;
        item.itemState = selected ? ODS_SELECTED : 0;
        item.hDC = dc;
        item.rcItem = {0, 0, WIDTH, (data & 0xFFFF) ? 20 * s : 10 * s};
        return DrawMenuItem(&item);
    }
    COLORREF Column() { return GetPixel(dc, 1, 1); }
    COLORREF Background() { return GetPixel(dc, WIDTH - 3, 1); }
    bool HasPixel(COLORREF colour, int left, int right, int bottom) {
        for (int y = 0; y < bottom; y++)
            for (int x = left; x < right; x++)
                if (GetPixel(dc, x, y) == colour) return true;
        return false;
    }
    static const int WIDTH = 200;
    int s;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

TEST_F(Painting, ColumnBackgroundAndText) {
    settings.colorText = RGB(0, 128, 0);
    settings.colorBackground = RGB(255, 255, 200);
    settings.colorIconBackground = RGB(100, 100, 160);
    settings.colorHighlightText = RGB(255, 255, 0);
    settings.colorHighlightBackground = RGB(120, 0, 0);
    const COLORREF PRESET_TEXT = RGB(11, 12, 13), PRESET_BACK = RGB(210, 220, 230);
    int labelLeft = 24 * s + 4;
    { // custom colours
        settings.colorMode = CustomColors;
        EXPECT_EQ(0, Paint(CMD_MEMORY, false, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(RGB(100, 100, 160), Column()) << Rgb(Column());
        EXPECT_EQ(RGB(255, 255, 200), Background()) << Rgb(Background());
        EXPECT_TRUE(HasPixel(RGB(0, 128, 0), labelLeft, labelLeft + 40, 20 * s)) << "label colour";
        EXPECT_FALSE(HasPixel(RGB(0, 128, 0), 0, labelLeft - 4, 20 * s))
            << "label starts too early";
    }
    { // a selected item: column and background in the highlight colours
        EXPECT_EQ(0, Paint(CMD_MEMORY, true, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(RGB(120, 0, 0), Column()) << Rgb(Column());
        EXPECT_EQ(RGB(120, 0, 0), Background()) << Rgb(Background());
        EXPECT_TRUE(HasPixel(RGB(255, 255, 0), labelLeft, labelLeft + 40, 20 * s));
    }
    { // the highlight holds in the theme modes too
        settings.colorMode = ThemeColors;
        EXPECT_EQ(0, Paint(CMD_MEMORY, true, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(RGB(120, 0, 0), Column()) << Rgb(Column());
        EXPECT_EQ(RGB(120, 0, 0), Background()) << Rgb(Background());
    }
    { // NoColors: an item keeps the colours in the context
        settings.colorMode = NoColors;
        EXPECT_EQ(0, Paint(CMD_MEMORY, false, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(PRESET_BACK, Column()) << Rgb(Column());
        EXPECT_EQ(PRESET_BACK, Background()) << Rgb(Background());
        EXPECT_TRUE(HasPixel(PRESET_TEXT, labelLeft, labelLeft + 40, 20 * s));
    }
    { // NoColors: a separator takes the platform's menu colours
        EXPECT_EQ(0, Paint(0, false, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(GetSysColor(COLOR_MENU), Column()) << Rgb(Column());
        EXPECT_EQ(GetSysColor(COLOR_MENU), GetPixel(dc, WIDTH - 3, 1));
        EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), GetPixel(dc, WIDTH / 2, 5 * s)) << "separator line";
    }
    { // a selected separator keeps the column colour and the menu colours
        settings.colorMode = CustomColors;
        EXPECT_EQ(0, Paint(0, true, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(RGB(100, 100, 160), Column()) << Rgb(Column());
        EXPECT_EQ(RGB(255, 255, 200), GetPixel(dc, WIDTH - 3, 1));
        int middle = 5 * s;
        // 7 x scale in from both ends (a wide pen's round ends may add a pixel)
        EXPECT_EQ(RGB(0, 128, 0), GetPixel(dc, 7 * s, middle)) << "line starts at 7 x scale";
        EXPECT_EQ(RGB(100, 100, 160), GetPixel(dc, 6 * s, middle)) << "the column left of the line";
        EXPECT_EQ(RGB(0, 128, 0), GetPixel(dc, WIDTH - 7 * s - 1, middle))
            << "line ends 7 x scale short";
        EXPECT_EQ(RGB(255, 255, 200), GetPixel(dc, WIDTH - 6 * s, middle));
        int rows = 0;
        for (int y = 0; y < 10 * s; y++)
            rows += GetPixel(dc, WIDTH / 2, y) == RGB(0, 128, 0);
        EXPECT_EQ(s, rows) << "the line is scale pixels thick";
        EXPECT_EQ(RGB(0, 128, 0), GetPixel(dc, WIDTH / 2, middle)) << "through the middle";
    }
    { // no icon column: the background runs from the left edge, the label 4 px in
        settings.showIcons = 0;
        EXPECT_EQ(0, Paint(CMD_MEMORY, false, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(RGB(255, 255, 200), Column()) << Rgb(Column());
        EXPECT_TRUE(HasPixel(RGB(0, 128, 0), 4, 24, 20 * s));
        EXPECT_FALSE(HasPixel(RGB(0, 128, 0), 0, 4, 20 * s));
    }
    { // the header answers 1 and draws its banner: black top and bottom rows
        settings.showIcons = 1;
        EXPECT_EQ(1, Paint(CMD_SETTINGS, false, PRESET_TEXT, PRESET_BACK));
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 40, 0));
        COLORREF box = GetPixel(dc, WIDTH - 22 * s, 2 * s + 2);
        EXPECT_EQ(RGB(255, 255, 255), box) << "the white Opt box: " << Rgb(box);
        EXPECT_EQ(1, Paint(CMD_SETTINGS, true, PRESET_TEXT, PRESET_BACK));
        box = GetPixel(dc, WIDTH - 22 * s, 2 * s + 2);
        EXPECT_EQ(PRESET_BACK, box) << "selected: the box in the context's background " << Rgb(box);
    }
}

TEST_F(InProcess, ExitClosesTheMainWindow) {
    HWND window = mainWindow;
    ASSERT_TRUE(IsWindow(window));
    DispatchMenuCommand(CMD_EXIT, true);
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit message";
}

} // namespace

// The device flags make this a UTF-16 program.
int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
