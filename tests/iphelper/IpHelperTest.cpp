// The network address helper (command 26), opened as the quick action of a
// "-Q" copy, over the emulated interfaces of a description file of the test's
// own, and over Wine's real IP helper.
#include "DeviceTest.h"
#include "Dialogs.h"
#include "GdiObjects.h"
#include "Input.h"
#include "MenuProbe.h"
#include "Screen.h"
#include "Unix.h"
#include "menu/Commands.h"
#include "EmulatorAnswers.h"

#include <iphlpapi.h>
#include <psapi.h>

#include <string>
#include <vector>

using namespace device;

namespace {

const int INTERFACES = 1053, RENEW = 1055, RELEASE = 1056;
const int FIELDS[5] = {1057, 1058, 1059, 1060, 1061}; // address, gateway, DHCP, WINS, WINS 2
const wchar_t NETWORK_FILE[] = L"C:\\iphelper-network.txt";
const wchar_t INSTALLED_NETWORK_FILE[] = L"C:\\Windows\\network.txt";

// Three interfaces whose table order is not alphabetical.
const char WLAN[] = "WLAN1 index=3 address=192.168.17.41 mask=255.255.255.0 gateway=192.168.17.1 "
                    "dhcp=192.168.17.2 wins=192.168.17.5 wins2=192.168.17.6\n";
const char RNDIS[] = "RNDIS1 index=7 address=169.254.2.2 mask=255.255.255.0 gateway=169.254.2.1 "
                     "dhcp=169.254.2.9 wins=169.254.2.3 wins2=169.254.2.4\n";
const char BTPAN[] = "BTPAN1 index=5 address=10.0.9.77 mask=255.255.255.0 gateway=10.0.9.1 "
                     "dhcp=10.0.9.2 wins=10.0.9.3 wins2=10.0.9.4\n";

typedef std::vector<std::wstring> Texts;

void SetNetworkFile(const wchar_t* path) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, EMULATOR_DEVICE_KEY, 0, NULL, 0,
                                             KEY_SET_VALUE, NULL, &key, NULL));
    if (path)
        RegSetValueExW(key, DEVICE_NETWORK_FILE, 0, REG_SZ, (const BYTE*)path,
                       (lstrlenW(path) + 1) * sizeof(wchar_t));
    else
        RegDeleteValueW(key, DEVICE_NETWORK_FILE);
    RegCloseKey(key);
}

