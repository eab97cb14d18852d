#!/usr/bin/env bash
# Orvalet's screen capture beside a minimal program that saves the screen the
# same way, on the VGA screen: time from the save dialog's OK to the file
# complete and closed.
#   bench/capture/bench.sh [ROUNDS]   (make bench)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${ORVALET_BUILD:-$repo/build}
bench=$build/bench/capture/capturebench.exe
[ -f "$bench" ] || { echo "bench: build the project first (make build)" >&2; exit 1; }
echo "== Screen capture"
ORVALET_SCREEN=480x640 "$repo/emulator/pocketpc" install >/dev/null
ORVALET_SCREEN=480x640 "$repo/emulator/pocketpc" exec "$bench" "${1:-10}"
