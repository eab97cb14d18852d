// Start-up: the single resident copy, "-Q", "-V", and the end of the program.
#include "Spine.h"

using namespace device;

namespace {

int CountMainWindows() {
    int count = 0;
    for (HWND window = NULL; (window = FindWindowExW(NULL, window, L"Orvalet", L"Orvalet"));)
        count++;
    return count;
}

class CommandLine : public SpineTest {};

TEST_F(CommandLine, CloseEndsWithZeroAndRemovesTheTrayIcon) {
    ASSERT_TRUE(StartResident(program)) << "no main window or tray icon";
    HWND window = MainWindow();
    EXPECT_FALSE(IsWindowVisible(window)) << "the main window must stay hidden";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitExit());
    EXPECT_TRUE(WaitFor([] { return !TrayIconVisible(); }, 5000)) << "tray icon left behind";
}

TEST_F(CommandLine, SecondStartShowsTheResidentMenuAndEndsAfterIt) {
    UseShortMenu();
    ASSERT_TRUE(StartResident(program));
    Program second;
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(WaitMenu(true)) << "the resident copy did not show its menu";
    EXPECT_EQ(ScreenHeight() - 25, WindowRect(MenuWindow()).bottom);
    EXPECT_TRUE(second.Running()) << "the second copy must wait until the menu is done";
    EXPECT_EQ(1, CountMainWindows());

    ASSERT_TRUE(CloseMenu());
    EXPECT_EQ(0, second.WaitExit());
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(1, CountMainWindows());
}

TEST_F(CommandLine, QuickOptionRunsTheQuickActionWithoutAWindow) {
    SetSetting(L"QuickAction", QUICK_MEMORY);
    ASSERT_TRUE(program.Start(L"-Q"));
    bool windowSeen = false;
    WaitFor([&] {
        windowSeen = windowSeen || MainWindow() != NULL;
        return !program.Running();
    });
    EXPECT_EQ(0, program.WaitExit());
    EXPECT_FALSE(windowSeen) << "-Q must not create the main window";
    EXPECT_TRUE(WaitLog(MEMORY_PAGE));
    EXPECT_EQ(1, CountInLog(MEMORY_PAGE));
}

TEST_F(CommandLine, QuickOptionLeavesTheResidentCopyAlone) {
    SetSetting(L"QuickAction", QUICK_MEMORY);
    ASSERT_TRUE(StartResident(program));
    Program quick;
    // Options are found anywhere in the command line.
    ASSERT_TRUE(quick.Start(L"/x-Qy"));
    EXPECT_EQ(0, quick.WaitExit());
    EXPECT_TRUE(WaitLog(MEMORY_PAGE));
    EXPECT_EQ(nullptr, MenuWindow()) << "the resident copy showed its menu";
    EXPECT_EQ(1, CountInLog(MEMORY_PAGE));
    EXPECT_TRUE(program.Running());

    // The lower-case form is no option: this start is a second copy.
    Program second;
    ASSERT_TRUE(second.Start(L"-q"));
    EXPECT_TRUE(WaitMenu(true));
    EXPECT_TRUE(CloseMenu());
    EXPECT_EQ(0, second.WaitExit());
    EXPECT_EQ(1, CountInLog(MEMORY_PAGE));
}

// A copy of the installed program in a folder of its own, with a "vga" strip
// beside it.
class VgaOption : public SpineTest {
  protected:
    const std::wstring folder = L"C:\\Program Files\\OrvaletV";
    const std::wstring exe = folder + L"\\Orvalet.exe";
    const std::wstring vga = folder + L"\\Orvalet.vga";
    void SetUp() override {
        SpineTest::SetUp();
        CreateDirectoryW(folder.c_str(), NULL);
        ASSERT_TRUE(CopyFileW(PROGRAM_PATH, exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(VGA_STRIP, vga.c_str(), FALSE)) << "no shipped VGA strip";
    }
};

TEST_F(VgaOption, DeletesTheVgaStripOnAQvgaScreenAndStaysResident) {
    ASSERT_TRUE(program.Start(L"-V", exe));
    ASSERT_TRUE(WaitFor([] { return MainWindow() != NULL; }));
    EXPECT_FALSE(FileExists(vga));
    EXPECT_TRUE(program.Running());
}

TEST_F(VgaOption, WithQuickOptionDeletesTheStripThenRunsTheQuickAction) {
    SetSetting(L"QuickAction", QUICK_MEMORY);
    ASSERT_TRUE(program.Start(L"-V -Q", exe));
    EXPECT_EQ(0, program.WaitExit());
    EXPECT_FALSE(FileExists(vga));
    EXPECT_TRUE(WaitLog(MEMORY_PAGE));
}

TEST_F(VgaOption, OnVgaKeepsTheStrip) {
    ASSERT_TRUE(IsVgaScreen());
    ASSERT_TRUE(program.Start(L"-V", exe));
    ASSERT_TRUE(WaitFor([] { return MainWindow() != NULL; }));
    EXPECT_TRUE(FileExists(vga));
    EXPECT_TRUE(program.Running());
}

} // namespace

namespace {

// The Pocket PC draws a program unscaled on VGA screens only when it carries
// this marker; without it the device would enlarge what the program already
// scales itself.
TEST(ProgramResources, CarryTheHighResolutionMarker) {
    HMODULE program = LoadLibraryExW(device::PROGRAM_PATH, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program != NULL);
    HRSRC marker = FindResourceW(program, L"HI_RES_AWARE", L"CEUX");
    ASSERT_TRUE(marker != NULL) << "no CEUX HI_RES_AWARE resource";
    ASSERT_EQ(2u, SizeofResource(program, marker));
    EXPECT_EQ(1, *(const WORD*)LockResource(LoadResource(program, marker)));
    FreeLibrary(program);
}

} // namespace
