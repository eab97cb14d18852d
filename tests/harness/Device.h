// Driving the emulated Pocket PC from a test that runs inside it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace device {

extern const wchar_t PROGRAM_FOLDER[]; // C:\Program Files\Orvalet
extern const wchar_t PROGRAM_PATH[];   // ...\Orvalet.exe
extern const wchar_t USER_STRIP[];     // ...\Orvalet.bmp, the user's icon strip
extern const wchar_t VGA_STRIP[];      // ...\Orvalet.vga, the shipped 32-pixel strip
extern const wchar_t SETTINGS_KEY[];   // under HKEY_LOCAL_MACHINE
extern const wchar_t THEME_KEY[];      // the theme's colours, under HKEY_LOCAL_MACHINE
extern const wchar_t STARTUP_SHORTCUT[];
extern const wchar_t DEVICE_LOG[];

// Polls until done() holds or timeoutMs passes; true when it held.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// A program of the device, ended (by its handle) when the object goes.
class Program {
  public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts path with arguments, current folder C:\. False when it can't start.
    bool Start(const std::wstring& arguments = L"", const std::wstring& path = PROGRAM_PATH);
    // The exit code, or -1 when it did not end within timeoutMs.
    long WaitExit(DWORD timeoutMs = 10000);
    bool Running() const;
    void Kill();
    HANDLE Handle() const { return process; }
    DWORD Id() const { return processId; }

  private:
    HANDLE process = NULL;
    DWORD processId = 0;
};

// The resident program's main window (class and title "Orvalet"), or none.
HWND MainWindow();
// Starts the program and waits until its tray icon shows; false on failure.
bool StartResident(Program& program, const std::wstring& arguments = L"");
// Stores command as the quick action and starts a "-Q" copy; false on failure.
bool StartQuickAction(Program& program, DWORD command);
// Sends WM_CLOSE to every resident copy and waits for them to end.
void CloseResident();

// The visible popup menu window, or none.
HWND MenuWindow();
bool WaitMenu(bool shown, DWORD timeoutMs = 10000);
// Taps the header (the top item) of the menu that is shown or coming, and
// waits for the settings sheet of the process: the sheet, or NULL. With
// menuWidth, the menu's width is kept there.
HWND TapMenuHeader(DWORD processId, int* menuWidth = NULL);

// Settings key: removed, and single values written.
void DeleteSettings();
void SetSetting(const wchar_t* name, DWORD value);
void SetItem(int position, DWORD command, DWORD shown);
bool GetSetting(const wchar_t* name, DWORD* value);

// What the stand-ins answer instead of their own answers (EmulatorAnswers.h
// names them); every test starts without any.
void SetAnswer(const wchar_t* name, DWORD value);
void SetAnswer(const wchar_t* name, const wchar_t* text);
void ClearAnswers();

// The device log the stand-ins write.
void ClearDeviceLog();
std::string DeviceLog();
bool WaitLog(const std::string& text, DWORD timeoutMs = 10000);
// How many times text stands in the device log.
int LogCount(const std::string& text);

// Files.
bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The screen.
int ScreenWidth();
int ScreenHeight();
// The tray's icon size: 16 pixels at 96 pixels per inch, 32 on a VGA device.
int TrayIconSize();
// The centre of the tray's first icon (the bottom right of the task bar).
POINT TrayIconPoint();
// True when the tray area shows something other than the task bar's plain colour.
bool TrayIconVisible();

} // namespace device
