// The tray icon's pictures: built-in, custom bitmap, pressed, hidden.
#include "Bitmap.h"
#include "Screen.h"
#include "Spine.h"

using namespace device;

namespace {

const COLORREF MAGENTA = RGB(255, 0, 255);
const COLORREF RED = RGB(255, 0, 0);
const wchar_t CUSTOM_PATH[] = L"C:\\My Documents\\tray.bmp";

class TrayIcon : public SpineTest {
  protected:
    void UseCustomIcon(const std::string& fileBytes) {
        DeleteFileW(CUSTOM_PATH);
        if (!fileBytes.empty()) ASSERT_TRUE(WriteFileBytes(CUSTOM_PATH, fileBytes));
        SetSetting(L"TrayIcon", 1);
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegOpenKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_ALL_ACCESS, &key));
        RegSetValueExW(key, L"TrayIconBMP", 0, REG_SZ, (const BYTE*)CUSTOM_PATH,
                       sizeof(CUSTOM_PATH));
        RegCloseKey(key);
    }
    // The tray area while the program runs with the current settings.
    std::vector<COLORREF> RunAndCapture() {
        EXPECT_TRUE(StartResident(program));
        // The tray draws in its own time: wait for two equal pictures in a row.
        std::vector<COLORREF> pixels = CaptureScreen(TrayIconArea()), previous;
        WaitFor([&] {
            Sleep(100);
            previous = pixels;
            pixels = CaptureScreen(TrayIconArea());
            return pixels == previous;
        });
        CloseResident();
        return pixels;
    }
    std::vector<COLORREF> BuiltInIcon() {
        DeleteSettings();
        std::vector<COLORREF> pixels = RunAndCapture();
        return pixels;
    }
};

// A red square on a magenta ground, the size of the icon.
std::string RedSquareOnMagenta(int size) {
    return MakeBitmapFile(size, size, [size](int x, int y) {
        return x >= size / 4 && x < size * 3 / 4 && y >= size / 4 && y < size * 3 / 4 ? RED
                                                                                      : MAGENTA;
    });
}

TEST_F(TrayIcon, CustomBitmapShowsWithItsMagentaTransparent) {
    std::vector<COLORREF> builtIn = BuiltInIcon();
    UseCustomIcon(RedSquareOnMagenta(16));
    std::vector<COLORREF> custom = RunAndCapture();
    EXPECT_EQ(64, CountColour(custom, RED)) << "the 8x8 red square";
    EXPECT_EQ(0, CountColour(custom, MAGENTA)) << "magenta must be transparent";
    EXPECT_NE(builtIn, custom);
}

TEST_F(TrayIcon, OnlyTheTopLeftSquareOfALargerBitmapIsUsed) {
    UseCustomIcon(MakeBitmapFile(
        40, 24, [](int x, int y) { return x < 16 && y < 16 ? RED : RGB(0, 255, 0); }));
    std::vector<COLORREF> custom = RunAndCapture();
    EXPECT_EQ(256, CountColour(custom, RED));
    EXPECT_EQ(0, CountColour(custom, RGB(0, 255, 0)));
}

TEST_F(TrayIcon, UnusableCustomBitmapsFallBackToTheBuiltInIcon) {
    std::vector<COLORREF> builtIn = BuiltInIcon();
    ASSERT_LT(CountColour(builtIn, builtIn[0]), (int)builtIn.size())
        << "no built-in icon to compare";
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"missing file", ""},
        {"not a bitmap", "This is a note, not a picture.\r\n"},
        {"truncated bitmap", RedSquareOnMagenta(16).substr(0, 40)},
    };
    for (const Case& c : cases) {
        UseCustomIcon(c.bytes);
        std::vector<COLORREF> shown = RunAndCapture();
        int differences = 0;
        for (size_t i = 0; i < shown.size() && i < builtIn.size(); i++)
            differences += shown[i] != builtIn[i];
        EXPECT_EQ(0, differences) << c.what << ": pixels unlike the built-in icon";
    }
}

