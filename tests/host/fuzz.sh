#!/usr/bin/env bash
# Runs the language-table fuzz target for a bounded time, seeded with the
# shipped language file compiled from its source.
# usage: fuzz.sh FUZZER LANGTOOL SOURCE.lang WORKDIR SECONDS [libFuzzer options...]
set -euo pipefail
fuzzer=$1 langtool=$2 source=$3 work=$4 seconds=$5
shift 5
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work/corpus" "$work/artifacts"
"$langtool" compile "$source" "$work/corpus/shipped.bin"
"$fuzzer" "$work/corpus" -dict="$here/language.dict" -max_total_time="$seconds" \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$@" 2>"$work/fuzz.log" \
    || { tail -n 60 "$work/fuzz.log"; echo "fuzz: fault found, input kept in $work/artifacts" >&2; exit 1; }
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$work/fuzz.log" || true
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
# Fork mode (the long run) reports only its progress lines.
[ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\): .*/\1/p' "$work/fuzz.log" | tail -n 1)
echo "fuzz: $runs runs in ${seconds}s, no fault; corpus $(ls "$work/corpus" | wc -l) inputs"
