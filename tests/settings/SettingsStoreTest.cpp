// The settings store against the emulated device's real registry.
#include "Commands.h"
#include "Device.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The compiled-in defaults, taken before any test loads settings.
const Settings DEFAULTS = settings;

HKEY OpenKey(const std::wstring& path = device::SETTINGS_KEY) {
    HKEY key = NULL;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    return key;
}

void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = OpenKey();
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, (const BYTE*)data, size));
    RegCloseKey(key);
}

struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool present = false;
};

RawValue GetRaw(const std::wstring& keyPath, const wchar_t* name) {
    RawValue value;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, NULL, &value.type, NULL, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = RegQueryValueExW(key, name, NULL, &value.type, value.data.data(), &size) ==
                        ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return value;
}

DWORD CountValues(const std::wstring& keyPath, DWORD* subkeys) {
    HKEY key;
    DWORD values = 0;
    *subkeys = 0;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyW(key, NULL, NULL, NULL, subkeys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return values;
}

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        device::DeleteSettings();
        settings = DEFAULTS;
    }
    void TearDown() override { device::DeleteSettings(); }
};

bool SameItems(const Settings& a, const Settings& b, int* firstDifference) {
    for (int i = 0; i < MENU_ITEM_COUNT; i++) {
        if (a.menuItems[i].command != b.menuItems[i].command ||
            a.menuItems[i].shown != b.menuItems[i].shown) {
            *firstDifference = i;
            return false;
        }
    }
    return true;
}

TEST_F(SettingsStore, NoKeyLeavesEveryDefault) {
    LoadSettings();
    EXPECT_EQ(CMD_POWER_OFF, settings.quickAction);
    EXPECT_TRUE(IsTapForMenu());
    EXPECT_EQ(1, settings.showIcons);
    EXPECT_EQ(0, settings.hideTrayIcon);
    EXPECT_EQ(0, settings.customTrayIcon);
    EXPECT_EQ(0, settings.trayIconBitmapPath[0]);
    EXPECT_EQ(0, settings.language);
    EXPECT_EQ(3, settings.captureDelay);
    EXPECT_EQ(1, settings.colorMode);
    EXPECT_EQ(0x000000u, settings.colorText);
    EXPECT_EQ(0xFFFFFFu, settings.colorBackground);
    EXPECT_EQ(0xC8C8C8u, settings.colorIconBackground);
    EXPECT_EQ(0xFFFFFFu, settings.colorHighlightText);
    EXPECT_EQ(0xAF0000u, settings.colorHighlightBackground);

    // The shown slots of the default list, in order: the menu of a fresh install.
    const int expected[] = {1, 3, 0, 4, 5, 6, 0, 7, 8, 14, 0, 24, 26, 27};
    std::vector<int> shown;
    for (const MenuItem& item : settings.menuItems)
        if (item.shown) shown.push_back(item.command);
    EXPECT_EQ(std::vector<int>(expected, expected + 14), shown);
    int separators = 0, commands = 0;
    for (const MenuItem& item : settings.menuItems)
        (item.command == 0 ? separators : commands)++;
    EXPECT_EQ(5, separators);
    EXPECT_EQ(27, commands);
}

