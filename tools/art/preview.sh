#!/usr/bin/env bash
# Contact sheets of the built artwork, to look at after changing a drawing:
#   tools/art/preview.sh BUILD_DIR/art OUT/Orvalet.vga PREVIEW_DIR
# Writes strip16.png and strip32.png (each strip on the menu's white, the icon
# column's grey 200 and the highlight's dark blue, enlarged) and tray.png.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 ART_DIR ORVALET_VGA PREVIEW_DIR" >&2; exit 2; }
art=$1 vga=$2 out=$3
command -v convert >/dev/null || { echo "preview: convert (imagemagick) not found" >&2; exit 1; }
mkdir -p "$out"

sheet() { # strip.bmp cell_size scale result.png
  local rows=()
  for bg in '#ffffff' '#c8c8c8' '#0000af'; do
    local one="$out/.row${#rows[@]}.png"
    convert "$1" -fill "$bg" -opaque '#ff00ff' "$one"
    rows+=("$one")
  done
  convert "${rows[@]}" -append -scale "$3" "$4"
  rm -f "${rows[@]}"
}
sheet "$art/strip16.bmp" 16 400% "$out/strip16.png"
sheet "$vga" 32 200% "$out/strip32.png"

# Tray icons on a light and a dark task bar: normal 16, pressed 16, normal 32.
for bg in '#d4d0c8' '#1c3f94'; do
  convert -size 80x40 "xc:$bg" \
    "$art/tray.ico[0]" -geometry +4+12 -composite \
    "$art/tray_pressed.ico" -geometry +24+12 -composite \
    "$art/tray.ico[1]" -geometry +44+4 -composite "$out/.tray_$bg.png"
done
convert "$out/.tray_#d4d0c8.png" "$out/.tray_#1c3f94.png" -append -scale 400% "$out/tray.png"
rm -f "$out"/.tray_*.png
echo "preview: $out/strip16.png $out/strip32.png $out/tray.png"
