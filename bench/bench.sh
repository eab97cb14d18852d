#!/usr/bin/env bash
# Orvalet beside minimal Win32 programs built the same way, in one run of the
# emulated Pocket PC. Not a test: it reports, it does not judge.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVALET_BUILD:-$repo/build}
emu=$repo/emulator/pocketpc
"$emu" install >/dev/null
prefix=$build/emulator/prefix/drive_c
mkdir -p "$prefix/Program Files/Minimal"
cp "$build/bench/MinimalTray.exe" "$prefix/Program Files/Minimal/"
echo "== Start-up, memory and size"
"$emu" exec "$build/bench/startup_bench.exe"
for part in "$repo"/bench/*/bench.sh; do
  [ -f "$part" ] && bash "$part"
done
"$emu" stop