TEST_F(SettingsStore, SaveWritesTheWholeLayoutAndLoadReadsItBack) {
    // "Version" belongs to the setup library and must survive a save.
    DWORD version = 1040;
    SetRaw(L"Version", REG_DWORD, &version, sizeof(version));

    settings.quickAction = 21;
    SetTapForMenu(false);
    settings.hideTrayIcon = 1;
    settings.showIcons = 0;
    settings.customTrayIcon = 1;
    lstrcpyW(settings.trayIconBitmapPath, L"\\My Documents\\tray.bmp");
    settings.language = 4;
    settings.captureDelay = 10;
    settings.colorMode = 3;
    settings.colorText = 0x010203;
    settings.colorHighlightText = 0x040506;
    settings.colorBackground = 0x070809;
    settings.colorHighlightBackground = 0x0A0B0C;
    settings.colorIconBackground = 0x0D0E0F;
    for (int i = 0; i < MENU_ITEM_COUNT; i++) {
        settings.menuItems[i].command = (i * 7) % 28;
        settings.menuItems[i].shown = i % 3 == 0;
    }
    const Settings saved = settings;
    SaveSettings();

    // Layout: 14 plain values plus "Version", and the 32 item subkeys.
    DWORD subkeys = 0;
    EXPECT_EQ(15u, CountValues(device::SETTINGS_KEY, &subkeys));
    EXPECT_EQ(32u, subkeys);
    const wchar_t* dwords[] = {L"QuickAction", L"Reverse",  L"HideTrayIcon", L"ShowIcons",
                               L"TrayIcon",    L"Language", L"Delay",        L"Custom Colors",
                               L"ColorTC",     L"ColorSTC", L"ColorBK",      L"ColorSBK",
                               L"ColorIBK",    L"Version"};
    for (const wchar_t* name : dwords) {
        RawValue value = GetRaw(device::SETTINGS_KEY, name);
        EXPECT_TRUE(value.present && value.type == REG_DWORD && value.data.size() == 4)
            << "value " << testing::PrintToString(std::wstring(name)) << " type " << value.type
            << " size " << value.data.size();
    }
    DWORD stored = 0;
    ASSERT_TRUE(device::GetSetting(L"Reverse", &stored));
    EXPECT_EQ(1u, stored);
    ASSERT_TRUE(device::GetSetting(L"Version", &stored));
    EXPECT_EQ(1040u, stored);
    RawValue path = GetRaw(device::SETTINGS_KEY, L"TrayIconBMP");
    EXPECT_EQ((DWORD)REG_SZ, path.type);
    EXPECT_EQ(2048u, path.data.size()) << "the path is stored as the whole 2048-byte field";
    for (int i = 0; i < MENU_ITEM_COUNT; i++) {
        std::wstring item = std::wstring(device::SETTINGS_KEY) + L"\\" + std::to_wstring(i);
        RawValue command = GetRaw(item, L"Command"), show = GetRaw(item, L"Show");
        ASSERT_TRUE(command.present && show.present) << "subkey " << i;
        EXPECT_EQ((DWORD)REG_DWORD, command.type);
        EXPECT_EQ(saved.menuItems[i].command, *(const int32_t*)command.data.data()) << "slot " << i;
    }

    settings = DEFAULTS;
    LoadSettings();
    EXPECT_EQ(0, memcmp(&saved, &settings, sizeof(Settings)))
        << "the record differs after a round trip";
    int difference = -1;
    EXPECT_TRUE(SameItems(saved, settings, &difference)) << "slot " << difference;
    EXPECT_FALSE(IsTapForMenu());
    EXPECT_EQ(21, GetQuickAction());
}

TEST_F(SettingsStore, PartialKeysMixStoredAndDefaultSlots) {
    // Only subkeys "0" to "9", holding the commands in reverse.
    for (int i = 0; i < 10; i++)
        device::SetItem(i, 27 - i, 1);
    device::SetSetting(L"QuickAction", 99); // out of range: loaded unchanged
    LoadSettings();
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(27 - i, settings.menuItems[i].command) << "slot " << i;
        EXPECT_EQ(1, settings.menuItems[i].shown) << "slot " << i;
    }
    int difference = -1;
    Settings tail = DEFAULTS;
    memcpy(tail.menuItems, settings.menuItems, 10 * sizeof(MenuItem));
    EXPECT_TRUE(SameItems(tail, settings, &difference)) << "slot " << difference;
    EXPECT_EQ(99, settings.quickAction);
}

TEST_F(SettingsStore, ValuesOfTheWrongTypeOrSizeKeepTheirDefaults) {
    SetRaw(L"QuickAction", REG_SZ, L"21", 6); // a string
    DWORD two = 2;
    SetRaw(L"ShowIcons", REG_BINARY, &two, 2); // too short
    unsigned long long wide = 0x0000000100000002ull;
    SetRaw(L"Language", REG_BINARY, &wide, 8); // too long
    SetRaw(L"Delay", REG_DWORD, &wide, 8);     // a DWORD of eight bytes
    SetRaw(L"ColorTC", REG_BINARY, &two, 4);   // four bytes, but binary
    DWORD good = 7;
    SetRaw(L"Custom Colors", REG_DWORD, &good, 4); // the one sound value
    device::SetItem(3, 12, 0);
    HKEY item = OpenKey(std::wstring(device::SETTINGS_KEY) + L"\\4");
    RegSetValueExW(item, L"Command", 0, REG_SZ, (const BYTE*)L"9", 4);
    RegCloseKey(item);

    LoadSettings();
    EXPECT_EQ(DEFAULTS.quickAction, settings.quickAction);
    EXPECT_EQ(DEFAULTS.showIcons, settings.showIcons);
    EXPECT_EQ(DEFAULTS.language, settings.language);
    EXPECT_EQ(DEFAULTS.captureDelay, settings.captureDelay);
    EXPECT_EQ(DEFAULTS.colorText, settings.colorText);
    EXPECT_EQ(7, settings.colorMode);
    EXPECT_EQ(12, settings.menuItems[3].command);
    EXPECT_EQ(0, settings.menuItems[3].shown);
    EXPECT_EQ(DEFAULTS.menuItems[4].command, settings.menuItems[4].command);
}

