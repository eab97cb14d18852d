#include "SystemActions.h"
#include "MainWindow.h"

namespace {

const WCHAR CONTROL_PANEL[] = L"\\Windows\\ctlpnl.exe";
const WCHAR WINDOWS_FOLDER[] = L"\\Windows";

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
    if (!ShellExecuteEx(&info) || !info.hProcess) return false;
    CloseHandle(info.hProcess);
    return true;
}

void OpenControlPanel(const WCHAR* parameters) {
    ShellLaunch(CONTROL_PANEL, WINDOWS_FOLDER, parameters);
}

void RunSystemAction(const CommandRow& row) {
    // The device actions (resets, power, backlight, battery, Today screen,
    // memory cleaner, rotation, display off, capture) follow, by row.id; their
    // questions and errors are row.messageText captioned row.messageCaption.
}
