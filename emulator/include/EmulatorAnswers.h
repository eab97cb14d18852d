// What a test tells the emulated device's stand-ins to answer, instead of what
// they answer by themselves: one registry key of the emulator, one value per
// answer, read by the stand-in at each call and removed by the tests' fixture
// before every test. The stand-ins read it through emulator/answers; the
// harness writes it (device::SetAnswer, device::ClearAnswers).
#pragma once

// Under HKEY_LOCAL_MACHINE. Not a key of the device: a real device has none.
#define EMULATOR_ANSWERS_KEY L"Software\\Orvalet Emulator\\Answers"

// REG_DWORD, a CSIDL number: coredll's SHGetSpecialFolderPath refuses that
// folder (answers FALSE and an empty path).
#define ANSWER_REFUSED_FOLDER L"RefusedFolder"

// REG_DWORD, any value: the display driver lacks the power-management escape
// (coredll's ExtEscape answers 0 when asked whether it supports it).
#define ANSWER_NO_POWER_ESCAPE L"NoPowerEscape"

// REG_DWORD, any value: coredll lacks "ChangeDisplaySettingsEx" (its
// GetProcAddressW finds no such entry).
#define ANSWER_NO_DISPLAY_SETTINGS L"NoDisplaySettings"

// What the emulated device holds between programs, under HKEY_LOCAL_MACHINE:
// REG_DWORD "DisplayOrientation", the CE orientation code (DMDO_...).
#define EMULATOR_DEVICE_KEY L"Software\\Orvalet Emulator\\Device"
#define DEVICE_DISPLAY_ORIENTATION L"DisplayOrientation"
// REG_DWORD "CleanBoot", set by coredll's SetCleanRebootFlag: the next restart
// (boot.exe) wipes the user's data, then removes it.
#define DEVICE_CLEAN_BOOT L"CleanBoot"

// The restart (C:\Windows\boot.exe): the exit code of every program of the
// device it ends, and the colour of the start screen it shows meanwhile.
#define BOOT_PROGRAM_PATH L"C:\\Windows\\boot.exe"
#define BOOT_EXIT_CODE 0xB007u
#define BOOT_SCREEN_COLOR RGB(0, 40, 104)
