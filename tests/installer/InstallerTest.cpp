// The desktop installer as a user meets it on the emulated desktop PC: its
// pages driven by real clicks and keys, every failure it reports, the files
// it leaves, the application manager it starts, the product pages and their
// links, and the whole path to the emulated device's tray.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Device.h"
#include "Dialogs.h"
#include "Input.h"
#include "Screen.h"
#include "Unix.h"
#include "resource.h"

using device::ControlRect;
using device::FileExists;
using device::ReadFileBytes;
using device::RunOnHost;

namespace {

const wchar_t INSTALLER[] = HOST_BUILD L"\\desktop\\installer\\orvalet-desktop-setup.exe";
const wchar_t MANAGER_BUILT[] = HOST_BUILD L"\\emulator\\desktop\\CEAppMgr.exe";
const char MANAGER_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAppMgr.exe";
const wchar_t SYNC[] = L"D:\\ActiveSync"; // where the tests' manager lives
const wchar_t TARGET[] = L"D:\\ActiveSync\\Orvalet";
const char* const PACKAGE[] = {"appmgr.ini", "Orvalet.armrel.CAB", "Orvalet.armrel.DAT",
                               "Orvalet.ico"};
const char NO_MANAGER[] = "ActiveSync has not been installed on this machine.  Install "
                          "ActiveSync 3.0 or above and try again.";
const char CORRUPT[] = "The setup package has been corrupted.";
const char CANNOT_COPY[] = "Failed to copy one or more files to the ActiveSync installation "
                           "directory.  Please make sure you have the correct access permissions.";
const char DISK_FULL[] = "Setup failed to copy one or more files.  Ensure that you have "
                         "sufficient disk space and permissions.";
const long FAILED = -1;

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// A file of the host, by its host path.
std::string HostFile(const std::string& path) {
    return ReadFileBytes(device::HostPath(path));
}

void RegisterManager(const std::string& path, DWORD type = REG_SZ) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, MANAGER_KEY, 0, NULL, 0, KEY_WRITE,
                                             NULL, &key, NULL));
    RegSetValueExA(key, NULL, 0, type, (const BYTE*)path.c_str(), path.size() + 1);
    RegCloseKey(key);
}

// How the emulated manager behaves: "install", "cancel" or "absent".
void ManagerBehaves(const char* behaviour) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Orvalet Emulator\\Desktop", 0, NULL, 0,
                    KEY_WRITE, NULL, &key, NULL);
    RegSetValueExA(key, "AppManager", 0, REG_SZ, (const BYTE*)behaviour, lstrlenA(behaviour) + 1);
    RegCloseKey(key);
}

void EmptyFolder(const std::wstring& folder) {
    for (const char* name : PACKAGE)
        DeleteFileW((folder + L"\\" + Wide(name)).c_str());
    RemoveDirectoryW(folder.c_str());
    DeleteFileW(folder.c_str());
}

int FilesIn(const std::wstring& folder) {
    int count = 0;
    for (const char* name : PACKAGE)
        count += FileExists(folder + L"\\" + Wide(name));
    return count;
}

// The installer's pages (each has a title or a product panel) and its
// failure boxes (neither). The pages' unnamed labels would make any of them
// look like a message box to the dialog driver.
bool IsPage(HWND dialog) {
    return GetDlgItem(dialog, IDC_TITLE) || GetDlgItem(dialog, IDC_PANEL_A);
}

HWND WaitDialogOf(DWORD process, bool page, DWORD timeoutMs) {
    HWND found = NULL;
    device::WaitFor(
        [&] {
            found = NULL;
            for (HWND dialog : device::Dialogs(process))
                if (IsPage(dialog) == page) found = dialog;
            return found != NULL;
        },
        timeoutMs);
    return found;
}

HWND WaitPage(DWORD process, DWORD timeoutMs = 20000) {
    return WaitDialogOf(process, true, timeoutMs);
}

// A point near the client area's top left corner, on no control: a click
// there gives the window the keyboard.
POINT Corner(HWND window) {
    POINT corner = {3, 3};
    ClientToScreen(window, &corner);
    return corner;
}

