#!/usr/bin/env bash
# Orvalet's menu beside a minimal program that tracks the same menu, at both
# screen sizes: time from the tap to the painted menu, GDI objects held.
#   bench/menu/bench.sh [ROUNDS]   (make bench)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${ORVALET_BUILD:-$repo/build}
bench=$build/bench/menu/menubench.exe
[ -f "$bench" ] || { echo "bench: build the project first (make build)" >&2; exit 1; }
status=0
for screen in 240x320 480x640; do
  ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" install >/dev/null
  ORVALET_SCREEN=$screen "$repo/emulator/pocketpc" exec "$bench" "${1:-10}" || status=1
done
exit $status
