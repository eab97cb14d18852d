// What the setup tests share: the installed program's files saved and put
// back around each test (an installation's "-V" start removes the VGA strip,
// a removal the whole folder), and the places the hooks write.
#pragma once

#include "DeviceTest.h"

#include <string>
#include <vector>

namespace setup {

extern const wchar_t INSTALL_FOLDER[]; // the device path the installer passes
extern const wchar_t PROGRAM_SHORTCUT[];
extern const wchar_t QUICK_ACTION_SHORTCUT[];
extern const wchar_t INSTALLED_RECORD[]; // the installer's key under HKEY_LOCAL_MACHINE
extern const wchar_t KEPT_LIBRARY[];     // the setup library the installer keeps

// The shortcut file the device's shell writes for target.
std::string ShortcutFile(const std::string& target);
bool KeyExists(const wchar_t* path);
// Runs the device's CAB installer with arguments; its exit code, -1 on a hang.
long RunInstaller(const std::wstring& arguments);

} // namespace setup

class SetupTest : public DeviceTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Puts the installed program's files back as the fixture found them.
    void RestoreProgram();

  private:
    std::vector<std::pair<std::wstring, std::string>> programFiles;
};
