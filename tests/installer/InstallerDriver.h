// Driving the desktop installer on the emulated desktop PC: its paths, the
// manager's registration, its pages and failure boxes found by their
// controls, clicks and keys as a user gives them.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Device.h"
#include "Dialogs.h"
#include "Input.h"
#include "Screen.h"
#include "Unix.h"
#include "resource.h"

namespace desktop {

using device::ControlRect;
using device::FileExists;
using device::ReadFileBytes;
using device::RunOnHost;

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

inline std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// A file of the host, by its host path.
inline std::string HostFile(const std::string& path) {
    return ReadFileBytes(device::HostPath(path));
}

inline void RegisterManager(const std::string& path, DWORD type = REG_SZ) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, MANAGER_KEY, 0, NULL, 0, KEY_WRITE,
                                             NULL, &key, NULL));
    RegSetValueExA(key, NULL, 0, type, (const BYTE*)path.c_str(), path.size() + 1);
    RegCloseKey(key);
}

// How the emulated manager behaves: "install", "cancel" or "absent".
inline void ManagerBehaves(const char* behaviour) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Orvalet Emulator\\Desktop", 0, NULL, 0,
                    KEY_WRITE, NULL, &key, NULL);
    RegSetValueExA(key, "AppManager", 0, REG_SZ, (const BYTE*)behaviour, lstrlenA(behaviour) + 1);
    RegCloseKey(key);
}

inline void EmptyFolder(const std::wstring& folder) {
    for (const char* name : PACKAGE)
        DeleteFileW((folder + L"\\" + Wide(name)).c_str());
    RemoveDirectoryW(folder.c_str());
    DeleteFileW(folder.c_str());
}

inline int FilesIn(const std::wstring& folder) {
    int count = 0;
    for (const char* name : PACKAGE)
        count += FileExists(folder + L"\\" + Wide(name));
    return count;
}

// The installer's pages (each has a title or a product panel) and its
// failure boxes (neither). The pages' unnamed labels would make any of them
// look like a message box to the dialog driver.
inline bool IsPage(HWND dialog) {
    return GetDlgItem(dialog, IDC_TITLE) || GetDlgItem(dialog, IDC_PANEL_A);
}

inline HWND WaitDialogOf(DWORD process, bool page, DWORD timeoutMs) {
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

inline HWND WaitPage(DWORD process, DWORD timeoutMs = 20000) {
    return WaitDialogOf(process, true, timeoutMs);
}

// A point near the client area's top left corner, on no control: a click
// there gives the window the keyboard.
inline POINT Corner(HWND window) {
    POINT corner = {3, 3};
    ClientToScreen(window, &corner);
    return corner;
}

// A page's button pressed with a click, and the page gone.
inline void Click(HWND page, int button) {
    ASSERT_TRUE(page);
    input::Tap(input::Centre(ControlRect(page, button)));
    EXPECT_TRUE(device::WaitGone(page)) << "page did not end on button " << button;
}

// Each test starts with the tests' manager registered in D:\ActiveSync, set
// to act as cancelled by its user, no package folder and an empty log.
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

} // namespace desktop