// A page's button pressed with a click, and the page gone.
void Click(HWND page, int button) {
    ASSERT_TRUE(page);
    input::Tap(input::Centre(ControlRect(page, button)));
    EXPECT_TRUE(device::WaitGone(page)) << "page did not end on button " << button;
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        device::ClearDeviceLog();
        CreateDirectoryW(SYNC, NULL);
        EmptyFolder(TARGET);
        CopyFileW(MANAGER_BUILT, L"D:\\ActiveSync\\CEAppMgr.exe", FALSE);
        RegisterManager("D:\\ActiveSync\\CEAppMgr.exe");
        ManagerBehaves("cancel");
    }
    void TearDown() override {
        installer.Kill();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, MANAGER_KEY);
    }

    // Started from path, then the welcome and agreement pages accepted with
    // clicks (with keys: a click on the page, then Enter).
    void Accept(bool keys = false, const std::wstring& path = INSTALLER) {
        ASSERT_TRUE(installer.Start(L"", path));
        AcceptPages(installer.Id(), keys);
    }
    void AcceptPages(DWORD process, bool keys) {
        for (int page = 0; page < 2; page++) {
            HWND shown = WaitPage(process);
            ASSERT_TRUE(shown) << "no page " << page;
            if (keys) {
                input::Tap(Corner(shown));
                input::Keys("Return");
                EXPECT_TRUE(device::WaitGone(shown));
            } else {
                Click(shown, IDOK);
            }
        }
    }

    // The failure box read and answered with Enter; the exit code.
    long Failure(const char* text) {
        AnswerFailure(installer.Id(), text);
        return installer.WaitExit(10000);
    }
    void AnswerFailure(DWORD process, const char* text) {
        HWND box = WaitDialogOf(process, false, 20000);
        device::MessageBoxContent content;
        EXPECT_TRUE(box && device::ReadMessageBox(box, &content)) << "no failure message";
        EXPECT_EQ(L"Setup", content.caption);
        EXPECT_EQ(Wide(text), content.text);
        EXPECT_EQ(std::vector<int>{IDOK}, device::ButtonIds(content));
        if (box) {
            input::Tap(Corner(box));
            input::Keys("Return");
        }
    }

    device::Program installer;
};

// Every path to the manager that cannot be used: none registered, a value
// that is no text, one without a backslash, one longer than its buffer and
// one whose expansion would not fit in it. Each is failure 1 and leaves no
// folder.
TEST_F(Installer, UnusableManagerPathsFailWithNothingWritten) {
    SetEnvironmentVariableW(L"ORVALET_LONG", std::wstring(300, L'x').c_str());
    std::string tooLong = "D:\\" + std::string(300, 'x') + "\\CEAppMgr.exe";
    struct Case {
        const char* path;
        DWORD type;
    } cases[] = {{NULL, 0},
                 {"D:\\ActiveSync\\CEAppMgr.exe", REG_DWORD},
                 {"CEAppMgr.exe", REG_SZ},
                 {tooLong.c_str(), REG_SZ},
                 {"D:\\ActiveSync\\%ORVALET_LONG%\\CEAppMgr.exe", REG_EXPAND_SZ}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path ? c.path : "(not registered)");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, MANAGER_KEY);
        if (c.path) RegisterManager(c.path, c.type);
        Accept(true);
        EXPECT_EQ(FAILED, Failure(NO_MANAGER));
        EXPECT_FALSE(FileExists(TARGET));
    }
    SetEnvironmentVariableW(L"ORVALET_LONG", NULL);
}

