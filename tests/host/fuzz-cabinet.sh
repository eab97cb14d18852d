#!/usr/bin/env bash
# Runs the cabinet and setup-information fuzz target for a bounded time,
# seeded with a package the tool builds from the shipped description over
# small made-up files, and with its setup information alone.
# usage: fuzz-cabinet.sh FUZZER CABTOOL DESCRIPTION.inf WORKDIR SECONDS [libFuzzer options...]
set -euo pipefail
fuzzer=$1 cabtool=$2 inf=$3 work=$4 seconds=$5
shift 5
mkdir -p "$work/corpus" "$work/artifacts" "$work/sources"
printf 'MZ program' >"$work/sources/Orvalet.exe"
printf 'MZ library' >"$work/sources/OrvaletSetup.dll"
printf '\xff\xfe[' >"$work/sources/Orvalet.bin"
printf 'BM' >"$work/sources/Orvalet.vga"
"$cabtool" build "$inf" "$work/sources" "$work/corpus/package.cab" "$work/corpus/setup.000"
"$fuzzer" "$work/corpus" -max_len=4096 -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$@" 2>"$work/fuzz.log" \
    || { tail -n 60 "$work/fuzz.log"; echo "fuzz: fault found, input kept in $work/artifacts" >&2; exit 1; }
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
[ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\): .*/\1/p' "$work/fuzz.log" | tail -n 1)
echo "fuzz: $runs runs in ${seconds}s, no fault; corpus $(ls "$work/corpus" | wc -l) inputs"
