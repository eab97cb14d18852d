// Every setting of the program, one row each, in the order they are saved.
// Load, save, the defaults and the settings pages all walk these rows; a new
// setting is one new row (and, if a page shows it, its control).
//
// SETTING(field, registry value, kind, default, page, control, label, label text)
//   kind     SETTING_ITEMS   the 32 menu slots, a subkey "0".."31" each
//            SETTING_NUMBER  a number a page picks from a list
//            SETTING_FLAG    0 or 1, a check box of its page
//            SETTING_PATH    a path of TRAY_PATH_LENGTH units
//            SETTING_COLOR   a colour value 0x00BBGGRR, a swatch of its page
//   page     the settings page that edits it
//   control  the control that edits it
//   label    the control that names it (a check box names itself) and its
//            text id in the language table (0: it keeps its template caption)
// Values are taken as stored, unchecked: a page copes with one outside its list.

SETTING(menuItems, NULL, SETTING_ITEMS, DEFAULT_MENU_ITEMS, PAGE_MAIN, IDC_ITEM_LIST,
        IDC_ITEMS_LABEL, TEXT_ITEMS_LABEL)
SETTING(quickAction, L"QuickAction", SETTING_NUMBER, CMD_POWER_OFF, PAGE_MAIN, IDC_QUICK_ACTION,
        IDC_QUICK_ACTION_LABEL, TEXT_QUICK_ACTION_LABEL)
// 0: tap for the menu, tap-and-hold for the quick action; 1: the reverse.
SETTING(reverseGestures, L"Reverse", SETTING_NUMBER, 0, PAGE_MAIN, IDC_TAP_FOR_MENU,
        IDC_TAP_FOR_MENU, TEXT_TAP_FOR_MENU)
SETTING(hideTrayIcon, L"HideTrayIcon", SETTING_FLAG, 0, PAGE_DISPLAY, IDC_HIDE_TRAY_ICON,
        IDC_HIDE_TRAY_ICON, TEXT_HIDE_TRAY_ICON)
SETTING(showIcons, L"ShowIcons", SETTING_FLAG, 1, PAGE_DISPLAY, IDC_SHOW_ICONS, IDC_SHOW_ICONS,
        TEXT_SHOW_ICONS)
SETTING(customTrayIcon, L"TrayIcon", SETTING_FLAG, 0, PAGE_DISPLAY, IDC_CUSTOM_TRAY_ICON,
        IDC_CUSTOM_TRAY_ICON, TEXT_CUSTOM_TRAY_ICON)
SETTING(trayIconBitmapPath, L"TrayIconBMP", SETTING_PATH, {0}, PAGE_DISPLAY, IDC_TRAY_PATH, 0, 0)
// A section of the language file: 0 is the built-in English.
SETTING(language, L"Language", SETTING_NUMBER, 0, PAGE_DISPLAY, IDC_LANGUAGE, IDC_LANGUAGE_LABEL,
        TEXT_LANGUAGE_LABEL)
// Half seconds before a screen capture.
SETTING(captureDelay, L"Delay", SETTING_NUMBER, 3, PAGE_DISPLAY, IDC_CAPTURE_DELAY,
        IDC_CAPTURE_DELAY_LABEL, TEXT_CAPTURE_DELAY_LABEL)
// A ColorMode: none, custom (the five colours below), theme, reversed theme.
SETTING(colorMode, L"Custom Colors", SETTING_NUMBER, 1, PAGE_COLOR, IDC_COLOR_MODE,
        IDC_COLOR_MODE_LABEL, TEXT_COLOR_MODE_LABEL)
SETTING(colorText, L"ColorTC", SETTING_COLOR, RGB(0, 0, 0), PAGE_COLOR, IDC_SWATCH_TEXT,
        IDC_TEXT_LABEL, TEXT_TEXT_LABEL)
SETTING(colorHighlightText, L"ColorSTC", SETTING_COLOR, RGB(255, 255, 255), PAGE_COLOR,
        IDC_SWATCH_HIGHLIGHT_TEXT, IDC_HIGHLIGHT_TEXT_LABEL, TEXT_HIGHLIGHT_TEXT_LABEL)
SETTING(colorBackground, L"ColorBK", SETTING_COLOR, RGB(255, 255, 255), PAGE_COLOR,
        IDC_SWATCH_BACKGROUND, IDC_BACKGROUND_LABEL, TEXT_BACKGROUND_LABEL)
SETTING(colorHighlightBackground, L"ColorSBK", SETTING_COLOR, RGB(0, 0, 175), PAGE_COLOR,
        IDC_SWATCH_HIGHLIGHT_BACKGROUND, IDC_HIGHLIGHT_BACKGROUND_LABEL,
        TEXT_HIGHLIGHT_BACKGROUND_LABEL)
SETTING(colorIconBackground, L"ColorIBK", SETTING_COLOR, RGB(200, 200, 200), PAGE_COLOR,
        IDC_SWATCH_ICON_BACKGROUND, IDC_ICON_BACKGROUND_LABEL, TEXT_ICON_BACKGROUND_LABEL)