class IpHelper : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_NETWORK_KEY);
        Describe(std::string(WLAN) + RNDIS + BTPAN);
        SetNetworkFile(NETWORK_FILE);
    }
    void TearDown() override {
        DeviceTest::TearDown();
        SetNetworkFile(INSTALLED_NETWORK_FILE);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_NETWORK_KEY);
        DeleteFileW(NETWORK_FILE);
    }
    // The emulated interfaces, replaced at once: the stand-in never reads half a file.
    void Describe(const std::string& lines) {
        std::wstring next = std::wstring(NETWORK_FILE) + L".new";
        ASSERT_TRUE(WriteFileBytes(next, lines));
        ASSERT_TRUE(MoveFileExW(next.c_str(), NETWORK_FILE, MOVEFILE_REPLACE_EXISTING));
    }
    // The helper as a user opens it, with its list filled.
    void Open(size_t interfaces = 3) {
        ASSERT_TRUE(StartQuickAction(program, CMD_IP_HELPER));
        dialog = WaitDialog(program.Id());
        ASSERT_TRUE(dialog) << "no IP Helper dialog";
        ASSERT_TRUE(WaitList(interfaces));
    }
    bool WaitList(size_t interfaces, DWORD timeoutMs = 3000) {
        return WaitFor([&] { return ComboItems(dialog, INTERFACES).size() == interfaces; },
                       timeoutMs);
    }
    Texts Fields() {
        Texts texts;
        for (int id : FIELDS)
            texts.push_back(ControlText(dialog, id));
        return texts;
    }
    bool WaitFields(const Texts& expected) {
        return WaitFor([&] { return Fields() == expected; }, 3000);
    }
    // A tap on the list, then on its entry at position.
    void Choose(int position) {
        RECT list = ControlRect(dialog, INTERFACES);
        input::Tap({(list.left + list.right) / 2, (list.top + list.bottom) / 2});
        HWND dropped = NULL;
        ASSERT_TRUE(WaitFor([&] {
            dropped = FindWindowW(L"ComboLBox", NULL);
            return dropped && IsWindowVisible(dropped);
        }));
        RECT item;
        SendMessageW(dropped, LB_GETITEMRECT, position, (LPARAM)&item);
        MapWindowPoints(dropped, NULL, (POINT*)&item, 2);
        input::Tap({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        ASSERT_TRUE(WaitFor([&] { return ComboSelection(dialog, INTERFACES) == position; }));
    }
    // Waits for the next refresh to pass (the timer's table fetch in the log).
    bool NextRefresh() {
        int before = LogCount("GetInterfaceInfo(");
        return WaitFor([&] { return LogCount("GetInterfaceInfo(") >= before + 4; }, 3000);
    }
    HWND dialog = NULL;
};

const Texts WLAN_FIELDS = {L"192.168.17.41", L"192.168.17.1", L"192.168.17.2", L"192.168.17.5",
                           L"192.168.17.6"};
const Texts RNDIS_FIELDS = {L"169.254.2.2", L"169.254.2.1", L"169.254.2.9", L"169.254.2.3",
                            L"169.254.2.4"};
const Texts RNDIS_RELEASED = {L"0.0.0.0", L"0.0.0.0", L"169.254.2.9", L"169.254.2.3",
                              L"169.254.2.4"};
const Texts BTPAN_FIELDS = {L"10.0.9.77", L"10.0.9.1", L"10.0.9.2", L"10.0.9.3", L"10.0.9.4"};
const Texts NO_RECORD = {L"0.0.0.0", L"0.0.0.0", L"0.0.0.0", L"0.0.0.0", L"0.0.0.0"};

TEST_F(IpHelper, ReleasesAndRenewsTheChosenInterface) {
    Open();
    EXPECT_EQ((Texts{L"WLAN1", L"RNDIS1", L"BTPAN1"}), ComboItems(dialog, INTERFACES));
    EXPECT_EQ(0, ComboSelection(dialog, INTERFACES));
    EXPECT_TRUE(WaitFields(WLAN_FIELDS)) << Utf8(Fields()[0]);

    Choose(1);
    EXPECT_TRUE(WaitFields(RNDIS_FIELDS)) << Utf8(Fields()[0]);

    ClearDeviceLog();
    ASSERT_TRUE(PressButton(dialog, RELEASE));
    EXPECT_TRUE(WaitLog("IpReleaseAddress(index 7, RNDIS1) = 0")) << DeviceLog();
    EXPECT_TRUE(WaitFields(RNDIS_RELEASED)) << Utf8(Fields()[0]);
    // Refilled at once from a fresh record, before the next refresh.
    std::string log = DeviceLog();
    size_t release = log.find("IpReleaseAddress");
    EXPECT_LT(log.find("GetAdaptersInfo(", release), log.find("GetInterfaceInfo(", release)) << log;
    EXPECT_EQ(1, LogCount("IpReleaseAddress")) << DeviceLog();
    ASSERT_TRUE(NextRefresh());
    EXPECT_EQ(RNDIS_RELEASED, Fields());
    EXPECT_EQ(1, ComboSelection(dialog, INTERFACES));

    ASSERT_TRUE(PressButton(dialog, RENEW));
    EXPECT_TRUE(WaitLog("IpRenewAddress(index 7, RNDIS1) = 0")) << DeviceLog();
    EXPECT_TRUE(WaitFields(RNDIS_FIELDS)) << Utf8(Fields()[0]);
    ASSERT_TRUE(NextRefresh());
    EXPECT_EQ(RNDIS_FIELDS, Fields());

    ASSERT_TRUE(SendCommand(dialog, IDOK));
    EXPECT_EQ(0, program.WaitExit());
}

TEST_F(IpHelper, InterfaceThatGoesAwayLeavesThePosition) {
    Open();
    Choose(1);
    Describe(std::string(WLAN) + BTPAN);
    DWORD start = GetTickCount();
    ASSERT_TRUE(WaitList(2, 1000)) << "still " << ComboItems(dialog, INTERFACES).size();
    EXPECT_LE(GetTickCount() - start, 1000u);
    EXPECT_EQ((Texts{L"WLAN1", L"BTPAN1"}), ComboItems(dialog, INTERFACES));
    EXPECT_EQ(1, ComboSelection(dialog, INTERFACES));
    EXPECT_TRUE(WaitFields(BTPAN_FIELDS)) << Utf8(Fields()[0]);

    Describe(std::string(WLAN) + RNDIS + BTPAN);
    ASSERT_TRUE(WaitList(3, 1000));
    EXPECT_EQ(L"RNDIS1", ComboItems(dialog, INTERFACES)[ComboSelection(dialog, INTERFACES)]);
    EXPECT_TRUE(WaitFields(RNDIS_FIELDS)) << Utf8(Fields()[0]);
}

TEST_F(IpHelper, WithoutChoiceNothingReachesTheIpHelper) {
    Open();
    HWND list = GetDlgItem(dialog, INTERFACES);
    // Right after a refresh the next one is half a second away.
    ClearDeviceLog();
    ASSERT_TRUE(WaitLog("GetInterfaceInfo("));
    DWORD_PTR result;
    SendMessageTimeoutW(list, CB_SETCURSEL, (WPARAM)-1, 0, SMTO_BLOCK, 2000, &result);
    SendMessageTimeoutW(dialog, WM_COMMAND, RENEW, 0, SMTO_BLOCK, 2000, &result);
    SendMessageTimeoutW(dialog, WM_COMMAND, RELEASE, 0, SMTO_BLOCK, 2000, &result);
    // No interfaces at all: nothing is chosen either.
    Describe("# none\n");
    ASSERT_TRUE(WaitList(0));
    EXPECT_EQ(-1, ComboSelection(dialog, INTERFACES));
    ASSERT_TRUE(PressButton(dialog, RENEW));
    ASSERT_TRUE(PressButton(dialog, RELEASE));
    ASSERT_TRUE(NextRefresh());
    EXPECT_EQ(0, LogCount("IpRenewAddress") + LogCount("IpReleaseAddress")) << DeviceLog();
}

PROCESS_MEMORY_COUNTERS_EX Memory(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, (PROCESS_MEMORY_COUNTERS*)&counters, sizeof(counters));
    return counters;
}

