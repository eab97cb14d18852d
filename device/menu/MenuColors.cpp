// The menu's colours: the user's custom colours or the device theme's.
#include "MenuPaint.h"
#include "Settings.h"

namespace {

const WCHAR THEME_KEY[] = L"Software\\Microsoft\\Color";

// The theme's binary values: an RGB triple in the first three bytes.
const WCHAR* ThemeValueName(MenuColorRole role) {
    switch (role) {
    case IconBackground: return L"5";
    case MenuBackground: return L"8";
    default: return L"9";
    }
}

COLORREF ThemeFallback(MenuColorRole role) {
    switch (role) {
    case IconBackground: return RGB(192, 192, 192);
    case MenuBackground: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
    }
}

COLORREF ReadThemeColor(MenuColorRole role) {
    COLORREF colour = ThemeFallback(role);
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, THEME_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return colour;
    BYTE value[10];
    DWORD size = sizeof(value);
    // A value too short to hold red, green and blue counts as unreadable: its
    // missing bytes would be whatever the buffer held.
    if (RegQueryValueExW(key, ThemeValueName(role), NULL, NULL, value, &size) == ERROR_SUCCESS &&
        size >= 3)
        colour = RGB(value[0], value[1], value[2]);
    RegCloseKey(key);
    return colour;
}

} // namespace

COLORREF GetMenuColor(int mode, MenuColorRole role) {
    if (mode == CustomColors) {
        switch (role) {
        case IconBackground: return settings.colorIconBackground;
        case MenuBackground: return settings.colorBackground;
        default: return settings.colorText;
        }
    }
    // Every other mode that reaches here is a theme mode; the reversed one
    // swaps the two backgrounds.
    if (mode == ReverseThemeColors) {
        if (role == IconBackground)
            role = MenuBackground;
        else if (role == MenuBackground)
            role = IconBackground;
    }
    // Not cached: a theme change shows at the next paint.
    return ReadThemeColor(role);
}
