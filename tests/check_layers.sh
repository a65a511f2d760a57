#!/usr/bin/env bash
# Checks that every include of the program runs downward, room by room, and
# that no two modules include each other, directly or round a circle.
#
#   tests/check_layers.sh [SOURCE_DIR]
#
# The rooms, from the bottom up, and what each may include:
#   src/io       io
#   src/ and     io, the sentence graph, its readers and orderings, and the
#   src/engine   engines behind them (one layer: they call each other)
#   src/eval     the above and eval
#   src/api      the above and api; include/sentralign, its public headers
#   src/cli      the above and cli
# Entry points (main.cpp, sentralign_*.cpp) may include any room. A module
# is a header with its source file; the modules' include graph must have no
# cycle. Prints each fault and exits 1 when there is one.
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top"

room_of() {
  case $1 in
    src/io/*) echo io ;;
    src/engine/*) echo core ;;
    src/eval/*) echo eval ;;
    src/api/* | include/sentralign/*) echo api ;;
    src/cli/*) echo cli ;;
    src/*/*) echo unknown ;;
    src/*) echo core ;;
    *) echo unknown ;;
  esac
}

# The rooms a file of room $1 may include.
allowed() {
  case $1 in
    io) echo "io" ;;
    core) echo "io core" ;;
    eval) echo "io core eval" ;;
    api) echo "io core eval api" ;;
    cli) echo "io core eval api cli" ;;
    *) echo "" ;;
  esac
}

# The file that `#include "$2"` in the file $1 names, or nothing for a
# header from outside the program.
resolve() {
  local dir
  dir=$(dirname "$1")
  for candidate in "$dir/$2" "src/$2" "include/$2"; do
    if [ -f "$candidate" ]; then
      realpath --relative-to=. "$candidate"
      return
    fi
  done
}

is_entry_point() {
  case $(basename "$1") in
    main.cpp | sentralign_*.cpp) return 0 ;;
    *) return 1 ;;
  esac
}

faults=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

while IFS= read -r file; do
  from_room=$(room_of "$file")
  from_module=${file%.*}
  while IFS= read -r name; do
    target=$(resolve "$file" "$name")
    [ -n "$target" ] || continue
    to_room=$(room_of "$target")
    to_module=${target%.*}
    if ! is_entry_point "$file" && [[ " $(allowed "$from_room") " != *" $to_room "* ]]; then
      echo "$file includes $name: the $from_room room may not see the $to_room room"
      faults=1
    fi
    [ "$from_module" = "$to_module" ] || echo "$from_module $to_module" >> "$edges"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find src include -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)

if ! loops=$(tsort < "$edges" 2>&1 > /dev/null); then
  echo "modules that include each other, round a circle:"
  echo "$loops" | sed -n 's/^tsort: \([^-]\)/  \1/p'
  faults=1
fi
exit "$faults"
