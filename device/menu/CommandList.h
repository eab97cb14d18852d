// The menu commands, one row each, in id order. Everything that counts or names
// the commands takes them from here: the Command enum and COMMAND_COUNT
// (Commands.h), the rows that dispatch reads (CommandTable.cpp), the built-in
// English labels (DefaultTexts.cpp), the language tool's list of shown texts
// and the icon strips (tools/art/command_list.py reads this file as text).
//
// COMMAND(id, name, textId, iconIndex, art, label, action, parameters,
//         messageText, messageCaption)
//   id          1, 2, 3 ... without gaps: the identifier a menu slot stores.
//   textId      text id of the label; always the id.
//   iconIndex   the label's icon in the icon strips; always id - 1.
//   art         the drawings resources/art/cmd16/ART.svg and cmd32/ART.svg.
//   label       the built-in English label, text textId of the language table.
//   action      ACTION_CONTROL_PANEL: "\Windows\ctlpnl.exe" with parameters;
//               ACTION_DEVICE: a system action; ACTION_DIALOG: a dialog of its own.
//   parameters  the control panel's command line exactly as it takes it, else "".
//   messageText, messageCaption  text ids of the question or error message the
//               action may show, 0 when it shows none from the language table.
//
// Keep the form: one row per line, numbers in decimal, strings without escapes.
// A row the art reader cannot read stops the build.
// clang-format off
COMMAND(1,  CMD_SOFT_RESET,       1,  0,  "soft-reset",       "Soft Reset",           ACTION_DEVICE,        "",                 0,  0)
COMMAND(2,  CMD_HARD_RESET,       2,  1,  "hard-reset",       "Hard Reset",           ACTION_DEVICE,        "",                 45, 2)
COMMAND(3,  CMD_POWER_OFF,        3,  2,  "power-off",        "Power Off",            ACTION_DEVICE,        "",                 0,  0)
COMMAND(4,  CMD_BRIGHTNESS,       4,  3,  "brightness",       "Brightness",           ACTION_DEVICE,        "",                 0,  0)
COMMAND(5,  CMD_MEMORY,           5,  4,  "memory",           "Memory",               ACTION_CONTROL_PANEL, "cplmain.cpl 4 0",  0,  0)
COMMAND(6,  CMD_BATTERY,          6,  5,  "battery",          "Battery Level",        ACTION_DEVICE,        "",                 0,  0)
COMMAND(7,  CMD_TODAY_THEMES,     7,  6,  "today-themes",     "Today Themes",         ACTION_CONTROL_PANEL, "cplmain.cpl 13 0", 0,  0)
COMMAND(8,  CMD_TODAY_PLUGINS,    8,  7,  "today-plugins",    "Today Plugins",        ACTION_CONTROL_PANEL, "cplmain.cpl 13 1", 0,  0)
COMMAND(9,  CMD_CLOCK,            9,  8,  "clock",            "Clock",                ACTION_CONTROL_PANEL, "cplmain.cpl 16 1", 0,  0)
COMMAND(10, CMD_START_MENU,       10, 9,  "start-menu",       "Start Menu",           ACTION_CONTROL_PANEL, "cplmain.cpl 11 0", 0,  0)
COMMAND(11, CMD_UNINSTALL,        11, 10, "uninstall",        "Uninstall Programs",   ACTION_CONTROL_PANEL, "cplmain.cpl 10",   0,  0)
COMMAND(12, CMD_SOUNDS,           12, 11, "sounds",           "Sound Settings",       ACTION_CONTROL_PANEL, "cplmain.cpl 9 0",  0,  0)
COMMAND(13, CMD_BUTTONS,          13, 12, "buttons",          "Hardware Buttons",     ACTION_CONTROL_PANEL, "cplmain.cpl 12 0", 0,  0)
COMMAND(14, CMD_RUNNING_PROGRAMS, 14, 13, "running-programs", "Running Programs",     ACTION_CONTROL_PANEL, "cplmain.cpl 4 2",  0,  0)
COMMAND(15, CMD_INPUT_METHODS,    15, 14, "input-methods",    "Input Methods",        ACTION_CONTROL_PANEL, "cplmain.cpl 8 0",  0,  0)
COMMAND(16, CMD_TODAY_SCREEN,     16, 15, "today-screen",     "Today Screen",         ACTION_DEVICE,        "",                 0,  0)
COMMAND(17, CMD_NETWORK,          17, 16, "network",          "Network Connection",   ACTION_CONTROL_PANEL, "cplmain.cpl,19",   0,  0)
COMMAND(18, CMD_PHONE,            18, 17, "phone",            "Phone Settings",       ACTION_CONTROL_PANEL, "cplmain.cpl,20",   0,  0)
COMMAND(19, CMD_PURGELLE,         19, 18, "purgelle",         "Purgelle",             ACTION_DEVICE,        "",                 65, 64)
COMMAND(20, CMD_PURGELLE_CLEANER, 20, 19, "purgelle-cleaner", "Purgelle Cleaner",     ACTION_DEVICE,        "",                 65, 64)
COMMAND(21, CMD_ROTATE_LEFT,      21, 20, "rotate-left",      "Rotate Screen (L)",    ACTION_DEVICE,        "",                 66, 64)
COMMAND(22, CMD_ROTATE_RIGHT,     22, 21, "rotate-right",     "Rotate Screen (R)",    ACTION_DEVICE,        "",                 66, 64)
COMMAND(23, CMD_FLIP_SCREEN,      23, 22, "flip-screen",      "Flip Screen",          ACTION_DEVICE,        "",                 66, 64)
COMMAND(24, CMD_SCREEN_OFF,       24, 23, "screen-off",       "Screen OFF",           ACTION_DEVICE,        "",                 0,  0)
COMMAND(25, CMD_REFRESH_TODAY,    25, 24, "refresh-today",    "Refresh today screen", ACTION_DEVICE,        "",                 0,  0)
COMMAND(26, CMD_IP_HELPER,        26, 25, "ip-helper",        "IP Helper",            ACTION_DIALOG,        "",                 0,  0)
COMMAND(27, CMD_SCREEN_CAPTURE,   27, 26, "screen-capture",   "Screen Capture",       ACTION_DEVICE,        "",                 0,  0)
// clang-format on