TEST_F(TrayIcon, BitmapSmallerThanTheIconLeavesTheRestClear) {
    UseCustomIcon(MakeBitmapFile(8, 8, [](int, int) { return RED; }));
    std::vector<COLORREF> custom = RunAndCapture();
    EXPECT_EQ(64, CountColour(custom, RED)) << "the picture itself";
    EXPECT_EQ(0, CountColour(custom, RGB(0, 0, 0))) << "no black beyond the picture";
}

TEST_F(TrayIcon, PressedIconShowsWhileTheMenuIsOpen) {
    UseShortMenu();
    ASSERT_TRUE(StartResident(program));
    std::vector<COLORREF> normal = CaptureScreen(TrayIconArea());
    input::Tap(TrayIconPoint());
    ASSERT_TRUE(WaitMenu(true));
    EXPECT_TRUE(WaitFor([&] { return CaptureScreen(TrayIconArea()) != normal; }, 3000))
        << "the tray icon did not change while the menu is open";
    ASSERT_TRUE(CloseMenu());
    EXPECT_TRUE(WaitFor([&] { return CaptureScreen(TrayIconArea()) == normal; }, 3000))
        << "the normal icon did not come back";
}

TEST_F(TrayIcon, CustomIconHasNoPressedForm) {
    UseShortMenu();
    UseCustomIcon(RedSquareOnMagenta(16));
    ASSERT_TRUE(StartResident(program));
    std::vector<COLORREF> normal = CaptureScreen(TrayIconArea());
    input::Tap(TrayIconPoint());
    ASSERT_TRUE(WaitMenu(true));
    Sleep(300);
    EXPECT_EQ(normal, CaptureScreen(TrayIconArea()));
    ASSERT_TRUE(CloseMenu());
}

TEST_F(TrayIcon, OnVgaTheIconNeverChangesWhileTheMenuIsOpen) {
    UseShortMenu();
    ASSERT_TRUE(StartResident(program));
    std::vector<COLORREF> normal = CaptureScreen(TrayIconArea());
    ASSERT_GT((int)normal.size() - CountColour(normal, normal[0]), 20) << "no icon in the tray";
    input::Tap(TrayIconPoint());
    ASSERT_TRUE(WaitMenu(true));
    Sleep(300);
    std::vector<COLORREF> during = CaptureScreen(TrayIconArea());
    int differences = 0;
    for (size_t i = 0; i < during.size(); i++)
        differences += during[i] != normal[i];
    EXPECT_EQ(0, differences) << "pixels of the tray icon changed";
    ASSERT_TRUE(CloseMenu());
}

TEST_F(TrayIcon, OnVgaCustomBitmapsAreTakenAt32Pixels) {
    UseCustomIcon(RedSquareOnMagenta(32));
    std::vector<COLORREF> custom = RunAndCapture();
    EXPECT_EQ(256, CountColour(custom, RED)) << "the 16x16 red square of a 32x32 picture";
    EXPECT_EQ(0, CountColour(custom, MAGENTA));
}

TEST_F(TrayIcon, HiddenIconStillLeavesTheMenuReachable) {
    SetSetting(L"HideTrayIcon", 1);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(WaitFor([] { return MainWindow() != NULL; }));
    Sleep(300);
    EXPECT_FALSE(TrayIconVisible());
    Program second;
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(WaitMenu(true)) << "a second start shows the menu";
    EXPECT_TRUE(CloseMenu());
    EXPECT_EQ(0, second.WaitExit());
    PostMessageW(MainWindow(), MSG_TASKBAR_GESTURE, 0, 120);
    EXPECT_TRUE(WaitMenu(true)) << "a tap report shows the menu";
    EXPECT_TRUE(CloseMenu());
    PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitExit());
}

} // namespace
