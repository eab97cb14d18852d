// The menu's pixels on the emulated screen: colours of each mode, the
// highlighted item, the theme key, sizes.
#include "MenuFont.h"
#include "MenuSupport.h"

using namespace device;
using namespace menutest;

namespace {

const COLORREF TEXT = RGB(0, 128, 0), BACKGROUND = RGB(255, 255, 200), COLUMN = RGB(100, 100, 160);
const COLORREF HIGH_TEXT = RGB(255, 255, 0), HIGH_BACKGROUND = RGB(120, 0, 0);

class MenuPaint : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        SetSetting(L"ColorTC", TEXT);
        SetSetting(L"ColorBK", BACKGROUND);
        SetSetting(L"ColorIBK", COLUMN);
        SetSetting(L"ColorSTC", HIGH_TEXT);
        SetSetting(L"ColorSBK", HIGH_BACKGROUND);
    }
    // Opens the menu and returns the Memory item's rectangle.
    bool OpenAtMemory(RECT* rect) {
        OpenMenu menu;
        if (!OpenByTap(&menu)) return false;
        int index = FindMenuItem(menu, CMD_MEMORY);
        if (index < 0) {
            ADD_FAILURE() << "no Memory item: " << DescribeMenu(menu);
            return false;
        }
        *rect = menu.items[index].rect;
        return true;
    }
    // Column, background and label colours of the item on screen.
    void ExpectItem(const RECT& item, COLORREF column, COLORREF background, COLORREF text,
                    const char* what) {
        int s = Scale();
        Capture shot = CaptureArea(item);
        EXPECT_EQ(Rgb(column), Rgb(shot.At(item.left + 1, item.top + 1)))
            << what << ": icon column";
        EXPECT_EQ(Rgb(background), Rgb(shot.At(item.right - 3, item.top + 1)))
            << what << ": background";
        RECT label = {item.left + 24 * s + 4, item.top, item.left + 24 * s + 60, item.bottom};
        EXPECT_TRUE(CaptureArea(label).Contains(text))
            << what << ": no label pixel of " << Rgb(text);
    }
};

