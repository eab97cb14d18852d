// Showing, placing, choosing and dismissing the menu of the running program.
#include "Dialogs.h"
#include "MenuSupport.h"

using namespace device;
using namespace menutest;

namespace {

const int CONTROL_PANEL_COMMANDS[12] = {CMD_MEMORY,        CMD_TODAY_THEMES, CMD_TODAY_PLUGINS,
                                        CMD_CLOCK,         CMD_START_MENU,   CMD_UNINSTALL,
                                        CMD_SOUNDS,        CMD_BUTTONS,      CMD_RUNNING_PROGRAMS,
                                        CMD_INPUT_METHODS, CMD_NETWORK,      CMD_PHONE};
const char* const CONTROL_PANEL_PARAMETERS[12] = {
    "cplmain.cpl 4 0",  "cplmain.cpl 13 0", "cplmain.cpl 13 1", "cplmain.cpl 16 1",
    "cplmain.cpl 11 0", "cplmain.cpl 10",   "cplmain.cpl 9 0",  "cplmain.cpl 12 0",
    "cplmain.cpl 4 2",  "cplmain.cpl 8 0",  "cplmain.cpl,19",   "cplmain.cpl,20"};

std::string Opened(const char* parameters) {
    return std::string("ctlpnl: open \"") + parameters + "\"";
}

bool IsOwnerDrawSeparator(const OpenMenuItem& item) {
    return (item.type & MFT_SEPARATOR) && (item.type & MFT_OWNERDRAW);
}

// Shows only the given commands, in that order.
void ShowOnly(const std::vector<int>& commands) {
    for (int slot = 0; slot < 32; slot++) {
        bool used = slot < (int)commands.size();
        SetItem(slot, used ? commands[slot] : 1 + slot % COMMAND_COUNT, used ? 1 : 0);
    }
}

} // namespace

class MenuShow : public MenuTest {};

// Where the menu opens and how its items are ordered.
TEST_F(MenuShow, PlacementAndOrder) {
    int s = Scale();
    { // a tray tap: the header and the 14 default items, above the tray
        StartProgram();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        ASSERT_EQ(15u, menu.items.size()) << DescribeMenu(menu);
        EXPECT_EQ(HEADER, menu.items[0].data) << "header first: " << DescribeMenu(menu);
        EXPECT_EQ(HEADER, (ULONG_PTR)menu.items[0].id);
        for (int i = 0; i < 14; i++) {
            const OpenMenuItem& item = menu.items[i + 1];
            EXPECT_EQ((ULONG_PTR)DEFAULT_COMMANDS[i], item.data) << "item " << i + 1;
            EXPECT_EQ((UINT)DEFAULT_COMMANDS[i], item.id) << "item " << i + 1;
            EXPECT_TRUE(item.type & MFT_OWNERDRAW) << "item " << i + 1 << " type " << item.type;
            EXPECT_EQ(DEFAULT_COMMANDS[i] == 0, (item.type & MFT_SEPARATOR) != 0)
                << "item " << i + 1;
        }
        EXPECT_EQ(ScreenHeight() - 25 * s, menu.windowRect.bottom) << "bottom at the anchor";
        EXPECT_EQ(ScreenWidth(), menu.windowRect.right) << "kept on the screen's right edge";
        EXPECT_LT(menu.items[0].rect.top, menu.items[14].rect.top) << "the header is on top";
        ASSERT_TRUE(DismissByOutsideTap());
        CloseResident();
    }
    { // an outside tap report: the menu drops from the top, header last
        StartProgram();
        PostMessageW(MainWindow(), MSG_TASKBAR_GESTURE, 0, 20);
        OpenMenu menu;
        ASSERT_TRUE(ReadShownMenu(&menu));
        ASSERT_EQ(15u, menu.items.size()) << DescribeMenu(menu);
        EXPECT_EQ(HEADER, menu.items[14].data) << "header last: " << DescribeMenu(menu);
        EXPECT_EQ((ULONG_PTR)DEFAULT_COMMANDS[0], menu.items[0].data) << DescribeMenu(menu);
        EXPECT_EQ(26 * s, menu.windowRect.top) << "top at the anchor";
        EXPECT_EQ(20 * s - 10, menu.windowRect.left) << "10 pixels left of the reported x";
        EXPECT_GT(menu.items[14].rect.top, menu.items[0].rect.top) << "the header is at the bottom";
        ASSERT_TRUE(DismissByOutsideTap());
    }
    { // every slot hidden: the header alone
        CloseResident();
        ShowOnly({});
        StartProgram();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        ASSERT_EQ(1u, menu.items.size()) << DescribeMenu(menu);
        EXPECT_EQ(HEADER, menu.items[0].data);
        ASSERT_TRUE(DismissByOutsideTap());
    }
    { // consecutive separators stay, one line each
        CloseResident();
        ShowOnly({CMD_SOFT_RESET, CMD_SEPARATOR, CMD_SEPARATOR, CMD_SEPARATOR, CMD_POWER_OFF});
        StartProgram();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        ASSERT_EQ(6u, menu.items.size()) << DescribeMenu(menu);
        for (int i = 2; i <= 4; i++) {
            EXPECT_TRUE(IsOwnerDrawSeparator(menu.items[i]))
                << "item " << i << ": " << DescribeMenu(menu);
            EXPECT_EQ(0u, menu.items[i].data);
            EXPECT_EQ(10 * s, menu.items[i].rect.bottom - menu.items[i].rect.top) << "item " << i;
        }
        EXPECT_EQ((ULONG_PTR)CMD_POWER_OFF, menu.items[5].data);
        ASSERT_TRUE(DismissByOutsideTap());
    }
}

