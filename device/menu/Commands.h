// Command identifiers, private window messages and fixed ids of the menu
// program. The commands themselves are the rows of CommandList.h; a command's
// number is also the text id of its label and, less one, the index of its icon
// in the icon strip.
#pragma once

enum Command {
    CMD_SEPARATOR = 0,
#define COMMAND(id, name, ...) name = id,
#include "CommandList.h"
#undef COMMAND
    CMD_EXIT = 1000,
    CMD_SETTINGS = 1001,
};

// The number of menu commands: the rows of the list.
const int COMMAND_COUNT = 0
#define COMMAND(...) +1
#include "CommandList.h"
#undef COMMAND
    ;

// A row's id is its place in the list, its label's text id is the id, and its
// icon is the id less one; the build stops at a row that breaks this.
namespace CommandListOrder {
enum Place {
#define COMMAND(id, name, ...) name##_PLACE,
#include "CommandList.h"
#undef COMMAND
};
#define COMMAND(id, name, textId, iconIndex, ...)                                                  \
    static_assert(id == name##_PLACE + 1, #name ": ids run 1, 2, 3 ... in row order");             \
    static_assert(textId == id, #name ": the label's text id is the command id");                  \
    static_assert(iconIndex == id - 1, #name ": the icon index is the command id less one");
#include "CommandList.h"
#undef COMMAND
} // namespace CommandListOrder

// Private messages of the main window.
const unsigned MSG_TRAY_CALLBACK = 3029;   // wParam: tray icon id, lParam: mouse message
const unsigned MSG_SHOW_MENU = 3030;       // from a second copy of the program
const unsigned MSG_TASKBAR_GESTURE = 3031; // wParam: held, lParam low word: x (unscaled)
const unsigned MSG_CLOSE_MENU = 3032;

const unsigned TRAY_ICON_ID = 5000;
