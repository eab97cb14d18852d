#include "Device.h"
#include "Dialogs.h"
#include "Input.h"
#include "Screen.h"

#include "EmulatorAnswers.h"

#include <stdio.h>
#include <vector>

namespace device {

const wchar_t PROGRAM_FOLDER[] = L"C:\\Program Files\\Orvalet";
const wchar_t PROGRAM_PATH[] = L"C:\\Program Files\\Orvalet\\Orvalet.exe";
const wchar_t USER_STRIP[] = L"C:\\Program Files\\Orvalet\\Orvalet.bmp";
const wchar_t VGA_STRIP[] = L"C:\\Program Files\\Orvalet\\Orvalet.vga";
const wchar_t SETTINGS_KEY[] = L"Software\\Brantwell\\Orvalet";
const wchar_t THEME_KEY[] = L"Software\\Microsoft\\Color";
const wchar_t STARTUP_SHORTCUT[] = L"C:\\Windows\\StartUp\\Orvalet.lnk";
const wchar_t DEVICE_LOG[] = L"C:\\devicelog.txt";

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
}

Program::~Program() {
    Kill();
}

bool Program::Start(const std::wstring& arguments, const std::wstring& path) {
    Kill();
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // Wine now and then refuses a start just after the same program ended (seen
    // on a busy machine); a refusal that lasts is a failure.
    bool started = WaitFor(
        [&] {
            return CreateProcessW(path.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL, L"C:\\",
                                  &startup, &info) != FALSE;
        },
        3000);
    if (!started) {
        fprintf(stderr, "could not start %ls: error %lu\n", path.c_str(), GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    process = info.hProcess;
    processId = info.dwProcessId;
    return true;
}

long Program::WaitExit(DWORD timeoutMs) {
    if (!process || WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return (long)code;
}

bool Program::Running() const {
    return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

void Program::Kill() {
    if (!process) return;
    if (Running()) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    process = NULL;
    processId = 0;
}

HWND MainWindow() {
    return FindWindowW(L"Orvalet", L"Orvalet");
}

bool StartResident(Program& program, const std::wstring& arguments) {
    if (!program.Start(arguments)) return false;
    return WaitFor([] { return MainWindow() != NULL; }) && WaitFor(TrayIconVisible, 5000);
}

bool StartQuickAction(Program& program, DWORD command) {
    SetSetting(L"QuickAction", command);
    return program.Start(L"-Q");
}

void CloseResident() {
    for (int i = 0; i < 5; i++) {
        HWND window = MainWindow();
        if (!window) return;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (process) {
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

HWND MenuWindow() {
    HWND window = FindWindowW(L"#32768", NULL);
    return window && IsWindowVisible(window) ? window : NULL;
}

bool WaitMenu(bool shown, DWORD timeoutMs) {
    return WaitFor([shown] { return (MenuWindow() != NULL) == shown; }, timeoutMs);
}

HWND TapMenuHeader(DWORD processId, int* menuWidth) {
    if (!WaitMenu(true)) return NULL;
    RECT menu;
    GetWindowRect(MenuWindow(), &menu);
    if (menuWidth) *menuWidth = menu.right - menu.left;
    // A menu taller than the screen puts its scroll arrow above the header.
    bool scrolls = menu.bottom - menu.top >= ScreenHeight() - 2;
    int scale = TrayIconSize() / 16;
    input::Tap(POINT{menu.left + 20 * scale, menu.top + (scrolls ? 22 : 6) * scale});
    return WaitSettingsSheet(processId);
}

void DeleteSettings() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
}

void SetSetting(const wchar_t* name, DWORD value) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    RegCloseKey(key);
}

void SetItem(int position, DWORD command, DWORD shown) {
    std::wstring path = std::wstring(SETTINGS_KEY) + L"\\" + std::to_wstring(position);
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"Command", 0, REG_DWORD, (const BYTE*)&command, sizeof(command));
    RegSetValueExW(key, L"Show", 0, REG_DWORD, (const BYTE*)&shown, sizeof(shown));
    RegCloseKey(key);
}

bool GetSetting(const wchar_t* name, DWORD* value) {
    DWORD size = sizeof(*value), type = 0;
    return RegGetValueW(HKEY_LOCAL_MACHINE, SETTINGS_KEY, name, RRF_RT_ANY, &type, value, &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

void SetAnswer(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, EMULATOR_ANSWERS_KEY, name, REG_DWORD, &value,
                    sizeof(value));
}

void SetAnswer(const wchar_t* name, const wchar_t* text) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, EMULATOR_ANSWERS_KEY, name, REG_SZ, text,
                    (DWORD)((lstrlenW(text) + 1) * sizeof(wchar_t)));
}

void ClearAnswers() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, EMULATOR_ANSWERS_KEY);
}

void ClearDeviceLog() {
    DeleteFileW(DEVICE_LOG);
}

std::string DeviceLog() {
    return ReadFileBytes(DEVICE_LOG);
}

bool WaitLog(const std::string& text, DWORD timeoutMs) {
    return WaitFor([&] { return DeviceLog().find(text) != std::string::npos; }, timeoutMs);
}

int LogCount(const std::string& text) {
    std::string log = DeviceLog();
    int count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
        count++;
    return count;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char chunk[4096];
    DWORD got;
    while (ReadFile(file, chunk, sizeof(chunk), &got, NULL) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
    return written == bytes.size();
}

// Asked of the display itself, as the program does: a test process that has
// drawn nothing yet may not have the desktop's metrics.
int DisplaySize(int index) {
    HDC screen = GetDC(NULL);
    int size = GetDeviceCaps(screen, index);
    ReleaseDC(NULL, screen);
    return size;
}

// The screen never changes during a test program's run; asked once, early.
int ScreenWidth() {
    static int width = DisplaySize(HORZRES);
    return width;
}
int ScreenHeight() {
    static int height = DisplaySize(VERTRES);
    return height;
}

int TrayIconSize() {
    static int size = MulDiv(16, DisplaySize(LOGPIXELSY), 96);
    return size;
}

POINT TrayIconPoint() {
    RECT bar = {0, ScreenHeight() - 20, ScreenWidth(), ScreenHeight()};
    HWND taskBar = FindWindowW(L"Shell_TrayWnd", NULL);
    if (taskBar) GetWindowRect(taskBar, &bar);
    POINT centre = {bar.right - 3 - TrayIconSize() / 2, (bar.top + bar.bottom) / 2};
    return centre;
}

bool TrayIconVisible() {
    // The icon area beside a strip of plain task bar to compare it with.
    RECT icon = TrayIconArea();
    RECT area = {icon.left - 30, icon.top, icon.right, icon.bottom};
    std::vector<COLORREF> pixels = CaptureScreen(area);
    int width = area.right - area.left, height = area.bottom - area.top;
    if ((int)pixels.size() != width * height) return false;
    COLORREF plain = pixels[(height / 2) * width];
    int drawn = 0;
    for (int y = 0; y < height; y++)
        for (int x = 30; x < width; x++)
            drawn += pixels[y * width + x] != plain;
    return drawn > 20;
}

} // namespace device
