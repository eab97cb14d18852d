// Brightness and battery chains, the memory cleaner and the Today screen, run
// through the real program: its "-Q" copy, or the resident copy's tray icon.
#include "DeviceTest.h"
#include "Dialogs.h"
#include "Input.h"
#include "menu/Commands.h"

#include <string>
#include <vector>

using namespace device;

namespace {

const wchar_t RECORDER[] = L"C:\\Windows\\recorder.exe";
const wchar_t TODAY[] = L"C:\\Windows\\today.exe";
const wchar_t CLEANER_KEY[] = L"SOFTWARE\\Apps\\Brantwell Purgelle";
const wchar_t CLEANER_FOLDER[] = L"C:\\Program Files\\Purgelle";
const wchar_t CLEANER[] = L"C:\\Program Files\\Purgelle\\Purgelle.exe";

class Launches : public DeviceTest {
  protected:
    void TearDown() override {
        DeviceTest::TearDown();
        for (const std::wstring& file : placed)
            DeleteFileW(file.c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, CLEANER_KEY);
        RemoveDirectoryW(CLEANER_FOLDER);
    }
    // A recording program under the given name.
    void PlaceProgram(const std::wstring& path) {
        ASSERT_TRUE(CopyFileW(RECORDER, path.c_str(), FALSE)) << Utf8(path);
        placed.push_back(path);
    }
    // An empty file, enough for an applet or shortcut to be present.
    void PlaceFile(const std::wstring& path) {
        ASSERT_TRUE(WriteFileBytes(path, "")) << Utf8(path);
        placed.push_back(path);
    }
    void RemovePlaced() {
        for (const std::wstring& file : placed)
            DeleteFileW(file.c_str());
        placed.clear();
    }
    // Runs command as the quick action of a "-Q" copy; the log holds only what it did.
    void RunQuick(DWORD command) {
        ClearDeviceLog();
        Program quick;
        ASSERT_TRUE(StartQuickAction(quick, command));
        EXPECT_EQ(0, quick.WaitExit());
    }
    // Waits for what the launch left in the log and for nothing else to follow.
    void ExpectOnly(const std::string& line, const char* what) {
        EXPECT_TRUE(WaitLog(line)) << what << ": expected \"" << line << "\"; log:\n"
                                   << DeviceLog();
        Sleep(300); // a second launch would come right after the first
        EXPECT_EQ(1, LogCount("recorder: ") + LogCount("ctlpnl: "))
            << what << ": not exactly one launch; log:\n"
            << DeviceLog();
    }
    std::vector<std::wstring> placed;
};

std::string Recorded(const char* program, const char* line, const char* folder) {
    return std::string("recorder: ") + program + " [" + line + "] in " + folder;
}

TEST_F(Launches, BrightnessOpensTheFirstPresentStep) {
    RunQuick(CMD_BRIGHTNESS);
    ExpectOnly("ctlpnl: open \"cplmain.cpl 6\"", "nothing present");

    PlaceFile(L"C:\\Windows\\fjcpl.cpl");
    PlaceFile(L"C:\\Windows\\KivoBrightness.lnk");
    RunQuick(CMD_BRIGHTNESS);
    ExpectOnly("ctlpnl: open \"fjcpl.cpl 2\"", "fjcpl.cpl and a shortcut");

    PlaceProgram(L"C:\\Windows\\backlight.exe");
    RunQuick(CMD_BRIGHTNESS);
    ExpectOnly(Recorded("backlight.exe", "", "C:\\Windows"), "backlight.exe");

    PlaceFile(L"C:\\Windows\\backlight.cpl");
    RunQuick(CMD_BRIGHTNESS);
    ExpectOnly("ctlpnl: open \"backlight.cpl\"", "backlight.cpl beside backlight.exe");

    PlaceFile(L"C:\\Windows\\frontlight.cpl");
    RunQuick(CMD_BRIGHTNESS);
    ExpectOnly("ctlpnl: open \"frontlight.cpl\"", "frontlight.cpl");

    PlaceProgram(L"C:\\Windows\\Brightness.exe");
    RunQuick(CMD_BRIGHTNESS);
    ExpectOnly(Recorded("Brightness.exe", "", "C:\\Windows"), "Brightness.exe");
}

TEST_F(Launches, BatteryStartsTheFirstPresentProgram) {
    RunQuick(CMD_BATTERY);
    ExpectOnly("ctlpnl: open \"cplmain.cpl,3\"", "nothing present");

    // A folder of the tested name is no program.
    ASSERT_TRUE(CreateDirectoryW(L"C:\\Windows\\Power.exe", NULL));
    RunQuick(CMD_BATTERY);
    RemoveDirectoryW(L"C:\\Windows\\Power.exe");
    ExpectOnly("ctlpnl: open \"cplmain.cpl,3\"", "a folder Power.exe");

    PlaceProgram(L"C:\\Windows\\Power.exe");
    RunQuick(CMD_BATTERY);
    ExpectOnly(Recorded("Power.exe", "\\Windows", "C:\\"), "Power.exe");

    PlaceFile(L"C:\\Windows\\powerg.cpl");
    RunQuick(CMD_BATTERY);
    ExpectOnly("ctlpnl: open \"powerg.cpl\"", "powerg.cpl");

    PlaceFile(L"C:\\Windows\\power.cpl");
    RunQuick(CMD_BATTERY);
    ExpectOnly("ctlpnl: open \"power.cpl\"", "power.cpl");

    PlaceProgram(L"C:\\Windows\\Powerg.exe");
    RunQuick(CMD_BATTERY);
    ExpectOnly(Recorded("Powerg.exe", "", "C:\\"), "Powerg.exe with no command line");
}

class MemoryCleaner : public Launches {
  protected:
    void SetUp() override {
        Launches::SetUp();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, CLEANER_KEY);
    }
    void Install() {
        CreateDirectoryW(CLEANER_FOLDER, NULL);
        PlaceProgram(CLEANER);
    }
    // Writes a value under the cleaner's key; bytes as given, no terminator added.
    void SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, CLEANER_KEY, 0, NULL, 0,
                                                 KEY_WRITE, NULL, &key, NULL));
        RegSetValueExW(key, name, 0, type, (const BYTE*)data, size);
        RegCloseKey(key);
    }
    void SetFolder(const wchar_t* name, const std::wstring& folder) {
        SetValue(name, REG_SZ, folder.c_str(), DWORD((folder.size() + 1) * sizeof(wchar_t)));
    }
    // Runs command from a "-Q" copy and answers the missing-cleaner message.
    void ExpectMissing(DWORD command, const char* what) {
        ClearDeviceLog();
        Program quick;
        ASSERT_TRUE(StartQuickAction(quick, command));
        MessageBoxContent content;
        ASSERT_TRUE(AnswerMessageBox(quick.Id(), IDOK, &content))
            << what << ": no message box; log:\n"
            << DeviceLog();
        EXPECT_EQ(L"Error", content.caption) << what;
        EXPECT_EQ(L"Purgelle is not intalled on this device", content.text) << what;
        EXPECT_EQ(std::vector<int>{IDOK}, ButtonIds(content)) << what << ": " << Describe(content);
        EXPECT_EQ(0, quick.WaitExit()) << what;
        EXPECT_EQ(0, LogCount("recorder:")) << what << ": log:\n" << DeviceLog();
    }
};

