// The setup library's hooks, called as the device's CAB installer calls them.
#include "CeServices.h"
#include "SetupTest.h"

#include <gtest/gtest.h>

#include <string>

using namespace setup;

namespace {

const char PROGRAM_TARGET[] = "\"\\Program Files\\Orvalet\\Orvalet.exe\"";

class SetupHooks : public SetupTest {
  protected:
    void SetUp() override {
        SetupTest::SetUp();
        library = LoadLibraryW(L"C:\\Program Files\\Orvalet\\OrvaletSetup.dll");
        ASSERT_TRUE(library) << "error " << GetLastError();
        installInit = (pfnINSTALL_INIT)GetProcAddress(library, "Install_Init");
        installExit = (pfnINSTALL_EXIT)GetProcAddress(library, "Install_Exit");
        uninstallInit = (pfnUNINSTALL_INIT)GetProcAddress(library, "Uninstall_Init");
        ASSERT_TRUE(installInit && installExit && uninstallInit);
    }
    void TearDown() override {
        if (library) FreeLibrary(library);
        SetupTest::TearDown();
    }
    // Install_Exit over the program folder; waits for the copy it starts.
    void InstallExit(bool expectStart = true) {
        EXPECT_EQ(codeINSTALL_EXIT_DONE, installExit(NULL, INSTALL_FOLDER, 0, 0, 0, 0, 0));
        if (expectStart) EXPECT_TRUE(device::WaitFor([] { return device::MainWindow() != NULL; }));
    }
    static bool HasItem(int position) {
        std::wstring path = std::wstring(device::SETTINGS_KEY) + L"\\" + std::to_wstring(position);
        return KeyExists(path.c_str());
    }

