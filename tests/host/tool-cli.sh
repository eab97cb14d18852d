#!/usr/bin/env bash
# The translator's tool from the command line: an invalid source fails the
# compile and leaves no file; the shipped source compiles to UTF-16LE with
# byte-order mark and CR LF, and decompiles back to its entries.
# usage: tool-cli.sh LANGTOOL SOURCE.lang WORKDIR
set -uo pipefail
langtool=$1 source=$2 work=$3
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf '[German]\nIX1=Soft-Reset\nIX80=too far\nIX2 Hard-Reset\n' >"$work/bad.lang"
rm -f "$work/bad.bin"
if "$langtool" compile "$work/bad.lang" "$work/bad.bin" 2>"$work/bad.err"; then
    fail "compile of an invalid source succeeded"
fi
[ -e "$work/bad.bin" ] && fail "a failed compile left $work/bad.bin"
grep -q 'bad.lang:3: text id 80 outside 0-79' "$work/bad.err" || fail "no id message: $(cat "$work/bad.err")"
grep -q 'bad.lang:4: entry without "="' "$work/bad.err" || fail "no '=' message: $(cat "$work/bad.err")"

"$langtool" compile "$source" "$work/Orvalet.bin" || fail "compile of the shipped source failed"
head -c 2 "$work/Orvalet.bin" | od -An -tx1 | grep -q 'ff fe' || fail "no byte-order mark"
# Every LF unit is preceded by a CR unit, and every CR unit followed by an LF.
ends=$(od -An -v -tx2 -w2 -j2 "$work/Orvalet.bin" | awk '
    { u = $1 } u == "000a" { lf++; if (p == "000d") crlf++ } p == "000d" && u != "000a" { lone++ }
    { p = u } END { printf "%d %d %d", lf, crlf, lone }')
read -r lf crlf lone <<<"$ends"
[ "$lf" -gt 100 ] && [ "$lf" -eq "$crlf" ] && [ "$lone" -eq 0 ] \
    || fail "line ends: $lf LF units, $crlf after CR, $lone lone CR"
"$langtool" check "$work/Orvalet.bin" >/dev/null || fail "the compiled file does not check"

"$langtool" decompile "$work/Orvalet.bin" "$work/round.lang" || fail "decompile failed"
grep -v '^#' "$source" | cmp -s - "$work/round.lang" || fail "decompiled text differs from the source's entries"

"$langtool" coverage "$source" >"$work/coverage.txt" || fail "coverage failed"
grep -q '^German: 40 of 61 shown texts translated' "$work/coverage.txt" || fail "coverage: $(tail -5 "$work/coverage.txt")"

echo "langtool cli: $failures failed"
[ "$failures" -eq 0 ]