// A target folder that cannot be made (its parent is missing) or is a file,
// and a manager that is not there to start.
TEST_F(Installer, BlockedFolderFailsWithFourAndAbsentManagerWithOne) {
    RegisterManager("D:\\Missing\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(CANNOT_COPY));
    EXPECT_FALSE(FileExists(L"D:\\Missing"));

    RegisterManager("D:\\ActiveSync\\CEAppMgr.exe");
    ASSERT_TRUE(device::WriteFileBytes(TARGET, "not a folder"));
    Accept();
    EXPECT_EQ(FAILED, Failure(CANNOT_COPY));
    EXPECT_EQ("not a folder", ReadFileBytes(TARGET));

    DeleteFileW(TARGET);
    DeleteFileW(L"D:\\ActiveSync\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(NO_MANAGER));
    EXPECT_EQ(4, FilesIn(TARGET)) << "the files stay for a manager installed later";
}

// Copies of the installer without a resource: the package's file names
// (strings 400 on, their block emptied), then its last file (renamed in the
// resource directory to a name the installer does not ask for).
TEST_F(Installer, MissingPackageResourcesFailWithThree) {
    ASSERT_TRUE(CopyFileW(INSTALLER, L"D:\\NoNames.exe", FALSE));
    HANDLE update = BeginUpdateResourceW(L"D:\\NoNames.exe", FALSE);
    WCHAR noStrings[16] = {}; // sixteen empty strings
    ASSERT_TRUE(update && UpdateResourceW(update, RT_STRING, MAKEINTRESOURCEW(400 / 16 + 1),
                                          MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), noStrings,
                                          sizeof(noStrings)));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    Accept(false, L"D:\\NoNames.exe");
    EXPECT_EQ(FAILED, Failure(CORRUPT));
    EXPECT_FALSE(FileExists(TARGET));

    std::string program = ReadFileBytes(INSTALLER);
    const char icon[] = "O\0R\0V\0A\0L\0E\0T\0.\0I\0C\0O\0";
    size_t at = program.find(std::string(icon, sizeof(icon) - 1));
    ASSERT_NE(std::string::npos, at);
    program[at + sizeof(icon) - 3] = 'P';
    ASSERT_TRUE(device::WriteFileBytes(L"D:\\NoIcon.exe", program));
    Accept(false, L"D:\\NoIcon.exe");
    EXPECT_EQ(FAILED, Failure(CORRUPT));
    EXPECT_EQ(3, FilesIn(TARGET)) << "the files before the missing one stay";
    EXPECT_FALSE(FileExists(std::wstring(TARGET) + L"\\Orvalet.ico"));
}

// Small file systems of their own (root mounts them): a read-only one whose
// target folder exists, and one too small for the CAB.
TEST_F(Installer, ReadOnlyAndFullDisks) {
    std::string disk = std::string(BUILD_DIR) + "/emulator/desktop-disk/";
    auto mount = [&](const char* name, const char* options) {
        return RunOnHost("umount " + disk + name + " 2>/dev/null; mkdir -p " + disk + name +
                         " && mount -t tmpfs -o size=64k tmpfs " + disk + name + " && mkdir " +
                         disk + name + "/Orvalet && mount -o remount," + options + " " + disk +
                         name + " && echo ok > " + disk + name + ".mounted");
    };
    DeleteFileW(L"D:\\ReadOnly.mounted");
    DeleteFileW(L"D:\\Small.mounted");
    mount("ReadOnly", "ro");
    mount("Small", "rw");
    if (!FileExists(L"D:\\ReadOnly.mounted") || !FileExists(L"D:\\Small.mounted"))
        GTEST_SKIP() << "cannot mount file systems here (not root)";

    RegisterManager("D:\\ReadOnly\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(CANNOT_COPY)) << "on the first file, appmgr.ini";
    EXPECT_EQ(0, FilesIn(L"D:\\ReadOnly\\Orvalet"));

    RegisterManager("D:\\Small\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(DISK_FULL));
    EXPECT_EQ(HostFile(std::string(OUT_DIR) + "/appmgr.ini"),
              ReadFileBytes(L"D:\\Small\\Orvalet\\appmgr.ini"));
    std::string cab = ReadFileBytes(L"D:\\Small\\Orvalet\\Orvalet.armrel.CAB");
    EXPECT_LT(cab.size(), HostFile(std::string(OUT_DIR) + "/Orvalet.armrel.CAB").size())
        << "the short file stays";
    EXPECT_FALSE(FileExists(L"D:\\Small\\Orvalet\\Orvalet.armrel.DAT"));
    RunOnHost("umount " + disk + "ReadOnly; umount " + disk + "Small; rm -f " + disk + "*.mounted");
}

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

// The strings of a block of the string table in one language: sixteen
// counted UTF-16 strings.
std::vector<std::wstring> StringBlock(HMODULE program, int block, LANGID language) {
    HRSRC found = FindResourceExW(program, RT_STRING, MAKEINTRESOURCEW(block), language);
    const WCHAR* at = found ? (const WCHAR*)LockResource(LoadResource(program, found)) : NULL;
    std::vector<std::wstring> strings;
    for (int i = 0; at && i < 16; i++) {
        strings.push_back(std::wstring(at + 1, at[0]));
        at += 1 + at[0];
    }
    return strings;
}

// A German Windows takes the failure texts from the German variant (1031):
// it holds every failure text with the caption (a block holding the caption
// alone would leave those boxes empty there), and a German installer shows
// the whole failure. Wine takes a program's language from the host's locale
// at its start, so the installer starts from the host, in German.
TEST_F(Installer, GermanWindowsShowsTheWholeFailure) {
    HMODULE program = LoadLibraryExW(INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    std::vector<std::wstring> german =
        StringBlock(program, 1, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    std::vector<std::wstring> neutral =
        StringBlock(program, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    FreeLibrary(program);
    ASSERT_EQ(16u, german.size());
    ASSERT_EQ(16u, neutral.size());
    EXPECT_EQ(L"Setup", german[2]);
    for (int id = 1; id <= 5; id++)
        EXPECT_EQ(neutral[id], german[id]) << "string " << id;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, MANAGER_KEY);
    std::string state = std::string(BUILD_DIR) + "/emulator";
    ASSERT_TRUE(RunOnHost("mkdir -p " + state + "/locale && localedef -i de_DE -f UTF-8 " + state +
                              "/locale/de_DE.UTF-8; rm -f " + state + "/german-exit",
                          60000));
    RunOnHost("(WINEPREFIX=" + state + "/desktop-prefix LOCPATH=" + state +
              "/locale LC_ALL=de_DE.UTF-8 /usr/lib/wine/wine64 " + BUILD_DIR +
              "/desktop/installer/orvalet-desktop-setup.exe; echo $? > " + state +
              "/german-exit) >/dev/null 2>&1 & true");
    HWND page = NULL;
    ASSERT_TRUE(device::WaitFor([&] { return (page = FindWindowW(L"#32770", NULL)) != NULL; }));
    DWORD process = 0;
    GetWindowThreadProcessId(page, &process);
    AcceptPages(process, false);
    AnswerFailure(process, NO_MANAGER);
    EXPECT_TRUE(device::WaitFor([&] { return HostFile(state + "/german-exit") == "255\n"; }))
        << "exit -1";
}

// A host command's output, or "" when it did not finish in time.
std::string HostOutput(const std::string& command, unsigned timeoutMs = 120000) {
    std::string file = std::string(BUILD_DIR) + "/emulator/host-output.txt";
    if (!RunOnHost(command + " > " + file + " 2>/dev/null", timeoutMs)) return "";
    return HostFile(file);
}

// Colours in the device's tray icon area: one or two on a plain task bar.
int DeviceTrayColours() {
    return atoi(HostOutput("import -display \"$ORVALET_DEVICE_DISPLAY\" -window root -crop "
                           "18x18+220+301 +repage -format %k info:")
                    .c_str());
}

std::string DeviceVersion() {
    // The key's backslashes made by tr: the host command line keeps none.
    return HostOutput(std::string("'") + EMULATOR + "' exec reg query \"$(echo " +
                      "HKLM/Software/Brantwell/Orvalet | tr / '\\134')\" /v Version");
}

// A picture of a page for the README, from the desktop's own screen.
void SavePicture(HWND page, const char* name) {
    RECT frame;
    GetWindowRect(page, &frame);
    RunOnHost("mkdir -p " + std::string(OUT_DIR) + "/screens && import -window root -crop " +
              std::to_string(frame.right - frame.left) + "x" +
              std::to_string(frame.bottom - frame.top) + "+" + std::to_string(frame.left) + "+" +
              std::to_string(frame.top) + " +repage " + OUT_DIR + "/screens/" + name + ".png");
}

// From orvalet-desktop-setup.exe through the manager registered by the
// emulator, the device's CAB installer and the setup library to Orvalet in
// the device's tray, "Version" 1040; then removed from the device again.
TEST_F(Installer, WholePathEndsInTheDeviceTray) {
    ASSERT_LE(DeviceTrayColours(), 3) << "Orvalet already in the device's tray";
    ASSERT_TRUE(RunOnHost(std::string("'") + EMULATOR + "' appmgr register install", 60000));
    ASSERT_TRUE(installer.Start(L"", INSTALLER));
    const char* names[] = {"installer-welcome", "installer-agreement", "installer-products",
                           "installer-more-products"};
    for (int i = 0; i < 4; i++) {
        HWND page = WaitPage(installer.Id(), i == 2 ? 180000 : 20000);
        ASSERT_TRUE(page) << names[i] << "\n" << device::DeviceLog();
        Sleep(500);
        SavePicture(page, names[i]);
        Click(page, IDOK);
    }
    EXPECT_EQ(0, installer.WaitExit(10000));
    EXPECT_EQ(1, device::LogCount("appmgr: the device's installer ended with 0"))
        << device::DeviceLog();
    EXPECT_TRUE(device::WaitFor([] { return DeviceTrayColours() > 3; }, 20000))
        << "Orvalet's icon in the device's tray";
    EXPECT_NE(std::string::npos, DeviceVersion().find("0x410")) << DeviceVersion();

    RunOnHost(std::string("'") + EMULATOR + "' uninstall Orvalet", 120000);
    EXPECT_TRUE(device::WaitFor([] { return DeviceTrayColours() <= 3; }, 20000));
    EXPECT_EQ(std::string::npos, DeviceVersion().find("0x410"));
    // The other tests find the program where the emulator installs it.
    RunOnHost(std::string("'") + EMULATOR + "' install >/dev/null 2>&1", 120000);
}

} // namespace
