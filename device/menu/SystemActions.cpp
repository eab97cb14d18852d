#include "SystemActions.h"
#include "LanguageTable.h"
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

int ShowCommandMessage(const CommandRow& row, UINT style) {
    // Without a language table (it could not be allocated) the box still asks.
    const WCHAR* text = languageTable ? languageTable->GetText(row.messageText) : NULL;
    const WCHAR* caption = languageTable ? languageTable->GetText(row.messageCaption) : NULL;
    return MessageBoxW(NULL, text ? text : L"", caption ? caption : L"", style);
}

void OpenControlPanel(const WCHAR* parameters) {
    ShellLaunch(CONTROL_PANEL, WINDOWS_FOLDER, parameters);
}

void RunSystemAction(const CommandRow& row) {
    // Questions and errors are row.messageText captioned row.messageCaption.
    switch (row.id) {
    case CMD_SOFT_RESET: SoftReset(); break;
    case CMD_HARD_RESET: HardReset(row); break;
    case CMD_POWER_OFF: PowerOff(); break;
    case CMD_BRIGHTNESS: OpenBrightness(); break;
    case CMD_BATTERY: OpenBattery(); break;
    case CMD_TODAY_SCREEN: ShowTodayScreen(); break;
    case CMD_REFRESH_TODAY: RefreshTodayScreen(); break;
    case CMD_PURGELLE:
    case CMD_PURGELLE_CLEANER: RunMemoryCleaner(row); break;
    case CMD_ROTATE_LEFT:
    case CMD_ROTATE_RIGHT:
    case CMD_FLIP_SCREEN: RotateCommand(row); break;
    case CMD_SCREEN_OFF: TurnScreenOff(); break;
    case CMD_SCREEN_CAPTURE: CaptureScreen(); break;
    }
}

void StartProcess(const WCHAR* application, const WCHAR* commandLine) {
    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof(process));
    // A desktop's CreateProcess may write into the command line: it gets a copy.
    WCHAR line[MAX_PATH + 1];
    int length = 0;
    for (; commandLine && commandLine[length] && length < MAX_PATH; length++)
        line[length] = commandLine[length];
    line[length] = 0;
    if (!CreateProcessW(application, commandLine ? line : NULL, NULL, NULL, FALSE, 0, NULL, NULL,
                        ProcessStartupInfo(), &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

bool FileExists(const WCHAR* path) {
    if (!path) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
