// The desktop installer's pages as a user goes through them: cancelling,
// the header band, the package written and the manager started, the product
// pages with their panels.
#include "InstallerDriver.h"

namespace desktop {
namespace {

// Esc on the welcome page, the close box on the agreement page, Cancel
// clicked: each ends the installer with 0 before anything is written.
TEST_F(Installer, CancelOnAnyFirstPageEndsWithZero) {
    for (int way = 0; way < 3; way++) {
        SCOPED_TRACE(way);
        ASSERT_TRUE(installer.Start(L"", INSTALLER));
        HWND page = WaitPage(installer.Id());
        ASSERT_TRUE(page);
        if (way == 1) {
            Click(page, IDOK);
            page = WaitPage(installer.Id());
            ASSERT_TRUE(page);
            RECT frame;
            GetWindowRect(page, &frame);
            int border = GetSystemMetrics(SM_CXFIXEDFRAME), button = GetSystemMetrics(SM_CYSIZE);
            POINT close = {frame.right - border - button / 2 - 2, frame.top + border + button / 2};
            input::Tap(close);
        } else if (way == 0) {
            input::Tap(Corner(page));
            input::Keys("Escape");
        } else {
            input::Tap(input::Centre(ControlRect(page, IDCANCEL)));
        }
        EXPECT_EQ(0, installer.WaitExit(10000));
        EXPECT_FALSE(FileExists(TARGET));
        EXPECT_EQ(0, device::LogCount("appmgr:"));
    }
}

// The header band of the first pages: white from the top to row 58, its
// black line on row 59, the dialog's colour below.
TEST_F(Installer, WelcomeBandEndsInABlackLine) {
    ASSERT_TRUE(installer.Start(L"", INSTALLER));
    HWND page = WaitPage(installer.Id());
    ASSERT_TRUE(page);
    Sleep(500);
    POINT origin = {0, 0};
    ClientToScreen(page, &origin);
    RECT client;
    GetClientRect(page, &client);
    RECT strip = {origin.x + 2, origin.y, origin.x + 3, origin.y + 62}; // left of every label
    std::vector<COLORREF> column = device::CaptureScreen(strip);
    ASSERT_EQ(62u, column.size());
    for (int row = 0; row < 59; row++)
        EXPECT_EQ(RGB(255, 255, 255), column[row]) << "row " << row;
    EXPECT_EQ(RGB(0, 0, 0), column[59]);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), column[61]);
    RECT line = {origin.x, origin.y + 59, origin.x + client.right, origin.y + 60};
    std::vector<COLORREF> row = device::CaptureScreen(line);
    EXPECT_EQ((int)row.size(), device::CountColour(row, RGB(0, 0, 0))) << "across the page";
}

// A second installation with the registered path an environment reference:
// the four package files replaced, in order and byte for byte the built
// ones; the manager started with its path and the INI's, quoted; its user's
// cancel followed by both product pages, their panels pointing and opening
// their pages minimised; Page Down through the agreement on the way, Esc on
// the last page (the files stay).
TEST_F(Installer, WritesThePackageRunsTheManagerAndShowsTheProducts) {
    SetEnvironmentVariableW(L"ORVALET_SYNC", SYNC);
    RegisterManager("%ORVALET_SYNC%\\CEAppMgr.exe", REG_EXPAND_SZ);
    CreateDirectoryW(TARGET, NULL);
    device::WriteFileBytes(std::wstring(TARGET) + L"\\appmgr.ini", "an older installation");
    ASSERT_TRUE(installer.Start(L"", INSTALLER));
    Click(WaitPage(installer.Id()), IDOK);
    HWND agreement = WaitPage(installer.Id());
    ASSERT_TRUE(agreement);
    HWND text = GetDlgItem(agreement, IDC_AGREEMENT_TEXT);
    input::Tap(input::Centre(ControlRect(agreement, IDC_AGREEMENT_TEXT)));
    input::Keys("Next");
    EXPECT_TRUE(device::WaitFor([&] {
        return SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0) > 0;
    })) << "Page Down scrolls the agreement";
    Click(agreement, IDOK);

    HWND products = WaitPage(installer.Id());
    ASSERT_TRUE(products) << "the product pages follow a cancelled manager";
    SetEnvironmentVariableW(L"ORVALET_SYNC", NULL);
    EXPECT_EQ(1, device::LogCount("appmgr: command line [\"D:\\ActiveSync\\CEAppMgr.exe\" "
                                  "\"D:\\ActiveSync\\Orvalet\\appmgr.ini\"]"))
        << device::DeviceLog();
    FILETIME previous = {};
    for (const char* name : PACKAGE) {
        std::wstring path = std::wstring(TARGET) + L"\\" + Wide(name);
        EXPECT_EQ(HostFile(std::string(OUT_DIR) + "/" + name), ReadFileBytes(path)) << name;
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
        EXPECT_GT(CompareFileTime(&data.ftLastWriteTime, &previous), 0) << name << " in order";
        previous = data.ftLastWriteTime;
    }

    // The pointing hand (hot spot 6, 0) over a panel, the arrow beside it.
    RECT panel = ControlRect(products, IDC_PANEL_A);
    auto cursorAt = [](POINT at) {
        input::Hover(at);
        Sleep(300);
        CURSORINFO info = {sizeof(info)};
        GetCursorInfo(&info);
        return info.hCursor;
    };
    HCURSOR arrow = cursorAt({panel.left + 2, panel.bottom + 12});
    HCURSOR hand = cursorAt(input::Centre(panel));
    EXPECT_TRUE(hand && hand != arrow);
    EXPECT_EQ(hand, cursorAt(input::Centre(ControlRect(products, IDC_PANEL_B))));
    EXPECT_EQ(arrow, cursorAt({panel.left + 2, panel.top - 12}));

    input::Tap(input::Centre(panel));
    EXPECT_TRUE(device::WaitLog(
        "browser: open [http://www.brantwell.example/products/pocketledger.html] show 2"))
        << device::DeviceLog();
    Click(products, IDOK);
    HWND second = WaitPage(installer.Id());
    ASSERT_TRUE(second);
    input::Tap(input::Centre(ControlRect(second, IDC_PANEL_A)));
    EXPECT_TRUE(device::WaitLog("browser: open [http://www.brantwell.example/products/quillnotes"));
    input::Tap(Corner(second));
    input::Keys("Escape");
    EXPECT_EQ(0, installer.WaitExit(10000)) << "Esc on a product page";
    EXPECT_EQ(4, FilesIn(TARGET));
}

// A manager without a connected device: its result is not the installer's
// business, the product pages follow.
TEST_F(Installer, ProductPagesFollowAManagerWithoutADevice) {
    ManagerBehaves("absent");
    Accept();
    HWND products = WaitPage(installer.Id());
    ASSERT_TRUE(products && GetDlgItem(products, IDC_PANEL_A));
    EXPECT_EQ(1, device::LogCount("appmgr: no device connected")) << device::DeviceLog();
    Click(products, IDOK);
    Click(WaitPage(installer.Id()), IDOK);
    EXPECT_EQ(0, installer.WaitExit(10000));
}

} // namespace
} // namespace desktop
