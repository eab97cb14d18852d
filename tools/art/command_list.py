#!/usr/bin/env python3
"""Reads the menu commands from device/menu/CommandList.h, the list the program
is compiled from, so that the icon strips hold exactly its commands in its order.

  command_list.py art [LIST]     the drawing names in icon order, one a line
  command_list.py count [LIST]   the number of commands

Every line that starts a row must be a whole row of the expected form; a row
that does not read, an id out of order, a label or icon that is not found by
the id, or a drawing named twice stops with the file and line.
"""
import collections
import os
import re
import sys

DEFAULT_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                            "..", "..", "device", "menu", "CommandList.h")

Command = collections.namedtuple(
    "Command", "id name text_id icon art label action parameters message_text message_caption")

_STRING = r'"([^"\\]*)"'
_ROW = re.compile(
    r"COMMAND\(\s*(\d+),\s*(CMD_[A-Z0-9_]+),\s*(\d+),\s*(\d+),\s*"
    r'"([a-z0-9]+(?:-[a-z0-9]+)*)",\s*' + _STRING + r",\s*"
    r"(ACTION_CONTROL_PANEL|ACTION_DEVICE|ACTION_DIALOG),\s*" + _STRING + r",\s*"
    r"(\d+),\s*(\d+)\)")


class CommandListError(Exception):
    pass


def read_commands(path=DEFAULT_LIST):
    """The rows of the list, in order, checked as the program relies on them."""
    commands = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            text = line.strip()
            if not text.startswith("COMMAND"):
                continue
            where = f"{path}:{number}"
            m = _ROW.fullmatch(text)
            if not m:
                raise CommandListError(f"{where}: not a command row: {text}")
            g = m.groups()
            row = Command(int(g[0]), g[1], int(g[2]), int(g[3]), g[4], g[5], g[6], g[7],
                          int(g[8]), int(g[9]))
            expected = len(commands) + 1
            if row.id != expected:
                raise CommandListError(f"{where}: {row.name} has id {row.id}, expected {expected}")
            if row.text_id != row.id:
                raise CommandListError(f"{where}: {row.name} has text id {row.text_id}, "
                                       f"expected its id {row.id}")
            if row.icon != row.id - 1:
                raise CommandListError(f"{where}: {row.name} has icon {row.icon}, "
                                       f"expected {row.id - 1}")
            for earlier in commands:
                if row.art == earlier.art or row.name == earlier.name:
                    raise CommandListError(f"{where}: {row.name} ({row.art}) repeats command "
                                           f"{earlier.id}")
            commands.append(row)
    if not commands:
        raise CommandListError(f"{path}: no command rows")
    return commands


def main(argv):
    if len(argv) not in (1, 2) or argv[0] not in ("art", "count"):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        commands = read_commands(*argv[1:])
    except (CommandListError, OSError) as e:
        print(f"command_list: {e}", file=sys.stderr)
        return 1
    if argv[0] == "art":
        for row in commands:
            print(row.art)
    else:
        print(len(commands))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