TEST_F(MemoryCleaner, StartsTheInstalledCleanerWithItsCommandLine) {
    Install();
    SetFolder(L"InstallDir", L"\\Program Files\\Purgelle");
    RunQuick(CMD_PURGELLE_CLEANER);
    ExpectOnly(Recorded("Purgelle.exe", "-Q", "C:\\"), "cleaner");
    RunQuick(CMD_PURGELLE);
    ExpectOnly(Recorded("Purgelle.exe", "", "C:\\"), "Purgelle");

    // The older spelling, when the newer one is missing or no usable string.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, CLEANER_KEY);
    SetFolder(L"InstlDir", L"\\Program Files\\Purgelle");
    RunQuick(CMD_PURGELLE_CLEANER);
    ExpectOnly(Recorded("Purgelle.exe", "-Q", "C:\\"), "InstlDir");
    DWORD number = 7;
    SetValue(L"InstallDir", REG_DWORD, &number, sizeof(number));
    RunQuick(CMD_PURGELLE_CLEANER);
    ExpectOnly(Recorded("Purgelle.exe", "-Q", "C:\\"), "InstallDir a number");
    SetFolder(L"InstallDir", L"\\" + std::wstring(255, L'x'));
    RunQuick(CMD_PURGELLE_CLEANER);
    ExpectOnly(Recorded("Purgelle.exe", "-Q", "C:\\"), "InstallDir longer than 510 bytes");

    // A value without its terminator still names the folder, nothing after it.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, CLEANER_KEY);
    std::wstring folder = L"\\Program Files\\Purgelle";
    SetValue(L"InstallDir", REG_SZ, folder.c_str(), DWORD(folder.size() * sizeof(wchar_t)));
    RunQuick(CMD_PURGELLE_CLEANER);
    ExpectOnly(Recorded("Purgelle.exe", "-Q", "C:\\"), "unterminated InstallDir");
}

