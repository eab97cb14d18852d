#include "SystemActions.h"
#include "Commands.h"
#include "MainWindow.h"

namespace {

const WCHAR CONTROL_PANEL[] = L"\\Windows\\ctlpnl.exe";
const WCHAR WINDOWS_FOLDER[] = L"\\Windows";

struct ControlPanelPage {
    int command;
    const WCHAR* parameters;
};

const ControlPanelPage CONTROL_PANEL_PAGES[] = {
    {CMD_MEMORY, L"cplmain.cpl 4 0"},          {CMD_TODAY_THEMES, L"cplmain.cpl 13 0"},
    {CMD_TODAY_PLUGINS, L"cplmain.cpl 13 1"},  {CMD_CLOCK, L"cplmain.cpl 16 1"},
    {CMD_START_MENU, L"cplmain.cpl 11 0"},     {CMD_UNINSTALL, L"cplmain.cpl 10"},
    {CMD_SOUNDS, L"cplmain.cpl 9 0"},          {CMD_BUTTONS, L"cplmain.cpl 12 0"},
    {CMD_RUNNING_PROGRAMS, L"cplmain.cpl 4 2"}, {CMD_INPUT_METHODS, L"cplmain.cpl 8 0"},
    {CMD_NETWORK, L"cplmain.cpl,19"},          {CMD_PHONE, L"cplmain.cpl,20"},
};

bool OpenControlPanelPage(int command) {
    for (const ControlPanelPage& page : CONTROL_PANEL_PAGES) {
        if (page.command == command) {
            ShellLaunch(CONTROL_PANEL, WINDOWS_FOLDER, page.parameters);
            return true;
        }
    }
    return false;
}

} // namespace

bool ShellLaunch(const WCHAR* file, const WCHAR* directory, const WCHAR* parameters) {
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = SHELL_EXECUTE_RECORD_SIZE;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = mainWindow;
    info.lpFile = file;
    info.lpParameters = parameters;
    info.lpDirectory = directory;
    info.nShow = SW_SHOW;
    if (!ShellExecuteExW(&info) || !info.hProcess) return false;
    CloseHandle(info.hProcess);
    return true;
}

void RunSystemAction(int command) {
    if (OpenControlPanelPage(command)) return;
    // The device actions (resets, power, backlight, battery, Today screen,
    // memory cleaner, rotation, display off, capture, network helper) follow.
}
