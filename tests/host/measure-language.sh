#!/usr/bin/env bash
# Instructions (callgrind) and allocations to construct the language table
# and to select each language, for a language file (default: the shipped one).
# usage: measure-language.sh MEASURE_BINARY [Orvalet.bin]
set -euo pipefail
measure=$1
file=${2:-$(dirname "$0")/../../out/Orvalet.bin}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
LD_BIND_NOW=1 valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$work/cg.out" \
    "$measure" "$file" 2>"$work/valgrind.log"
for dump in "$work"/cg.out.*; do
    step=$(sed -n 's/^desc: Trigger: Client Request: //p' "$dump")
    instructions=$(sed -n 's/^summary: //p' "$dump")
    printf '%-12s %10s instructions\n' "$step" "$instructions"
done
