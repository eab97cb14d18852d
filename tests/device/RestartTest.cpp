// The device's restart as the resets bring it, through the real program: the
// device's programs end, the start screen shows, the startup folder's
// shortcuts start again; a clean boot comes back without the user's data.
#include "Device.h"
#include "DeviceTest.h"
#include "Dialogs.h"
#include "EmulatorAnswers.h"
#include "Screen.h"
#include "menu/Commands.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

using namespace device;

namespace {

const std::wstring STARTUP = L"C:\\Windows\\StartUp\\";
const std::wstring DOCUMENTS = L"C:\\My Documents\\";
const long ENDED_BY_RESTART = (long)BOOT_EXIT_CODE;

// A startup shortcut in the device's format, "N#target".
void WriteShortcut(const std::wstring& name, const std::string& target) {
    ASSERT_TRUE(WriteFileBytes(STARTUP + name, std::to_string(target.size()) + "#" + target));
}

int CountEntries(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do
        count += lstrcmpW(found.cFileName, L".") && lstrcmpW(found.cFileName, L"..");
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

// The start screen covers the whole display, task bar included.
bool StartScreenShown() {
    RECT screen = {0, 0, ScreenWidth(), ScreenHeight()};
    std::vector<COLORREF> pixels = CaptureScreen(screen);
    return CountColour(pixels, BOOT_SCREEN_COLOR) > (int)pixels.size() * 9 / 10;
}

// The programs a restart brought back end like the rest, by their image (a
// window may not be there yet, and a copy left running keeps the test's output
// open), once a restart still under way has started them.
void EndRestartedPrograms() {
    const wchar_t* const names[] = {L"boot.exe", L"today.exe", L"Orvalet.exe"};
    for (const wchar_t* name : names) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more;
             more = Process32NextW(snapshot, &entry)) {
            if (lstrcmpiW(entry.szExeFile, name)) continue;
            HANDLE process =
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
            if (!process) continue;
            if (name != names[0]) TerminateProcess(process, 0);
            WaitForSingleObject(process, 20000);
            CloseHandle(process);
        }
        CloseHandle(snapshot);
    }
}

class Restart : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY); // no clean boot pending
    }
    void TearDown() override {
        DeviceTest::TearDown();
        resident.Kill();
        EndRestartedPrograms();
        for (const wchar_t* name : {L"Orvalet.lnk", L"Recorder.lnk", L"Broken.lnk"})
            DeleteFileW((STARTUP + name).c_str());
        DeleteFileW((DOCUMENTS + L"Notes\\note.txt").c_str());
        RemoveDirectoryW((DOCUMENTS + L"Notes").c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY);
    }

    // A resident copy that starts with the system, and a document of the user's.
    void PrepareDevice() {
        ASSERT_TRUE(StartResident(resident));
        ASSERT_NO_FATAL_FAILURE(
            WriteShortcut(L"Orvalet.lnk", "\"\\Program Files\\Orvalet\\Orvalet.exe\""));
        ASSERT_TRUE(CreateDirectoryW((DOCUMENTS + L"Notes").c_str(), NULL) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(WriteFileBytes(DOCUMENTS + L"Notes\\note.txt", "the user's"));
    }

    // Waits through the restart: the start screen, then the end of the boot.
    void WaitRestart() {
        EXPECT_TRUE(WaitFor(StartScreenShown, 10000)) << "no start screen\n" << DeviceLog();
        ASSERT_TRUE(WaitLog("boot: done", 20000)) << DeviceLog();
        EXPECT_EQ(ENDED_BY_RESTART, program.WaitExit()) << "the resetting copy must not return";
        EXPECT_EQ(ENDED_BY_RESTART, resident.WaitExit()) << "the resident copy outlived it";
    }

    Program resident;
};

TEST_F(Restart, SoftResetStartsTheStartupFolderAgain) {
    ASSERT_NO_FATAL_FAILURE(PrepareDevice());
    ASSERT_NO_FATAL_FAILURE(
        WriteShortcut(L"Recorder.lnk", "\"\\Windows\\recorder.exe\" -a \"b c\""));
    // Claims more characters than follow: not started, the others still are.
    ASSERT_TRUE(WriteFileBytes(STARTUP + L"Broken.lnk", "99#\"\\Windows\\recorder.exe\" x"));

    ASSERT_TRUE(StartQuickAction(program, CMD_SOFT_RESET));
    ASSERT_NO_FATAL_FAILURE(WaitRestart());

    // The resident copy is back by itself, a new process with its tray icon.
    ASSERT_TRUE(WaitFor([] { return MainWindow() != NULL; })) << DeviceLog();
    DWORD backId = 0;
    GetWindowThreadProcessId(MainWindow(), &backId);
    EXPECT_NE(resident.Id(), backId);
    EXPECT_TRUE(WaitFor(TrayIconVisible, 5000));
    std::string log = DeviceLog();
    EXPECT_NE(std::string::npos, log.find("recorder: recorder.exe [-a \"b c\"]")) << log;
    EXPECT_EQ(std::string::npos, log.find("recorder.exe [x]")) << log;
    // Nothing of the user's went.
    EXPECT_TRUE(FileExists(DOCUMENTS + L"Notes\\note.txt"));
    DWORD quickAction = 0;
    EXPECT_TRUE(GetSetting(L"QuickAction", &quickAction));
}

TEST_F(Restart, HardResetAnsweredYesComesBackFactoryFresh) {
    ASSERT_NO_FATAL_FAILURE(PrepareDevice());
    ASSERT_TRUE(StartQuickAction(program, CMD_HARD_RESET));
    MessageBoxContent asked;
    ASSERT_TRUE(AnswerMessageBox(program.Id(), IDYES, &asked)) << Describe(asked);
    ASSERT_NO_FATAL_FAILURE(WaitRestart());

    std::string log = DeviceLog();
    size_t flag = log.find("coredll: clean boot flag"), reboot = log.find("coredll: reboot");
    ASSERT_NE(std::string::npos, flag) << log;
    EXPECT_LT(flag, reboot) << "the flag must be set before the reboot\n" << log;
    HKEY key;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key));
    EXPECT_EQ(0, CountEntries(STARTUP));
    EXPECT_EQ(0, CountEntries(DOCUMENTS));
    // Its shortcut went with the rest: nothing started but the Today screen.
    EXPECT_EQ(std::string::npos, log.find("Orvalet.exe")) << log;
    // One wipe per hard reset: the flag is down again.
    DWORD value, size = sizeof(value);
    EXPECT_NE(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY,
                                          DEVICE_CLEAN_BOOT, RRF_RT_ANY, NULL, &value, &size));
}

} // namespace