TEST_F(MemoryCleaner, MissingCleanerIsReported) {
    ExpectMissing(CMD_PURGELLE, "no key");
    SetValue(L"Other", REG_SZ, L"", sizeof(wchar_t));
    ExpectMissing(CMD_PURGELLE_CLEANER, "no folder value");
    DWORD number = 7;
    SetValue(L"InstallDir", REG_DWORD, &number, sizeof(number));
    SetFolder(L"InstlDir", L"\\" + std::wstring(300, L'x'));
    ExpectMissing(CMD_PURGELLE, "a number and an over-long folder");
    SetFolder(L"InstallDir", L"\\Program Files\\Purgelle");
    ExpectMissing(CMD_PURGELLE, "no file in the folder");
}

TEST_F(MemoryCleaner, ResidentCopyFindsACleanerInstalledAfterAMiss) {
    SetSetting(L"Reverse", 1); // a tap runs the quick action
    SetSetting(L"QuickAction", CMD_PURGELLE_CLEANER);
    ASSERT_TRUE(StartResident(program));

    input::Tap(TrayIconPoint());
    HWND box = WaitMessageBox(program.Id());
    ASSERT_NE(nullptr, box) << "no message box before the cleaner was installed";
    EXPECT_TRUE(PressButton(box, IDOK));
    EXPECT_TRUE(WaitGone(box));

    Install();
    SetFolder(L"InstallDir", L"\\Program Files\\Purgelle");
    ClearDeviceLog();
    input::Tap(TrayIconPoint());
    ExpectOnly(Recorded("Purgelle.exe", "-Q", "C:\\"), "installed after the miss");

    // Once found, the path is kept: the registry is no longer read.
    SetFolder(L"InstallDir", L"\\Nowhere");
    ClearDeviceLog();
    input::Tap(TrayIconPoint());
    ExpectOnly(Recorded("Purgelle.exe", "-Q", "C:\\"), "kept path");
    EXPECT_TRUE(program.Running());
}

class TodayScreen : public Launches {
  protected:
    void SetUp() override {
        Launches::SetUp();
        ASSERT_TRUE(today.Start(L"", TODAY));
        ASSERT_TRUE(
            WaitFor([&] { return (window = FindWindowW(L"DesktopExplorerWindow", NULL)); }));
    }
    void TearDown() override {
        today.Kill();
        Launches::TearDown();
    }
    Program today;
    HWND window = NULL;
};

TEST_F(TodayScreen, TodayCommandBringsItToTheFront) {
    // Another program's window in front of it.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                 NULL, NULL, NULL, NULL);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }, 5000));
    RunQuick(CMD_TODAY_SCREEN);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 5000))
        << "foreground: " << GetForegroundWindow() << ", Today screen: " << window;
    EXPECT_TRUE(WaitLog("today: front"));
    DestroyWindow(other);
}

TEST_F(TodayScreen, RefreshIsBroadcastOncePerCommand) {
    RunQuick(CMD_REFRESH_TODAY);
    EXPECT_TRUE(WaitLog("today: refresh 1")) << DeviceLog();
    ClearDeviceLog();
    RunQuick(CMD_REFRESH_TODAY);
    EXPECT_TRUE(WaitLog("today: refresh 2")) << DeviceLog();
    Sleep(300);
    EXPECT_EQ(1, LogCount("today: refresh")) << DeviceLog();
}

} // namespace
