#!/usr/bin/env bash
# The tree's formatting is mechanical: .clang-format at the root says how.
#
#   tools/format/format.sh          reformat every C and C++ file in place
#   tools/format/format.sh --check  list the files that differ and fail (make test runs this)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.c' '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
[ ${#files[@]} -gt 0 ] || { echo "format: no sources found" >&2; exit 1; }
if [ "${1:-}" = "--check" ]; then
  bad=()
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  if [ ${#bad[@]} -gt 0 ]; then
    echo "format: ${#bad[@]} of ${#files[@]} files differ from .clang-format (run tools/format/format.sh):"
    printf '  %s\n' "${bad[@]}"
    exit 1
  fi
  echo "format: ${#files[@]} files match .clang-format"
else
  clang-format -i "${files[@]}"
  echo "format: ${#files[@]} files formatted"
fi