TEST_F(IpHelper, BadAnswersOfThePlatform) {
    Open();
    Choose(2);
    // The table grows once between the size query and the fetch: asked again.
    ClearDeviceLog();
    SetAnswer(ANSWER_IP_TABLE_GROWS, 1u);
    ASSERT_TRUE(WaitLog(" bytes) = 122, ")) << DeviceLog();
    ASSERT_TRUE(NextRefresh());
    EXPECT_EQ(3u, ComboItems(dialog, INTERFACES).size());
    EXPECT_EQ(2, ComboSelection(dialog, INTERFACES));
    // It keeps growing: no table, an empty list, the fields as they were.
    SetAnswer(ANSWER_IP_TABLE_GROWS, 100000u);
    EXPECT_TRUE(WaitList(0));
    EXPECT_EQ(BTPAN_FIELDS, Fields());
    ClearAnswers();
    ASSERT_TRUE(WaitList(3));

    // Out of memory for the table's copy: an empty list until memory is back.
    ClearDeviceLog();
    SetAnswer(ANSWER_IP_NO_MEMORY, 1u);
    EXPECT_TRUE(WaitLog("refused: out of memory")) << DeviceLog();
    EXPECT_TRUE(WaitList(0));
    ClearAnswers();
    ASSERT_TRUE(WaitList(3));

    // A name that fills its field: exactly its 128 units, no adapter for it.
    SetAnswer(ANSWER_IP_UNTERMINATED_NAME, 1u);
    std::wstring full = L"BTPAN1" + std::wstring(128 - 6, L'~');
    EXPECT_TRUE(WaitFor([&] { return ComboItems(dialog, INTERFACES).back() == full; }))
        << Utf8(ComboItems(dialog, INTERFACES).back());
    ClearAnswers();

    // The interface vanishes between the table and its record.
    Choose(0);
    SetAnswer(ANSWER_IP_VANISHED, L"WLAN1");
    EXPECT_TRUE(WaitFields(NO_RECORD)) << Utf8(Fields()[0]);
    ClearAnswers();
    EXPECT_TRUE(WaitFields(WLAN_FIELDS));

    // The adapter list answers a megabyte, then fails: nothing kept of it.
    SetAnswer(ANSWER_IP_ADAPTERS_FAIL, 1u);
    EXPECT_TRUE(WaitFields(NO_RECORD));
    // Each failing fetch writes its megabyte: a list kept would stay in the working set.
    SIZE_T before = Memory(program.Handle()).WorkingSetSize;
    for (int i = 0; i < 5; i++)
        ASSERT_TRUE(NextRefresh());
    SIZE_T after = Memory(program.Handle()).WorkingSetSize;
    EXPECT_LT(after, before + (2 << 20)) << "working set before " << before << ", after " << after;
    ClearAnswers();
    EXPECT_TRUE(WaitFields(WLAN_FIELDS));
    EXPECT_TRUE(program.Running());
}