    HMODULE library = NULL;
    pfnINSTALL_INIT installInit = NULL;
    pfnINSTALL_EXIT installExit = NULL;
    pfnUNINSTALL_INIT uninstallInit = NULL;
};

// A window of this test's own thread: a close sent to it is handled before
// the send returns, one posted only when the test pumps its messages.
struct Witness {
    HWND window = NULL;
    static int closes;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            closes++;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    Witness(const wchar_t* className, const wchar_t* title) {
        WNDCLASSW type = {};
        type.lpfnWndProc = Proc;
        type.hInstance = GetModuleHandleW(NULL);
        type.lpszClassName = className;
        RegisterClassW(&type);
        window = CreateWindowExW(0, className, title, WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                 type.hInstance, NULL);
    }
    ~Witness() { DestroyWindow(window); }
};
int Witness::closes = 0;

TEST_F(SetupHooks, ExportsAndTheCloseOfARunningCopy) {
    typedef HRESULT (*Registration)();
    Registration registerServer = (Registration)GetProcAddress(library, "DllRegisterServer");
    Registration unregisterServer = (Registration)GetProcAddress(library, "DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
    EXPECT_EQ(S_OK, registerServer());
    EXPECT_EQ(S_OK, unregisterServer());
    EXPECT_EQ(NULL, GetProcAddress(library, "Uninstall_Exit"));

    // Nothing running, nothing installed: both hooks go on, and removal with
    // the key and the shortcuts already gone changes nothing.
    EXPECT_EQ(codeINSTALL_INIT_CONTINUE, installInit(NULL, TRUE, FALSE, INSTALL_FOLDER));
    EXPECT_EQ(codeUNINSTALL_INIT_CONTINUE, uninstallInit(NULL, INSTALL_FOLDER));
    EXPECT_FALSE(KeyExists(device::SETTINGS_KEY));
    EXPECT_FALSE(device::FileExists(device::STARTUP_SHORTCUT));

    // The real program: its window is gone when each hook returns, and it ends.
    ASSERT_TRUE(device::StartResident(program));
    EXPECT_EQ(codeINSTALL_INIT_CONTINUE, installInit(NULL, TRUE, TRUE, INSTALL_FOLDER));
    EXPECT_EQ(NULL, device::MainWindow());
    EXPECT_EQ(0, program.WaitExit(5000));
    ASSERT_TRUE(device::StartResident(program));
    EXPECT_EQ(codeUNINSTALL_INIT_CONTINUE, uninstallInit(NULL, INSTALL_FOLDER));
    EXPECT_EQ(NULL, device::MainWindow());
    EXPECT_EQ(0, program.WaitExit(5000));

    // Only the window whose class and title are both "Orvalet" is closed, and
    // synchronously: the close has been handled when the hook returns. (Last:
    // a thread with windows that pumps no messages would hold up the program's
    // broadcasts.)
    {
        Witness wrongTitle(L"Orvalet", L"Orvalet Settings");
        Witness wrongClass(L"OrvaletOther", L"Orvalet");
        Witness::closes = 0;
        EXPECT_EQ(codeINSTALL_INIT_CONTINUE, installInit(NULL, TRUE, FALSE, INSTALL_FOLDER));
        EXPECT_EQ(0, Witness::closes) << "a window that is not the program's was closed";
        Witness copy(L"Orvalet", L"Orvalet");
        ASSERT_TRUE(copy.window);
        EXPECT_EQ(codeINSTALL_INIT_CONTINUE, installInit(NULL, TRUE, FALSE, INSTALL_FOLDER));
        EXPECT_EQ(1, Witness::closes) << "the close was not sent, or not sent synchronously";
        EXPECT_EQ(codeUNINSTALL_INIT_CONTINUE, uninstallInit(NULL, INSTALL_FOLDER));
        EXPECT_EQ(2, Witness::closes);
    }
}

// The stored settings' format decides whether Install_Exit keeps them; the
// program is started with "-V" (which on this screen removes the VGA strip)
// and "Version" is 1040 afterwards in every case.
TEST_F(SetupHooks, StoredSettingsVersionDecidesWhatIsKept) {
    struct Case {
        const char* name;
        bool quickAction, version; // which values the key holds
        DWORD quickActionValue;
        bool kept;
    };
    const Case cases[] = {
        {"no settings at all", false, false, 0, false},
        {"version 1040", true, true, 5, true},
        {"a quick action without a version (1020)", true, false, 5, false},
        {"quick action 0 with version 1040", true, true, 0, false},
        {"version 1040 without a quick action", false, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device::DeleteSettings();
        RestoreProgram();
        bool any = c.quickAction || c.version;
        if (c.quickAction) device::SetSetting(L"QuickAction", c.quickActionValue);
        if (c.version) device::SetSetting(L"Version", 1040);
        if (any) {
            device::SetSetting(L"Reverse", 1);
            device::SetItem(3, 7, 1);
        }
        InstallExit();
        EXPECT_TRUE(device::WaitFor([] { return !device::FileExists(device::VGA_STRIP); }, 5000))
            << "the program was not started with -V";
        DWORD value = 0;
        EXPECT_TRUE(device::GetSetting(L"Version", &value));
        EXPECT_EQ(1040u, value);
        if (any) {
            EXPECT_EQ(c.kept, device::GetSetting(L"Reverse", &value)) << "Reverse";
            EXPECT_EQ(c.kept, HasItem(3)) << "the item subkey";
            EXPECT_EQ(c.kept && c.quickAction, device::GetSetting(L"QuickAction", &value));
        }
        device::CloseResident();
    }
}

// The three shortcuts, with the quoted program path of a folder with blanks
// and "-Q" straight after the quote. The two start-menu ones are deleted and
// made anew; the startup one is written over in place (a hard link to it
// sees the new contents, while links to the others keep the old).
TEST_F(SetupHooks, ShortcutsAreMadeWithQuotedTargets) {
    const wchar_t* const witnesses[] = {L"C:\\witness1.lnk", L"C:\\witness2.lnk",
                                        L"C:\\witness3.lnk"};
    const wchar_t* const shortcuts[] = {device::STARTUP_SHORTCUT, PROGRAM_SHORTCUT,
                                        QUICK_ACTION_SHORTCUT};
    for (int i = 0; i < 3; i++) {
        ASSERT_TRUE(device::WriteFileBytes(witnesses[i], "3#old"));
        DeleteFileW(shortcuts[i]);
        ASSERT_TRUE(CreateHardLinkW(shortcuts[i], witnesses[i], NULL)) << GetLastError();
    }
    InstallExit();
    std::string program = ShortcutFile(PROGRAM_TARGET);
    std::string quick = ShortcutFile(std::string(PROGRAM_TARGET) + "-Q");
    EXPECT_EQ(program, device::ReadFileBytes(device::STARTUP_SHORTCUT));
    EXPECT_EQ(program, device::ReadFileBytes(PROGRAM_SHORTCUT));
    EXPECT_EQ(quick, device::ReadFileBytes(QUICK_ACTION_SHORTCUT));
    EXPECT_EQ(program, device::ReadFileBytes(witnesses[0])) << "the startup shortcut was deleted";
    EXPECT_EQ("3#old", device::ReadFileBytes(witnesses[1])) << "written over, not replaced";
    EXPECT_EQ("3#old", device::ReadFileBytes(witnesses[2])) << "written over, not replaced";
    for (const wchar_t* witness : witnesses)
        DeleteFileW(witness);

    // What the quoted target names is the installed program.
    EXPECT_TRUE(device::FileExists(L"C:\\Program Files\\Orvalet\\Orvalet.exe"));

    // Removal with a resident copy, settings and item subkeys: all of it goes.
    device::SetSetting(L"QuickAction", 5);
    device::SetItem(3, 7, 1);
    EXPECT_EQ(codeUNINSTALL_INIT_CONTINUE, uninstallInit(NULL, INSTALL_FOLDER));
    EXPECT_EQ(NULL, device::MainWindow());
    EXPECT_FALSE(KeyExists(device::SETTINGS_KEY));
    for (const wchar_t* shortcut : shortcuts)
        EXPECT_FALSE(device::FileExists(shortcut)) << testing::PrintToString(shortcut);
}

// A folder whose quick-action target would not fit in 260 units gets no
// shortcut and no start (a cut path would name another file); the settings
// are still brought to this format. One unit less still fits whole.
TEST_F(SetupHooks, AnInstallFolderTooLongForTheTargetsIsRefused) {
    // '"' + folder + "\Orvalet.exe" + '"' + "-Q" + NUL in 260 units: 243 at most.
    std::wstring longest = L"\\" + std::wstring(242, L'a');
    std::wstring tooLong = longest + L"b";
    device::SetSetting(L"QuickAction", 5);
    EXPECT_EQ(codeINSTALL_EXIT_DONE, installExit(NULL, tooLong.c_str(), 0, 0, 0, 0, 0));
    EXPECT_FALSE(device::FileExists(device::STARTUP_SHORTCUT));
    EXPECT_FALSE(device::FileExists(PROGRAM_SHORTCUT));
    EXPECT_FALSE(device::FileExists(QUICK_ACTION_SHORTCUT));
    EXPECT_EQ(std::string::npos, device::DeviceLog().find("coredll: shortcut"))
        << device::DeviceLog();
    DWORD value = 0;
    EXPECT_TRUE(device::GetSetting(L"Version", &value));
    EXPECT_EQ(1040u, value);
    EXPECT_FALSE(device::GetSetting(L"QuickAction", &value)) << "old settings kept";

    EXPECT_EQ(codeINSTALL_EXIT_DONE, installExit(NULL, longest.c_str(), 0, 0, 0, 0, 0));
    std::string target(longest.begin(), longest.end());
    target = "\"" + target + "\\Orvalet.exe\"";
    EXPECT_EQ(ShortcutFile(target), device::ReadFileBytes(device::STARTUP_SHORTCUT));
    EXPECT_EQ(ShortcutFile(target + "-Q"), device::ReadFileBytes(QUICK_ACTION_SHORTCUT));
}

} // namespace