// What a tap on an item, a tap elsewhere and a tap on the tray do.
TEST_F(MenuShow, ChoosingAndDismissing) {
    std::vector<int> pages(CONTROL_PANEL_COMMANDS, CONTROL_PANEL_COMMANDS + 12);
    ShowOnly(pages);
    StartProgram();
    for (int i = 0; i < 12; i++) { // each control-panel item opens its page
        ClearDeviceLog();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        int index = FindMenuItem(menu, CONTROL_PANEL_COMMANDS[i]);
        ASSERT_GE(index, 0) << "command " << CONTROL_PANEL_COMMANDS[i] << ": "
                            << DescribeMenu(menu);
        input::Tap(Centre(menu.items[index].rect));
        EXPECT_TRUE(WaitLog(Opened(CONTROL_PANEL_PARAMETERS[i])))
            << "command " << CONTROL_PANEL_COMMANDS[i] << "; log:\n"
            << DeviceLog();
        EXPECT_TRUE(WaitMenu(false));
    }
    { // a tap elsewhere closes the menu and runs nothing
        ClearDeviceLog();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        ASSERT_TRUE(DismissByOutsideTap());
        ASSERT_TRUE(Settle());
        EXPECT_EQ(std::string::npos, DeviceLog().find("ctlpnl")) << DeviceLog();
    }
    { // a tap on the tray while the menu is open closes it, runs nothing,
        // and does not open it again
        ClearDeviceLog();
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        input::Tap(TrayIconPoint());
        EXPECT_TRUE(WaitMenu(false)) << "the second tap left the menu open";
        ASSERT_TRUE(Settle());
        EXPECT_EQ(nullptr, MenuWindow()) << "the menu came back";
        EXPECT_EQ(std::string::npos, DeviceLog().find("ctlpnl")) << DeviceLog();
    }
    { // the close request of the task-bar component
        OpenMenu menu;
        ASSERT_TRUE(OpenByTap(&menu));
        PostMessageW(MainWindow(), MSG_CLOSE_MENU, 0, 0);
        EXPECT_TRUE(WaitMenu(false));
        // and the next tap opens it again: nothing thinks it is still open
        ASSERT_TRUE(OpenByTap(&menu));
        EXPECT_EQ(13u, menu.items.size());
        ASSERT_TRUE(DismissByOutsideTap());
    }
}

DWORD ForegroundProcess() {
    DWORD owner = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &owner);
    return owner;
}

// The header item opens the settings host; taps while it is open bring it back
// instead of a menu; closing it saves the settings.
TEST_F(MenuShow, SettingsFromTheHeader) {
    SetSetting(L"QuickAction", CMD_CLOCK);
    StartProgram();
    OpenMenu menu;
    ASSERT_TRUE(OpenByTap(&menu));
    ASSERT_EQ(HEADER, menu.items[0].data);
    input::Tap(Centre(menu.items[0].rect));
    HWND dialog = WaitSettingsSheet(program.Id());
    ASSERT_TRUE(dialog != NULL) << "no settings dialog";
    HWND underTray = WindowFromPoint(TrayIconPoint());
    DWORD trayOwner = 0;
    GetWindowThreadProcessId(underTray, &trayOwner);
    ASSERT_NE(program.Id(), trayOwner) << "the dialog covers the tray";
    { // a tap on the tray: no menu, the dialog comes to the front
        HWND taskBar = FindWindowW(L"Shell_TrayWnd", NULL);
        SetForegroundWindow(taskBar);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() != dialog; }, 3000))
            << "could not put the dialog behind";
        input::Tap(TrayIconPoint());
        EXPECT_TRUE(WaitFor([&] { return ForegroundProcess() == program.Id(); }, 5000))
            << "foreground " << GetForegroundWindow() << ", dialog " << dialog;
        ASSERT_TRUE(Settle());
        EXPECT_EQ(nullptr, MenuWindow()) << "a menu opened over the settings";
    }
    { // a second start asks for the menu: still no menu, still one window
        std::vector<HWND> windows = Dialogs(program.Id(), true);
        Program second;
        ASSERT_TRUE(second.Start());
        EXPECT_EQ(0, second.WaitExit());
        EXPECT_EQ(nullptr, MenuWindow());
        EXPECT_EQ(windows, Dialogs(program.Id(), true));
    }
    { // closing the dialog saves the settings
        DWORD value = 0;
        EXPECT_FALSE(GetSetting(L"ShowIcons", &value)) << "saved before the dialog closed";
        input::Tap(Centre(ControlRect(dialog, IDOK)));
        EXPECT_TRUE(WaitGone(dialog)) << "the dialog stayed";
        EXPECT_TRUE(WaitFor([&] { return GetSetting(L"ShowIcons", &value); })) << "nothing saved";
        EXPECT_EQ(1u, value);
        EXPECT_TRUE(GetSetting(L"QuickAction", &value));
        EXPECT_EQ((DWORD)CMD_CLOCK, value);
    }
    { // the quick action while the dialog is open hides it and runs
        ASSERT_TRUE(OpenByTap(&menu));
        input::Tap(Centre(menu.items[0].rect));
        dialog = WaitSettingsSheet(program.Id());
        ASSERT_TRUE(dialog != NULL) << "no settings dialog the second time";
        ClearDeviceLog();
        input::TapAndHold(TrayIconPoint(), 1500);
        EXPECT_TRUE(WaitLog(Opened("cplmain.cpl 16 1"))) << DeviceLog();
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }))
            << "the dialog stayed in view";
        EXPECT_TRUE(IsWindow(dialog)) << "the dialog was closed, not hidden";
        EXPECT_TRUE(SendCommand(dialog, IDOK)); // a hidden dialog takes no tap
        EXPECT_TRUE(WaitGone(dialog));
    }
}
