#!/usr/bin/env bash
# Orvalet's settings window beside a minimal program that opens a sheet of the
# same four pages, at 240x320: time from the tap to the Main page painted.
#   bench/settings/bench.sh [ROUNDS]   (make bench)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${ORVALET_BUILD:-$repo/build}
bench=$build/bench/settings/settingsbench.exe
[ -f "$bench" ] || { echo "bench: build the project first (make build)" >&2; exit 1; }
echo "== Settings window"
ORVALET_SCREEN=240x320 "$repo/emulator/pocketpc" install >/dev/null
ORVALET_SCREEN=240x320 "$repo/emulator/pocketpc" exec "$bench" "${1:-10}"
