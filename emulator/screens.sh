#!/usr/bin/env bash
# Pictures of Orvalet in the emulated Pocket PC, for people to look at: the tray
# and the menu at 240x320 and 480x640, in each colour mode, with and without
# icons (one item highlighted), saved as SCREEN-MODE-icons.png and
# SCREEN-MODE-noicons.png in the folder given.
#
#   emulator/screens.sh OUT-FOLDER
#
# Called by `pocketpc run` without a display; it restarts the device at each
# screen size and leaves it running at the last one.
set -euo pipefail

out=$(mkdir -p "$1" && cd "$1" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ORVALET_BUILD:-$repo/build}
shots=$build/tests/menu/menushots.exe
[ -f "$shots" ] || { echo "screens: build the project first (make build)" >&2; exit 1; }

# A VGA Pocket PC reports 192 pixels per inch (the program sizes its fonts
# from that); the emulated desktop says 96 unless told. Told for the VGA
# pictures only, and put back afterwards.
export WINEPREFIX=$build/emulator/prefix WINEDEBUG=-all
set_dpi() {
  if [ "$1" = 96 ]; then
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  else
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  fi
}
trap 'set_dpi 96' EXIT

status=0
for screen in 240x320 480x640; do
  # A new screen size needs a new emulated desktop.
  "$repo/emulator/pocketpc" stop
  ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" install >/dev/null
  if [ "$screen" = 480x640 ]; then set_dpi 192; else set_dpi 96; fi
  ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" exec "$shots" "$out" || status=1
done
exit $status
