// Command identifiers, private window messages and fixed ids of the menu
// program. A command's number is also the text id of its label and, less one,
// the index of its icon in the icon strip.
#pragma once

enum Command {
    CMD_SEPARATOR = 0,
    CMD_SOFT_RESET = 1,
    CMD_HARD_RESET = 2,
    CMD_POWER_OFF = 3,
    CMD_BRIGHTNESS = 4,
    CMD_MEMORY = 5,
    CMD_BATTERY = 6,
    CMD_TODAY_THEMES = 7,
    CMD_TODAY_PLUGINS = 8,
    CMD_CLOCK = 9,
    CMD_START_MENU = 10,
    CMD_UNINSTALL = 11,
    CMD_SOUNDS = 12,
    CMD_BUTTONS = 13,
    CMD_RUNNING_PROGRAMS = 14,
    CMD_INPUT_METHODS = 15,
    CMD_TODAY_SCREEN = 16,
    CMD_NETWORK = 17,
    CMD_PHONE = 18,
    CMD_PURGELLE = 19,
    CMD_PURGELLE_CLEANER = 20,
    CMD_ROTATE_LEFT = 21,
    CMD_ROTATE_RIGHT = 22,
    CMD_FLIP_SCREEN = 23,
    CMD_SCREEN_OFF = 24,
    CMD_REFRESH_TODAY = 25,
    CMD_IP_HELPER = 26,
    CMD_SCREEN_CAPTURE = 27,
    CMD_EXIT = 1000,
    CMD_SETTINGS = 1001,
};

const int COMMAND_COUNT = 27;

// Private messages of the main window.
const unsigned MSG_TRAY_CALLBACK = 3029;   // wParam: tray icon id, lParam: mouse message
const unsigned MSG_SHOW_MENU = 3030;       // from a second copy of the program
const unsigned MSG_TASKBAR_GESTURE = 3031; // wParam: held, lParam low word: x (unscaled)
const unsigned MSG_CLOSE_MENU = 3032;

const unsigned TRAY_ICON_ID = 5000;
