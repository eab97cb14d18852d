// The whole path from the desktop installer to Orvalet in the emulated
// device's tray, and back out.
#include "InstallerDriver.h"

namespace desktop {
namespace {

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
        RECT frame;
        GetWindowRect(page, &frame);
        device::SavePicture(frame, std::string(OUT_DIR) + "/screens/" + names[i] + ".png");
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
} // namespace desktop
