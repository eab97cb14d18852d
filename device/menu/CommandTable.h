// The rows of CommandList.h as the program reads them: what each menu command
// does and which texts its action shows.
#pragma once

#include "Commands.h"
#include "platform.h"

enum CommandAction {
    ACTION_CONTROL_PANEL, // "\Windows\ctlpnl.exe" with the row's parameters
    ACTION_DEVICE,        // a system action of its own
    ACTION_DIALOG,        // a dialog of its own (the network address helper)
};

struct CommandRow {
    int id;
    int textId;    // the label
    int iconIndex; // in the icon strip
    CommandAction action;
    const WCHAR* parameters; // the control panel's command line; empty for other actions
    int messageText;         // text ids of the question or error shown, 0 when none
    int messageCaption;
};

// The row of command id 1..COMMAND_COUNT, or NULL for any other id.
const CommandRow* FindCommand(int id);
