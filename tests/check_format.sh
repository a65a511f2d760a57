#!/usr/bin/env bash
# Checks the layout of the sources: every C++ file as clang-format lays it
# out (.clang-format), and no stray white space in any file we write
# (trailing blanks, tabs outside makefiles, CR line ends, a missing final
# line end). The example texts and the shipped data keep their own bytes.
#
#   tests/check_format.sh          # prints every fault, exits 1 on one
#   tests/check_format.sh --fix    # lays out the C++ files in place
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi

faults=0
if ! clang-format --dry-run -Werror "${sources[@]}" 2> /tmp/check_format.$$; then
  grep -E '^[^ ].*(error|warning):' /tmp/check_format.$$ | head -40
  echo "C++ layout differs from .clang-format: run tests/check_format.sh --fix"
  faults=1
fi
rm -f /tmp/check_format.$$

mapfile -t texts < <(git ls-files | grep -v -E '^(examples|data|fuzz/regressions)/')
for file in "${texts[@]}"; do
  [ -f "$file" ] || continue
  grep -Iq . "$file" 2> /dev/null || continue  # binary or empty
  if grep -n -E '[[:blank:]]+$' "$file" | head -3 | sed "s|^|$file:|;s|$| (trailing blank)|" | grep .; then
    faults=1
  fi
  if grep -q $'\r' "$file"; then
    echo "$file: CR line ends"
    faults=1
  fi
  case $file in
    # Makefiles need tabs; the README shows what tools print, tabs included.
    Makefile | */Makefile | *.mk | *.md) ;;
    *) if grep -n $'\t' "$file" | head -3 | sed "s|^|$file:|;s|$| (tab)|" | grep .; then
         faults=1
       fi ;;
  esac
  if [ -n "$(tail -c 1 "$file")" ]; then
    echo "$file: no line end at the end"
    faults=1
  fi
done
exit "$faults"
