#include "CommandTable.h"

namespace {

#define WIDE(s) L##s
const CommandRow COMMAND_ROWS[] = {
#define COMMAND(id, name, textId, iconIndex, art, label, action, parameters, messageText,          \
                messageCaption)                                                                    \
    {id, textId, iconIndex, action, WIDE(parameters), messageText, messageCaption},
#include "CommandList.h"
#undef COMMAND
};
#undef WIDE

} // namespace

const CommandRow* FindCommand(int id) {
    // Ids run from 1 without gaps (Commands.h checks it), so the id is the place.
    if (id < 1 || id > COMMAND_COUNT) return NULL;
    return &COMMAND_ROWS[id - 1];
}
