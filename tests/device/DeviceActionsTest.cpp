// Resets, the power key, rotation and display off, run as the quick action of
// a "-Q" start; their effects are read from the emulated device's log and
// state, their questions and errors from the program's message boxes.
#include "Device.h"
#include "DeviceTest.h"
#include "Dialogs.h"
#include "EmulatorAnswers.h"
#include "Input.h"
#include "menu/Commands.h"

#include <gtest/gtest.h>

using namespace device;

namespace {

class DeviceActions : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY); // upright
    }
    void TearDown() override {
        DeviceTest::TearDown();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY);
    }

    // Starts "-Q" with command as the quick action.
    void StartQuick(DWORD command) { ASSERT_TRUE(StartQuickAction(program, command)); }
    // Runs "-Q" with command as the quick action to its end.
    void RunQuick(DWORD command) {
        ASSERT_NO_FATAL_FAILURE(StartQuick(command));
        ASSERT_EQ(0, program.WaitExit()) << "command " << command;
    }
    // The message box the running action shows, read and then answered.
    MessageBoxContent AnswerMessageBox(int button) {
        MessageBoxContent content;
        EXPECT_TRUE(device::AnswerMessageBox(program.Id(), button, &content)) << Describe(content);
        EXPECT_EQ(0, program.WaitExit());
        return content;
    }
};

DWORD HeldOrientation() {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, DEVICE_DISPLAY_ORIENTATION,
                     RRF_RT_REG_DWORD, NULL, &value, &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

std::string OrientationLine(DWORD orientation) {
    return "coredll: display orientation " + std::to_string(orientation);
}

size_t Find(const std::string& text) {
    return DeviceLog().find(text);
}

// What the resets restart is the restart test's (RestartTest.cpp).
TEST_F(DeviceActions, HardResetAsksFirst) {
    ASSERT_NO_FATAL_FAILURE(StartQuick(CMD_HARD_RESET));
    MessageBoxContent asked = AnswerMessageBox(IDNO);
    EXPECT_EQ(L"HardReset will make you lose all the data stored on your PocketPC, are you sure "
              L"you want to HardReset ?",
              asked.text)
        << Describe(asked);
    EXPECT_EQ(L"Hard Reset", asked.caption);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), ButtonIds(asked)) << Describe(asked);
    EXPECT_EQ("", DeviceLog()) << "declined, yet something was done";
}

TEST_F(DeviceActions, PowerOffPressesAndReleasesThePowerKey) {
    RunQuick(CMD_POWER_OFF);
    size_t down = Find("coredll: power key down"), up = Find("coredll: power key up");
    ASSERT_NE(std::string::npos, down) << DeviceLog();
    ASSERT_NE(std::string::npos, up) << DeviceLog();
    EXPECT_LT(down, up) << DeviceLog();
    EXPECT_TRUE(WaitLog("screen: dark")) << "the device suspends: its screen goes dark";
}

TEST_F(DeviceActions, EachRotationTurnsAnUprightScreenAndTurnsItBack) {
    const struct {
        DWORD command, orientation;
    } rotations[] = {{CMD_ROTATE_LEFT, 4}, {CMD_ROTATE_RIGHT, 1}, {CMD_FLIP_SCREEN, 2}};
    for (const auto& rotation : rotations) {
        RunQuick(rotation.command);
        EXPECT_EQ(rotation.orientation, HeldOrientation()) << "command " << rotation.command;
        RunQuick(rotation.command);
        EXPECT_EQ(0u, HeldOrientation()) << "command " << rotation.command << " pressed twice";
    }
    std::string log = DeviceLog();
    EXPECT_NE(std::string::npos, log.find(OrientationLine(4) + "\r\n" + OrientationLine(0))) << log;

    // Left on a screen turned right goes back upright, not further.
    RunQuick(CMD_ROTATE_RIGHT);
    ClearDeviceLog();
    RunQuick(CMD_ROTATE_LEFT);
    EXPECT_EQ(0u, HeldOrientation());
    EXPECT_NE(std::string::npos, Find(OrientationLine(0))) << DeviceLog();
}

TEST_F(DeviceActions, RotationWithoutTheEntrySaysSoAndChangesNothing) {
    SetAnswer(ANSWER_NO_DISPLAY_SETTINGS, 1);
    ASSERT_NO_FATAL_FAILURE(StartQuick(CMD_ROTATE_RIGHT));
    MessageBoxContent error = AnswerMessageBox(IDOK);
    EXPECT_EQ(L"Rotation is not supported in this device", error.text) << Describe(error);
    EXPECT_EQ(L"Error", error.caption);
    EXPECT_EQ(std::vector<int>{IDOK}, ButtonIds(error)) << Describe(error);
    EXPECT_EQ(0u, HeldOrientation());
    EXPECT_EQ("", DeviceLog());
}

TEST_F(DeviceActions, ScreenOffSwitchesTheDisplayOffOrSaysItCannot) {
    RunQuick(CMD_SCREEN_OFF);
    EXPECT_NE(std::string::npos, Find("coredll: display power 4")) << DeviceLog();
    ASSERT_TRUE(WaitLog("screen: dark"));
    input::Tap({10, 10}); // lit again
    ASSERT_TRUE(WaitLog("screen: on"));

    ClearDeviceLog();
    SetAnswer(ANSWER_NO_POWER_ESCAPE, 1);
    ASSERT_NO_FATAL_FAILURE(StartQuick(CMD_SCREEN_OFF));
    MessageBoxContent sorry = AnswerMessageBox(IDOK);
    EXPECT_EQ(L"Sorry, your Pocket PC does not support DisplayOff", sorry.text) << Describe(sorry);
    EXPECT_EQ(L"Pocket PC Display Off Feature", sorry.caption);
    EXPECT_EQ(std::vector<int>{IDOK}, ButtonIds(sorry)) << Describe(sorry);
    EXPECT_EQ("", DeviceLog());
}

} // namespace
