// The screen capture, run as the quick action of a "-Q" copy: the delay, the
// save dialog, the file against a screenshot; and its file writer, driven
// directly with widths whose rows need padding.
#include "BitmapFile.h"
#include "Bitmap.h"
#include "DeviceTest.h"
#include "Dialogs.h"
#include "Input.h"
#include "PocketScreen.h"
#include "Screen.h"
#include "menu/Commands.h"

#include <stdio.h>

#include <algorithm>
#include <string>

using namespace device;

namespace {

const wchar_t CAPTURE_FILE[] = L"C:\\capture.bmp";

// The harness's writer, which leaves the image size 0 where the capture states it.
std::string ExpectedFile(int width, int height, const std::function<COLORREF(int, int)>& pixel) {
    std::string file = MakeBitmapFile(width, height, pixel);
    DWORD image = (DWORD)file.size() - 54;
    file.replace(34, 4, (const char*)&image, 4);
    return file;
}

// "" when the files are equal, else where they part.
std::string Difference(const std::string& found, const std::string& expected) {
    if (found.size() != expected.size())
        return std::to_string(found.size()) + " bytes, not " + std::to_string(expected.size());
    size_t at = std::mismatch(found.begin(), found.end(), expected.begin()).first - found.begin();
    return at == found.size() ? "" : "differs at byte " + std::to_string(at);
}

TEST(BitmapFile, RowsArePaddedWithZeros) {
    for (int width : {3, 241}) {
        std::string expected =
            ExpectedFile(width, 2, [](int x, int y) { return RGB(x, 90 * y, 7); });
        std::string bits = expected.substr(54);
        for (size_t i = 0; i < bits.size(); i++)
            if (i % BitmapStride(width) >= (size_t)width * 3) bits[i] = (char)0xAB;
        HANDLE file = CreateFileW(CAPTURE_FILE, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        EXPECT_TRUE(WriteBitmapFile(file, width, 2, (BYTE*)&bits[0]));
        CloseHandle(file);
        EXPECT_EQ("", Difference(ReadFileBytes(CAPTURE_FILE), expected)) << "width " << width;
        DeleteFileW(CAPTURE_FILE);
    }
}

class Capture : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        DeleteFileW(CAPTURE_FILE);
    }
    void TearDown() override {
        DeviceTest::TearDown();
        DeleteFileW(CAPTURE_FILE);
    }
    // Runs the capture with delay (half-seconds): waits for its save dialog
    // (ms: from the start), names CAPTURE_FILE in it and presses button, then
    // waits for the copy to end. False when no dialog came. With tap, the box
    // and the button are tapped as a stylus would, and must lie on the screen
    // above the tray.
    bool Run(DWORD delay, int button, DWORD* ms = NULL, bool tap = false) {
        SetSetting(L"Delay", delay);
        DWORD start = GetTickCount();
        HWND dialog = StartQuickAction(program, CMD_SCREEN_CAPTURE)
                          ? WaitFileDialog(program.Id(), 20000)
                          : NULL;
        if (!dialog) return false;
        if (ms) *ms = GetTickCount() - start;
        HWND box = FileNameBox(dialog);
        if (tap) {
            RECT reach = AboveTray();
            for (HWND control : {box, GetDlgItem(dialog, button)}) {
                RECT place = ControlRect(GetParent(control), GetDlgCtrlID(control)), inside;
                EXPECT_TRUE(IntersectRect(&inside, &place, &reach) && EqualRect(&inside, &place))
                    << "a control at " << place.left << "," << place.top << " is off the screen";
            }
            input::Tap(input::Centre(ControlRect(dialog, 1148)));
            EXPECT_TRUE(WaitFor([&] { return FocusOf(box) == box; }, 3000))
                << "the tap did not reach the name box";
        }
        // Not SMTO_ABORTIFHUNG: after a long delay Wine still takes the sleeper for hung.
        SendMessageTimeoutW(box, WM_SETTEXT, 0, (LPARAM)CAPTURE_FILE, SMTO_NORMAL, 5000, NULL);
        if (tap)
            input::Tap(input::Centre(ControlRect(dialog, button)));
        else
            PressButton(dialog, button);
        // A message box would hold the copy open.
        EXPECT_EQ(0, program.WaitExit()) << "delay " << delay;
        return true;
    }
};

TEST_F(Capture, SavesTheScreenAsItWasBeforeTheDialog) {
    int width = ScreenWidth(), height = ScreenHeight();
    Program today; // white, with its date and owner in black at the top left
    ASSERT_TRUE(today.Start(L"", L"C:\\Windows\\today.exe"));
    RECT screen = {0, 0, width, height};
    std::vector<COLORREF> shown;
    EXPECT_TRUE(WaitFor([&] {
        shown = CaptureScreen(screen);
        int white = CountColour(shown, RGB(255, 255, 255));
        return white > width * height / 2 && white < width * height;
    })) << "no Today screen";
    ASSERT_TRUE(Run(0, IDOK, NULL, true)) << "no save dialog";
    std::string expected =
        ExpectedFile(width, height, [&](int x, int y) { return shown[y * width + x]; });
    EXPECT_EQ("", Difference(ReadFileBytes(CAPTURE_FILE), expected));
}

TEST_F(Capture, WaitsItsDelayAndCancelWritesNothing) {
    // 4 000 000 000 half-seconds would be weeks: the wait stops at 5 s.
    DWORD delays[] = {0, 3, 4000000000u}, ms[3];
    for (int i = 0; i < 3; i++) {
        ASSERT_TRUE(Run(delays[i], IDCANCEL, &ms[i])) << "no save dialog, delay " << delays[i];
        EXPECT_FALSE(FileExists(CAPTURE_FILE)) << "delay " << delays[i];
    }
    printf("save dialog after %lu, %lu and %lu ms\n", ms[0], ms[1], ms[2]);
    // Lower bounds as written, upper ones with room for a busy machine.
    EXPECT_GE(ms[1], 1500u);
    EXPECT_GE(ms[1], ms[0] + 1000);
    EXPECT_GE(ms[2], 5000u);
    EXPECT_LT(ms[2], ms[0] + 8000);
}

TEST_F(Capture, FileThatCannotBeCreatedIsLeftAlone) {
    // Wine runs as root, so a read-only file is no obstacle; one held open
    // without sharing is.
    ASSERT_TRUE(WriteFileBytes(CAPTURE_FILE, "kept"));
    HANDLE held = CreateFileW(CAPTURE_FILE, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_TRUE(Run(0, IDOK)) << "no save dialog";
    CloseHandle(held);
    std::string file = ReadFileBytes(CAPTURE_FILE);
    EXPECT_TRUE(file == "kept") << "the file now has " << file.size() << " bytes";
}

} // namespace
