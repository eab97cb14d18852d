#!/usr/bin/env bash
# Pictures of Orvalet in the emulated Pocket PC, for people to look at: the tray
# and the menu at 240x320 and 480x640, in each colour mode, with and without
# icons (one item highlighted), saved as SCREEN-MODE-icons.png and
# SCREEN-MODE-noicons.png in the folder given; the settings window's pages
# at both sizes and on the landscape 320x240 screen, SCREEN-settings-PAGE.png;
# what the system actions show at 240x320, SCREEN-action-WHAT.png.
#
#   tools/screens/screens.sh OUT-FOLDER
#
# Called by `pocketpc run` without a display; it restarts the device at each
# screen size and leaves it running at the last one.
set -euo pipefail

out=$(mkdir -p "$1" && cd "$1" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${ORVALET_BUILD:-$repo/build}
shots=$build/tools/screens/menushots.exe
settings=$build/tools/screens/settingsshots.exe
actions=$build/tools/screens/actionshots.exe
[ -f "$shots" ] && [ -f "$settings" ] && [ -f "$actions" ] || { echo "screens: build the project first (make build)" >&2; exit 1; }

export WINEPREFIX=$build/emulator/prefix WINEDEBUG=-all

status=0
for screen in 240x320 480x640 320x240; do
  # A new screen size needs a new emulated desktop (and its pixels per inch).
  "$repo/emulator/pocketpc" stop
  ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" install >/dev/null
  # Landscape only for the settings window (its move buttons replace the scroll bar).
  if [ $screen != 320x240 ]; then
    ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" exec "$shots" "$out" || status=1
  fi
  if [ $screen = 240x320 ]; then
    ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" exec "$actions" "$out" || status=1
  fi
  ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" exec "$settings" "$out" || status=1
done

# The README's pictures (docs/): the menu at both sizes, three colour modes
# side by side, the settings window's four pages side by side, and the
# system actions' effects side by side.
if [ $status -eq 0 ]; then
  convert "$out/240x320-custom-icons.png" -background white -gravity north -extent 240x640 \
    "$out/480x640-custom-icons.png" +append "$out/readme-menu-qvga-vga.png"
  convert "$out/240x320-nocolors-icons.png" "$out/240x320-theme-icons.png" \
    "$out/240x320-reversetheme-noicons.png" +append "$out/readme-menu-colour-modes.png"
  convert "$out"/240x320-settings-{main,display,color,about}.png +append +repage \
    "$out/readme-settings.png"
  convert "$out"/240x320-action-{today,save,capture}.png "$out/320x240-action-turned.png" \
    "$out/240x320-action-dark.png" -background white -gravity north +append \
    "$out/readme-actions.png"
fi
exit $status
