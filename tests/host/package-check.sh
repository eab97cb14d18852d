#!/usr/bin/env bash
# The device package as others read it. Builds it twice from its description
# (the two must be byte for byte the same, and the same as the build's own
# when SOURCEDIR is the build's output), then has cabextract, gcab, bsdtar
# and Wine's cabinet library unpack it: each must give back every member
# byte for byte. On the build's output also checks appmgr.ini and the icon.
# With --synthetic, SOURCEDIR is filled with made-up files whose sizes cross
# the cabinet's 32 KiB blocks and leave every checksum tail length.
# usage: package-check.sh CABTOOL DESCRIPTION.inf SOURCEDIR WORKDIR [--synthetic]
set -uo pipefail
cabtool=$1 inf=$2 sources=$3 work=$4 mode=${5:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
mkdir -p "$work"

if [ "$mode" = --synthetic ]; then
    mkdir -p "$sources"
    head -c 70001 /dev/urandom >"$sources/Orvalet.exe"
    head -c 5 /dev/urandom >"$sources/OrvaletSetup.dll"
    head -c 1 /dev/urandom >"$sources/Orvalet.bin"
    head -c 32768 /dev/urandom >"$sources/Orvalet.vga"
fi

# --- two builds, one result
for b in a b; do
    rm -rf "$work/$b" && mkdir -p "$work/$b"
    "$cabtool" build "$inf" "$sources" "$work/$b/Orvalet.armrel.CAB" "$work/$b/Orvalet.armrel.DAT" \
        || fail "build $b failed"
done
cab=$work/a/Orvalet.armrel.CAB dat=$work/a/Orvalet.armrel.DAT
cmp "$cab" "$work/b/Orvalet.armrel.CAB" || fail "two builds gave different cabinets"
cmp "$dat" "$work/b/Orvalet.armrel.DAT" || fail "two builds gave different setup information"
if [ "$mode" != --synthetic ]; then
    cmp "$cab" "$sources/Orvalet.armrel.CAB" || fail "the build's cabinet differs from a rebuild"
    cmp "$dat" "$sources/Orvalet.armrel.DAT" || fail "the build's .DAT differs from a rebuild"
fi

# What each member must hold.
declare -A want=(
    [ORVALET.000]=$dat [ORVALET.001]=$sources/Orvalet.exe [ORVALET.002]=$sources/OrvaletSetup.dll
    [ORVALET.003]=$sources/Orvalet.bin [ORVALET.004]=$sources/Orvalet.vga
    [ORVALET.999]=$sources/OrvaletSetup.dll)

# Compares an unpacked folder with the members wanted: the six, nothing else.
check_unpacked() { # READER DIR
    local reader=$1 dir=$2 name count
    count=$(find "$dir" -type f | wc -l)
    [ "$count" -eq 6 ] || fail "$reader unpacked $count files, not 6: $(ls "$dir" | tr '\n' ' ')"
    for name in "${!want[@]}"; do
        if [ ! -f "$dir/$name" ]; then fail "$reader: no $name"; continue; fi
        cmp -s "$dir/$name" "${want[$name]}" || fail "$reader: $name differs from ${want[$name]}"
    done
}
unpack() { # READER COMMAND... (run inside a fresh folder)
    local reader=$1
    shift
    rm -rf "$work/$reader" && mkdir -p "$work/$reader"
    (cd "$work/$reader" && "$@") >"$work/$reader.log" 2>&1 || { fail "$reader refused it: $(tail -n 3 "$work/$reader.log")"; return; }
    check_unpacked "$reader" "$work/$reader"
}

# --- readers written elsewhere
cabextract -t "$cab" >"$work/cabextract-t.log" 2>&1 && grep -q 'All done, no errors' "$work/cabextract-t.log" \
    || fail "cabextract -t: $(tail -n 4 "$work/cabextract-t.log")"
unpack cabextract cabextract -q "$cab"
unpack gcab gcab -x "$cab"
unpack bsdtar bsdtar -xf "$cab"

# --- Wine's cabinet library: extrac32 unpacks into a folder. Wine's expand
# here writes every member of a cabinet into the one destination file it is
# given (a folder as destination fails for any cabinet), so its file must
# begin with the last member's bytes.
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
winepath() { echo "Z:${1//\//\\}"; }
if [ ! -f "$WINEPREFIX/.ready" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 && touch "$WINEPREFIX/.ready" || fail "no Wine prefix"
fi
unpack wine-extrac32 "$wine" extrac32 /Y /E /L "$(winepath "$work/wine-extrac32")" "$(winepath "$cab")"
rm -f "$work/expand.out"
"$wine" expand "$(winepath "$cab")" "$(winepath "$work/expand.out")" >"$work/expand.log" 2>&1 \
    || fail "wine expand: $(cat "$work/expand.log")"
last=${want[ORVALET.004]}
cmp -s -n "$(stat -c %s "$last")" "$work/expand.out" "$last" || fail "wine expand did not end with ORVALET.004"
"$wine" wineserver -k >/dev/null 2>&1 || true

if [ "$mode" != --synthetic ]; then
    # --- appmgr.ini: tabs, the blank after "Version", the trailing blanks, CR LF
    printf '[CEAppManager]\r\nVersion \t=1.0\r\nComponent\t=Orvalet\r\n\r\n[Orvalet] \r\nDescription\t=Orvalet\r\nUninstall\t=Orvalet \r\nCabFiles\t=Orvalet.armrel.cab\r\nIconFile\t=Orvalet.ico\r\nIconIndex\t=0\r\nDeviceFile\t=Orvalet.exe\r\n' >"$work/appmgr.ini"
    cmp "$sources/appmgr.ini" "$work/appmgr.ini" || fail "appmgr.ini: $(od -c "$sources/appmgr.ini" | head -n 4)"
    # --- the icon: 16x16 at 16 colours and 32x32 at 24 bits, each with its mask
    python3 - "$sources/Orvalet.ico" <<'PY' || fail "Orvalet.ico has not the two images"
import struct, sys
d = open(sys.argv[1], "rb").read()
assert struct.unpack("<HHH", d[:6]) == (0, 1, 2), d[:6]
for i, (size, colours, bits) in enumerate([(16, 16, 4), (32, 0, 24)]):
    w, h, c, _, planes, bpp, length, at = struct.unpack("<BBBBHHII", d[6 + 16 * i:22 + 16 * i])
    assert (w, h, c, planes, bpp) == (size, size, colours, 1, bits), (w, h, c, planes, bpp)
    hs, hw, hh, hp, hb = struct.unpack("<IiiHH", d[at:at + 16])
    assert (hs, hw, hh, hp, hb) == (40, size, 2 * size, 1, bits), (hs, hw, hh, hp, hb)
    row = (size * bits + 31) // 32 * 4
    mask = (size + 31) // 32 * 4
    assert length == 40 + 4 * colours + size * (row + mask), (length, size)
    assert at + length <= len(d)
PY
fi

[ $failures -eq 0 ] && echo "package-check: every reader gave back all six members; builds identical"
exit $((failures > 0))
