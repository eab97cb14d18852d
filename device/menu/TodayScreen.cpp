// The Today screen: brought to the front, or told to refresh itself.
#include "SystemActions.h"

namespace {

const WCHAR TODAY_WINDOW_CLASS[] = L"DesktopExplorerWindow";
// The WM_WININICHANGE flag on which the Today screen reloads its items.
const WPARAM TODAY_REFRESH_FLAG = 0xF2;

} // namespace

void ShowTodayScreen() {
    HWND today = FindWindowW(TODAY_WINDOW_CLASS, NULL);
    if (!today || GetForegroundWindow() == today) return;
    SetForegroundWindow(today);
    SetFocus(today);
}

void RefreshTodayScreen() {
    BroadcastNotify(WM_WININICHANGE, TODAY_REFRESH_FLAG, 0);
}