TEST_F(MenuPaint, ColoursOfEachMode) {
    { // custom colours
        StartProgram();
        RECT item;
        ASSERT_TRUE(OpenAtMemory(&item));
        ExpectItem(item, COLUMN, BACKGROUND, TEXT, "custom");
        // the stylus on the item highlights it, column included; lifting it
        // there chooses it
        input::StylusDown(Centre(item));
        COLORREF seen;
        EXPECT_TRUE(WaitPixel(item.left + 1, item.top + 1, HIGH_BACKGROUND, &seen)) << Rgb(seen);
        ExpectItem(item, HIGH_BACKGROUND, HIGH_BACKGROUND, HIGH_TEXT, "highlighted");
        input::StylusUp(Centre(item));
        EXPECT_TRUE(WaitLog("ctlpnl: open \"cplmain.cpl 4 0\""));
        CloseResident();
    }
    { // theme colours from the key, read at every paint
        SetSetting(L"Custom Colors", 2);
        SetThemeValue(L"5", std::string("\x32\x33\x34\x00", 4));
        SetThemeValue(L"8", std::string("\xF0\xE0\xD0\x00", 4));
        SetThemeValue(L"9", std::string("\x90\x10\x20\x00", 4));
        StartProgram();
        RECT item;
        ASSERT_TRUE(OpenAtMemory(&item));
        ExpectItem(item, RGB(0x32, 0x33, 0x34), RGB(0xF0, 0xE0, 0xD0), RGB(0x90, 0x10, 0x20),
                   "theme");
        input::StylusDown(Centre(item));
        COLORREF seen;
        EXPECT_TRUE(WaitPixel(item.left + 1, item.top + 1, HIGH_BACKGROUND, &seen))
            << "a highlighted item keeps the custom highlight in theme mode: " << Rgb(seen);
        input::StylusUp(Centre(item));
        ASSERT_TRUE(WaitMenu(false));
        SetThemeValue(L"8", std::string("\xA0\xB0\xC0", 3));
        ASSERT_TRUE(OpenAtMemory(&item));
        ExpectItem(item, RGB(0x32, 0x33, 0x34), RGB(0xA0, 0xB0, 0xC0), RGB(0x90, 0x10, 0x20),
                   "theme changed while running");
        ASSERT_TRUE(DismissByOutsideTap());
        CloseResident();
    }
    { // reversed theme: the two backgrounds swap
        SetSetting(L"Custom Colors", 3);
        StartProgram();
        RECT item;
        ASSERT_TRUE(OpenAtMemory(&item));
        ExpectItem(item, RGB(0xA0, 0xB0, 0xC0), RGB(0x32, 0x33, 0x34), RGB(0x90, 0x10, 0x20),
                   "reversed");
        ASSERT_TRUE(DismissByOutsideTap());
    }
    { // no theme key: grey column, white menu, black text (no restart needed)
        DeleteTheme();
        RECT item;
        ASSERT_TRUE(OpenAtMemory(&item));
        ExpectItem(item, RGB(255, 255, 255), RGB(192, 192, 192), RGB(0, 0, 0), "reversed, no key");
        ASSERT_TRUE(DismissByOutsideTap());
        CloseResident();
        SetSetting(L"Custom Colors", 2);
        StartProgram();
        ASSERT_TRUE(OpenAtMemory(&item));
        ExpectItem(item, RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0), "theme, no key");
        ASSERT_TRUE(DismissByOutsideTap());
        CloseResident();
    }
    { // no colours: the platform's menu colours, and its highlight
        SetSetting(L"Custom Colors", 0);
        StartProgram();
        RECT item;
        ASSERT_TRUE(OpenAtMemory(&item));
        ExpectItem(item, GetSysColor(COLOR_MENU), GetSysColor(COLOR_MENU),
                   GetSysColor(COLOR_MENUTEXT), "no colours");
        input::StylusDown(Centre(item));
        COLORREF seen;
        EXPECT_TRUE(WaitPixel(item.right - 3, item.top + 1, GetSysColor(COLOR_HIGHLIGHT), &seen))
            << Rgb(seen);
        input::StylusUp(Centre(item));
        ASSERT_TRUE(WaitMenu(false));
    }
}

// Heights of items, separators and the header, and the room the icon column
// takes, on the real menu.
TEST_F(MenuPaint, Sizes) {
    int s = Scale();
    // Measures in any other face than the device's would hold for no device.
    ASSERT_EQ(L"Tahoma", MenuFontFace()) << "the emulated device lacks the device's font";
    SIZE name = MenuFontExtent(L"Orvalet");

    long widths[2];
    for (int icons = 1; icons >= 0; icons--) {
        CloseResident();
        SetSetting(L"ShowIcons", icons);
        StartProgram();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        ASSERT_EQ(15u, menu.items.size());
        for (size_t i = 0; i < menu.items.size(); i++) {
            const OpenMenuItem& item = menu.items[i];
            long height = item.rect.bottom - item.rect.top;
            long expected = item.data == HEADER ? name.cy + 4 : item.data == 0 ? 10 * s : 20 * s;
            EXPECT_EQ(expected, height)
                << "item " << i << " (" << item.data << "), icons " << icons;
        }
        widths[icons] = menu.items[1].rect.right - menu.items[1].rect.left;
        if (icons) { // icons: the column is drawn; the label starts after it
            RECT first = menu.items[1].rect;
            Capture shot = CaptureArea(first);
            EXPECT_EQ(Rgb(COLUMN), Rgb(shot.At(first.left, first.bottom - 1)));
            EXPECT_EQ(Rgb(COLUMN), Rgb(shot.At(first.left + 24 * s - 5, first.top)));
            EXPECT_EQ(Rgb(BACKGROUND), Rgb(shot.At(first.left + 24 * s - 4, first.top)));
        } else { // no icons: no column at all
            RECT first = menu.items[1].rect;
            RECT column = {first.left, first.top, first.left + 4, first.bottom};
            EXPECT_EQ(0, CaptureArea(column).Count(COLUMN)) << "a column without icons";
        }
        ASSERT_TRUE(DismissByOutsideTap());
    }
    EXPECT_EQ(20 * s, widths[1] - widths[0]) << "room for the icon column";
}

} // namespace
