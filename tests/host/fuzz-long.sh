#!/usr/bin/env bash
# The long fuzzing run of the language table and then of the cabinet and
# setup-information readers (default one hour each, or the given number of
# seconds), on both cores, with corpora kept between runs.
# usage: tests/host/fuzz-long.sh [SECONDS]
set -euo pipefail
seconds=${1:-3600}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ORVALET_FUZZ_BUILD:-$root/build/fuzz-host}
cmake -S "$root/tools" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target fuzz_language_table langtool fuzz_cabinet cabtool
"$root/tests/host/fuzz.sh" "$build/tests-host/fuzz_language_table" "$build/langtool/langtool" \
    "$root/package/Orvalet.lang" "$build/fuzz-long" "$seconds" -fork=2
exec "$root/tests/host/fuzz-cabinet.sh" "$build/tests-host/fuzz_cabinet" "$build/cabtool/cabtool" \
    "$root/package/Orvalet.inf" "$build/fuzz-long-cabinet" "$seconds" -fork=2
