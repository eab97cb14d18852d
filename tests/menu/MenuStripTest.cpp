// Icons drawn from the right strip at the right size, a short user strip, and
// the GDI objects the program holds after many menus.
#include "MenuSupport.h"

using namespace device;
using namespace menutest;

namespace {

const COLORREF MAGENTA = RGB(255, 0, 255);

// The pixels of a strip: width x height, row by row from the top.
struct Strip {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

bool ReadBitmap(HBITMAP bitmap, Strip* strip) {
    BITMAP info;
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return false;
    strip->width = info.bmWidth;
    strip->height = info.bmHeight;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits((size_t)info.bmWidth * info.bmHeight);
    HDC screen = GetDC(NULL);
    int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, bits.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    strip->pixels.clear();
    for (DWORD pixel : bits)
        strip->pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    return rows == info.bmHeight;
}

// The built-in 16-pixel strip, from the installed program's resources.
bool BuiltInStrip(Strip* strip) {
    HMODULE program = LoadLibraryExW(PROGRAM_PATH, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HBITMAP bitmap = program ? (HBITMAP)LoadImageW(program, MAKEINTRESOURCEW(181), IMAGE_BITMAP, 0,
                                                   0, LR_CREATEDIBSECTION)
                             : NULL;
    bool ok = ReadBitmap(bitmap, strip);
    if (bitmap) DeleteObject(bitmap);
    if (program) FreeLibrary(program);
    return ok;
}

bool FileStrip(const wchar_t* path, Strip* strip) {
    HBITMAP bitmap =
        (HBITMAP)LoadImageW(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    bool ok = ReadBitmap(bitmap, strip);
    if (bitmap) DeleteObject(bitmap);
    return ok;
}

// Compares icon index of strip, enlarged by factor, with the screen at the
// icon's place in the item; the strip's magenta pixels must show the column.
void ExpectIcon(const Strip& strip, int index, int factor, const RECT& item, COLORREF column,
                const char* what) {
    int s = Scale();
    int cell = strip.height;
    RECT area = {item.left + 4 * s - 2, item.top + 2 * s, item.left + 4 * s - 2 + cell * factor,
                 item.top + 2 * s + cell * factor};
    Capture shot = CaptureArea(area);
    int wrong = 0, drawn = 0;
    std::string first;
    for (int y = 0; y < cell * factor; y++) {
        for (int x = 0; x < cell * factor; x++) {
            COLORREF source = strip.At(index * cell + x / factor, y / factor);
            COLORREF expected = source == MAGENTA ? column : source;
            drawn += source != MAGENTA;
            COLORREF seen = shot.At(area.left + x, area.top + y);
            if (seen != expected && wrong++ == 0)
                first = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") expected " +
                        Rgb(expected) + ", seen " + Rgb(seen);
        }
    }
    EXPECT_GT(drawn, 20) << what << ": the strip's icon is empty";
    EXPECT_EQ(0, wrong) << what << ": " << wrong << " pixels differ, first " << first;
}

class IconStrips : public MenuTest {
  protected:
    void TearDown() override {
        MenuTest::TearDown();
        if (FileExists(std::wstring(VGA_STRIP) + L".away"))
            MoveFileW((std::wstring(VGA_STRIP) + L".away").c_str(), VGA_STRIP);
    }
    bool MemoryItem(RECT* rect) {
        OpenMenu menu;
        if (!OpenByTap(&menu)) return false;
        int index = FindMenuItem(menu, CMD_MEMORY);
        if (index < 0) return false;
        *rect = menu.items[index].rect;
        return true;
    }
};

TEST_F(IconStrips, DrawnFromTheRightStrip) {
    int s = Scale();
    Strip builtIn, vga;
    ASSERT_TRUE(BuiltInStrip(&builtIn)) << "no bitmap 181 in the program";
    ASSERT_EQ(432, builtIn.width);
    ASSERT_TRUE(FileStrip(VGA_STRIP, &vga)) << "no Orvalet.vga beside the program";
    ASSERT_EQ(864, vga.width);
    const COLORREF COLUMN = RGB(200, 200, 200);
    { // as installed: the 32-pixel strip 1:1 on VGA, the built-in one 1:1 otherwise
        StartProgram();
        RECT item;
        ASSERT_TRUE(MemoryItem(&item));
        if (s == 2)
            ExpectIcon(vga, CMD_MEMORY - 1, 1, item, COLUMN, "32-pixel strip");
        else
            ExpectIcon(builtIn, CMD_MEMORY - 1, 1, item, COLUMN, "built-in strip");
        ASSERT_TRUE(DismissByOutsideTap());
        CloseResident();
    }
    if (s == 2) { // no "vga" file on VGA: the built-in strip stretched to 32
        ASSERT_TRUE(MoveFileW(VGA_STRIP, (std::wstring(VGA_STRIP) + L".away").c_str()));
        StartProgram();
        RECT item;
        ASSERT_TRUE(MemoryItem(&item));
        ExpectIcon(builtIn, CMD_MEMORY - 1, 2, item, COLUMN, "built-in strip stretched");
        ASSERT_TRUE(DismissByOutsideTap());
        CloseResident();
        MoveFileW((std::wstring(VGA_STRIP) + L".away").c_str(), VGA_STRIP);
    }
    { // a user "bmp" strip of three icons wins over every other strip; later
        // commands have no icon
        std::vector<COLORREF> pixels(48 * 16, MAGENTA);
        const COLORREF colours[3] = {RGB(200, 30, 30), RGB(30, 160, 30), RGB(30, 30, 200)};
        for (int i = 0; i < 3; i++)
            for (int y = 2; y < 14; y++)
                for (int x = 2; x < 14; x++)
                    pixels[(size_t)y * 48 + i * 16 + x] = colours[i];
        ASSERT_TRUE(WriteFileBytes(USER_STRIP, MakeBmp(48, 16, pixels)));
        Strip user;
        ASSERT_TRUE(FileStrip(USER_STRIP, &user));
        SetItem(0, CMD_SOFT_RESET, 1);
        SetItem(1, CMD_POWER_OFF, 1);
        SetItem(2, CMD_BRIGHTNESS, 1);
        SetItem(3, CMD_MEMORY, 1);
        for (int slot = 4; slot < 32; slot++)
            SetItem(slot, CMD_BATTERY, 0);
        StartProgram();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        ASSERT_EQ(5u, menu.items.size()) << DescribeMenu(menu);
        ExpectIcon(user, 0, s, menu.items[1].rect, COLUMN, "user strip, command 1");
        ExpectIcon(user, 2, s, menu.items[2].rect, COLUMN, "user strip, command 3");
        for (int i = 3; i <= 4; i++) {
            RECT column = {menu.items[i].rect.left, menu.items[i].rect.top,
                           menu.items[i].rect.left + 24 * s - 4, menu.items[i].rect.bottom};
            Capture shot = CaptureArea(column);
            EXPECT_EQ((int)shot.pixels.size(), shot.Count(COLUMN))
                << "command " << menu.items[i].data << " has an icon beyond the strip";
        }
        ASSERT_TRUE(DismissByOutsideTap());
    }
}

// Many menus, shown, painted in full and closed, leave the program holding no
// more GDI objects than after the first few.
TEST_F(IconStrips, NoGdiGrowthAfter200Menus) {
    { // the count sees objects come and go (here, the test's own)
        long before = CountGdiObjects(GetCurrentProcess());
        ASSERT_GE(before, 0) << "GDI objects cannot be counted";
        HBRUSH brushes[5];
        for (HBRUSH& brush : brushes)
            brush = CreateSolidBrush(RGB(1, 2, 3));
        EXPECT_EQ(before + 5, CountGdiObjects(GetCurrentProcess()));
        for (HBRUSH brush : brushes)
            DeleteObject(brush);
        EXPECT_EQ(before, CountGdiObjects(GetCurrentProcess()));
    }
    SetSetting(L"Custom Colors", 2); // the theme path too
    StartProgram();
    HWND window = MainWindow();
    auto showAndClose = [&](int i) {
        PostMessageW(window, MSG_SHOW_MENU, 0, 0);
        if (!WaitMenu(true)) return false;
        HWND menu = MenuWindow();
        // A full paint of every item, whatever the platform had painted yet.
        if (menu) RedrawWindow(menu, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PostMessageW(window, MSG_CLOSE_MENU, 0, 0);
        return WaitMenu(false);
    };
    for (int i = 0; i < 5; i++)
        ASSERT_TRUE(showAndClose(i)) << "warm-up menu " << i;
    long settled = CountGdiObjects(program.Handle());
    ASSERT_GT(settled, 0) << "the program holds no GDI objects at all?";
    for (int i = 0; i < 200; i++)
        ASSERT_TRUE(showAndClose(i)) << "menu " << i;
    long after = CountGdiObjects(program.Handle());
    EXPECT_EQ(settled, after) << "GDI objects after 5 menus: " << settled
                              << ", after 205: " << after;
}

} // namespace
