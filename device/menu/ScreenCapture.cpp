// The screen capture (command 27): a snapshot of the whole screen after the
// user's delay, saved as a 24-bit .bmp file under a name the user chooses.
#include "BitmapFile.h"
#include "MainWindow.h"
#include "Settings.h"
#include "SettingsDialog.h"
#include "SystemActions.h"
#include "resource.h"

namespace {

// The longest delay the settings offer, in half-seconds. A larger stored value
// is capped: it would hold the program's only thread (the tray) for days.
const DWORD LONGEST_CAPTURE_DELAY = 10;

const int FILE_NAME_LENGTH = 512;

HWND saveHostBar = NULL;

DWORD CaptureDelayMs() {
    DWORD halves = (DWORD)settings.captureDelay; // stored as a DWORD
    if (halves > LONGEST_CAPTURE_DELAY) halves = LONGEST_CAPTURE_DELAY;
    return halves * 500;
}

// The save dialog runs from the host's set-up, owned by the host, which then
// ends with its result.
void RunHostedSaveDialog(HWND host, OPENFILENAMEW* record) {
    ShellDialogSetUp(host, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN);
    saveHostBar = CreateSettingsMenuBar(host);
    record->hwndOwner = host;
    SetFocus(host);
    SetForegroundWindow(host);
    EndDialog(host, GetSaveFileNameW(record));
}

void ForgetHostBar() {
    if (saveHostBar) DestroyWindow(saveHostBar);
    saveHostBar = NULL;
}

INT_PTR CALLBACK SaveDialogHostProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: RunHostedSaveDialog(dialog, (OPENFILENAMEW*)lParam); break;
    case WM_DESTROY: ForgetHostBar(); break;
    }
    return 0;
}

// The platform's save dialog inside a full-screen host with the shell's Done
// button and an empty menu bar; true when a name was chosen.
bool RunSaveDialog(OPENFILENAMEW* record) {
    return RunDialog(appInstance, IDD_SAVE_HOST, NULL, SaveDialogHostProc, (LPARAM)record) > 0;
}

// Converts the snapshot to 24 bits and writes it to path; a file that cannot
// be created is given up silently.
void SaveSnapshot(HDC snapshot, int width, int height, const WCHAR* path) {
    SetCursor(LoadCursorW(NULL, IDC_WAIT));
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    DescribeBitmap(&info.bmiHeader, width, height);
    BYTE* bits = NULL;
    HDC pictureDc = CreateCompatibleDC(snapshot);
    HBITMAP picture = CreateDIBSection(pictureDc, &info, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
    if (pictureDc && picture && bits) {
        HGDIOBJ old = SelectObject(pictureDc, picture);
        BitBlt(pictureDc, 0, 0, width, height, snapshot, 0, 0, SRCCOPY);
        HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_WRITE, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            WriteBitmapFile(file, width, height, bits);
            CloseHandle(file);
        }
        SelectObject(pictureDc, old);
    }
    if (picture) DeleteObject(picture);
    if (pictureDc) DeleteDC(pictureDc);
    SetCursor(LoadCursorW(NULL, IDC_ARROW));
}

} // namespace

void CaptureScreen() {
    MessageBeep(0);
    Sleep(CaptureDelayMs());

    // The snapshot comes before the dialog, which would otherwise be in it.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(NULL);
    HDC snapshotDc = CreateCompatibleDC(screen);
    HBITMAP snapshot = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(snapshotDc, snapshot);
    BitBlt(snapshotDc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    InvalidateRect(NULL, NULL, FALSE);

    WCHAR fileName[FILE_NAME_LENGTH];
    fileName[0] = 0;
    OPENFILENAMEW record;
    ZeroMemory(&record, sizeof(record));
    record.lStructSize = OPEN_FILE_RECORD_SIZE;
    record.lpstrFilter = L"Bitmap Files (*.bmp)\0*.bmp\0";
    record.lpstrFile = fileName;
    record.nMaxFile = FILE_NAME_LENGTH;
    record.Flags = OFN_EXPLORER;
    record.lpstrDefExt = L"bmp";
    if (RunSaveDialog(&record)) SaveSnapshot(snapshotDc, width, height, fileName);

    SelectObject(snapshotDc, old);
    DeleteObject(snapshot);
    DeleteDC(snapshotDc);
    ReleaseDC(NULL, screen);
}