// Wine's own IP helper: the host's interfaces, in its table's order.
TEST_F(IpHelper, HostInterfacesAsTheirTableHasThem) {
    SetNetworkFile(NULL);
    ULONG size = 0;
    ASSERT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetInterfaceInfo(NULL, &size));
    std::vector<BYTE> bytes(size);
    IP_INTERFACE_INFO* table = (IP_INTERFACE_INFO*)bytes.data();
    ASSERT_EQ((DWORD)NO_ERROR, GetInterfaceInfo(table, &size));
    Texts names;
    for (LONG i = 0; i < table->NumAdapters; i++)
        names.push_back(table->Adapter[i].Name);
    Open(names.size());
    EXPECT_EQ(names, ComboItems(dialog, INTERFACES));
    EXPECT_TRUE(WaitLog("(host)")) << DeviceLog();
    ASSERT_TRUE(PressButton(dialog, RELEASE));
    EXPECT_TRUE(WaitLog("IpReleaseAddress(index ")) << DeviceLog();
    EXPECT_TRUE(program.Running());
}

// From the tray icon's menu, as a user opens it; the header rule across the
// dialog, and a picture for people to look at.
TEST_F(IpHelper, OpensFromTheMenu) {
    ASSERT_TRUE(StartResident(program));
    OpenMenu menu;
    std::string error;
    for (int attempt = 0; attempt < 3 && !MenuWindow(); attempt++) {
        input::Tap(TrayIconPoint());
        WaitMenu(true, 3000);
    }
    ASSERT_TRUE(ReadOpenMenu(&menu, &error)) << error;
    int item = FindMenuItem(menu, CMD_IP_HELPER);
    ASSERT_GE(item, 0) << DescribeMenu(menu);
    RECT place = menu.items[item].rect;
    input::Tap({(place.left + place.right) / 2, (place.top + place.bottom) / 2});
    dialog = WaitDialog(program.Id());
    ASSERT_TRUE(dialog) << "no IP Helper dialog";
    ASSERT_TRUE(WaitList(3));
    Choose(1);
    ASSERT_TRUE(WaitFields(RNDIS_FIELDS));
    Sleep(300);
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    RECT client;
    GetClientRect(dialog, &client);
    int y = origin.y + 23 * (TrayIconSize() / 16);
    RECT rule = {origin.x, y, origin.x + client.right - 1, y + 1};
    std::vector<COLORREF> pixels = CaptureScreen(rule);
    EXPECT_EQ((int)pixels.size(), CountColour(pixels, RGB(0, 0, 0)));
    std::string size = std::to_string(ScreenWidth()) + "x" + std::to_string(ScreenHeight());
    RECT screen = {0, 0, ScreenWidth(), ScreenHeight()};
    EXPECT_TRUE(SavePicture(screen, std::string(SCREENS_DIR) + "/" + size + "-iphelper.png"));

    // Release and Renew clear of the menu bar; the shell's Done ("ok") tapped
    // ends the dialog.
    RECT bar = {};
    GetWindowRect(FindWindowW(L"menu_worker", NULL), &bar);
    for (int id : {RELEASE, RENEW})
        EXPECT_LE(ControlRect(dialog, id).bottom, bar.top) << "button " << id;
    input::Tap(input::Centre(ControlRect(dialog, IDOK)));
    EXPECT_TRUE(WaitGone(dialog));
}

// Ten minutes of refreshes (1 200): the program's memory and GDI objects
// stay as they were after the first few.
TEST_F(IpHelper, DISABLED_SoakTenMinutes) {
    Open();
    Choose(1);
    Sleep(5000);
    long gdiBefore = CountGdiObjects(program.Handle());
    PROCESS_MEMORY_COUNTERS_EX before = Memory(program.Handle());
    int refreshes = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 600000) {
        ClearDeviceLog();
        Sleep(30000);
        refreshes += LogCount(") = 0:"); // one table fetched per refresh
    }
    long gdiAfter = CountGdiObjects(program.Handle());
    PROCESS_MEMORY_COUNTERS_EX after = Memory(program.Handle());
    printf("refreshes %d; GDI objects %ld -> %ld; working set %lu -> %lu; peak %lu -> %lu\n",
           refreshes, gdiBefore, gdiAfter, (unsigned long)before.WorkingSetSize,
           (unsigned long)after.WorkingSetSize, (unsigned long)before.PeakWorkingSetSize,
           (unsigned long)after.PeakWorkingSetSize);
    EXPECT_GE(refreshes, 1150);
    EXPECT_EQ(gdiBefore, gdiAfter);
    // Wine answers no private bytes for another process; its working set it does.
    EXPECT_LT(after.WorkingSetSize, before.WorkingSetSize + 256 * 1024);
    EXPECT_TRUE(program.Running());
}

} // namespace
