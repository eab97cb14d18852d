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

// The emulated IP helper (emulator/iphlpapi), with emulated interfaces only:
// REG_DWORD, a count: that many size queries of the interface table answer
// the size of a table without its last interface, as if one came between the
// query and the fetch (each such answer counts the value down).
#define ANSWER_IP_TABLE_GROWS L"IpTableGrows"
// REG_DWORD, any value: the last interface's name fills its field with no
// terminator.
#define ANSWER_IP_UNTERMINATED_NAME L"IpUnterminatedName"
// REG_DWORD, any value: the adapter list's size query answers a size (of a
// megabyte, so that a list kept would show in the program's memory) and the
// fetch then fails.
#define ANSWER_IP_ADAPTERS_FAIL L"IpAdaptersFail"
// REG_SZ, an interface name: still in the interface table, but its adapter
// index and record are gone, as when it vanished right after the table.
#define ANSWER_IP_VANISHED L"IpVanished"
// REG_DWORD, any value: the program's allocation of the interface table's
// size fails, as on a device out of memory.
#define ANSWER_IP_NO_MEMORY L"IpNoMemory"

// What the emulated device holds between programs, under HKEY_LOCAL_MACHINE:
// REG_DWORD "DisplayOrientation", the CE orientation code (DMDO_...).
#define EMULATOR_DEVICE_KEY L"Software\\Orvalet Emulator\\Device"
#define DEVICE_DISPLAY_ORIENTATION L"DisplayOrientation"
// REG_DWORD "CleanBoot", set by coredll's SetCleanRebootFlag: the next restart
// (boot.exe) wipes the user's data, then removes it.
#define DEVICE_CLEAN_BOOT L"CleanBoot"
// REG_SZ "NetworkFile": the description file of the emulated network
// interfaces; without it the emulated IP helper passes every call to Wine's.
// The subkey "Network" holds a DWORD 1 for each released interface, by name.
#define DEVICE_NETWORK_FILE L"NetworkFile"
#define EMULATOR_NETWORK_KEY L"Software\\Orvalet Emulator\\Device\\Network"

// The restart (C:\Windows\boot.exe): the exit code of every program of the
// device it ends, and the colour of the start screen it shows meanwhile.
#define BOOT_PROGRAM_PATH L"C:\\Windows\\boot.exe"
#define BOOT_EXIT_CODE 0xB007u
#define BOOT_SCREEN_COLOR RGB(0, 40, 104)
