// The menu program's entry point: brings up settings, language table, icon
// strip and main window in that order, and runs the message loop.
#include "Commands.h"
#include "IconStrip.h"
#include "LanguageTable.h"
#include "MainWindow.h"
#include "Menu.h"
#include "ProgramPath.h"
#include "Screen.h"
#include "Settings.h"
#include "resource.h"

#include <new>

namespace {

// Options are found anywhere in the command line, case-sensitively.
bool HasOption(const WCHAR* commandLine, const WCHAR* option) {
    return commandLine && wcsstr(commandLine, option) != NULL;
}

// "-V": the installer ships the 32-pixel icon strip for every device; a device
// whose screen is not VGA has no use for it.
void DeleteVgaStripUnlessVga() {
    WCHAR path[PROGRAM_PATH_LENGTH + 1];
    if (GetScreenScale() != 2 && GetSiblingPath(L"vga", path)) DeleteFileW(path);
}

void LoadLanguage() {
    languageTable = new (std::nothrow) LanguageTable(L"Orvalet.bin", GetDefaultTexts());
    if (languageTable) languageTable->SelectLanguage(settings.language);
}

// A "bmp" strip beside the program wins on every screen, a "vga" strip is for
// VGA screens only, the built-in 16-pixel strip is the last resort.
void LoadIconStrip(HINSTANCE instance) {
    WCHAR path[PROGRAM_PATH_LENGTH + 1];
    if (GetSiblingPath(L"bmp", path)) {
        if (iconStrip.LoadFromFile(path)) return;
        if (GetScreenScale() == 2 && GetSiblingPath(L"vga", path) && iconStrip.LoadFromFile(path))
            return;
    }
    iconStrip.LoadFromResource(instance, IDB_ICON_STRIP);
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    // The quick action's dialogs take their pictures from the program too.
    appInstance = instance;
    LoadSettings();
    if (HasOption(commandLine, L"-V")) DeleteVgaStripUnlessVga();
    if (HasOption(commandLine, L"-Q")) {
        // The quick action may ask a question or report an error: it needs its
        // labels, in the user's language.
        LoadLanguage();
        DispatchMenuCommand(GetQuickAction(), true);
        return 0;
    }
    LoadLanguage();
    LoadIconStrip(instance);
    if (!CreateMainWindow(instance)) return 0;
    return RunMessageLoop();
}