TEST_F(SettingsStore, TrayPathIsTakenOnlyWhenItEndsWithinTheField) {
    {
        // A path followed by its terminator is taken, whatever the stored length.
        const wchar_t path[] = L"\\Windows\\tray.bmp";
        SetRaw(L"TrayIconBMP", REG_SZ, path, sizeof(path));
        LoadSettings();
        EXPECT_STREQ(path, settings.trayIconBitmapPath);
    }
    {
        // Exactly 2048 bytes without a terminator: no path rather than an unterminated one.
        settings = DEFAULTS;
        std::vector<wchar_t> full(1024, L'a');
        SetRaw(L"TrayIconBMP", REG_SZ, full.data(), 2048);
        LoadSettings();
        EXPECT_EQ(0, settings.trayIconBitmapPath[0]);
        EXPECT_EQ(0, settings.trayIconBitmapPath[TRAY_PATH_LENGTH - 1]);
    }
    {
        // Longer than the field: not cut into a wrong path.
        settings = DEFAULTS;
        std::vector<wchar_t> longer(3000, L'b');
        longer.back() = 0;
        SetRaw(L"TrayIconBMP", REG_SZ, longer.data(), 6000);
        LoadSettings();
        EXPECT_EQ(0, settings.trayIconBitmapPath[0]);
    }
    {
        // Not a string at all.
        settings = DEFAULTS;
        DWORD number = 0x41;
        SetRaw(L"TrayIconBMP", REG_DWORD, &number, 4);
        LoadSettings();
        EXPECT_EQ(0, settings.trayIconBitmapPath[0]);
    }
    {
        // After a short path, the rest of the stored field is zeros: nothing of a
        // longer earlier path leaks into the registry.
        settings = DEFAULTS;
        std::vector<wchar_t> earlier(1000, L'c');
        earlier.back() = 0;
        SetRaw(L"TrayIconBMP", REG_SZ, earlier.data(), 2000);
        LoadSettings();
        const wchar_t shorter[] = L"\\x.bmp";
        SetRaw(L"TrayIconBMP", REG_SZ, shorter, sizeof(shorter));
        LoadSettings();
        SaveSettings();
        RawValue stored = GetRaw(device::SETTINGS_KEY, L"TrayIconBMP");
        ASSERT_EQ(2048u, stored.data.size());
        for (size_t i = sizeof(shorter); i < stored.data.size(); i++)
            ASSERT_EQ(0, stored.data[i]) << "byte " << i;
    }
}

// The task-bar hook component learns of every save, even one that could not
// write the key.
TEST_F(SettingsStore, SaveNotifiesTheTaskHook) {
    WNDCLASSW hookClass = {};
    hookClass.lpfnWndProc = DefWindowProcW;
    hookClass.hInstance = GetModuleHandleW(NULL);
    hookClass.lpszClassName = L"QXTaskHook";
    RegisterClassW(&hookClass);
    HWND hook =
        CreateWindowW(L"QXTaskHook", L"", 0, 0, 0, 10, 10, NULL, NULL, hookClass.hInstance, NULL);
    ASSERT_TRUE(hook != NULL);
    UINT expected = RegisterWindowMessageW(L"Brantwell::QX::EnableHook");

    SaveSettings();
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, hook, expected, expected, PM_REMOVE)) << "no notification";
    EXPECT_EQ(3u, message.wParam);
    EXPECT_EQ(0, message.lParam);
    EXPECT_FALSE(PeekMessageW(&message, hook, expected, expected, PM_REMOVE)) << "notified twice";
    DestroyWindow(hook);
}

} // namespace
