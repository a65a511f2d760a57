#!/usr/bin/env bash
# Runs every command of the README that is marked as runnable, so that the
# README cannot drift from the tools. A fenced block right after
#   <!-- runnable -->          runs in bash and must succeed;
#   <!-- runnable: fails -->   runs in bash and must fail;
#   <!-- runnable: python -->  runs in PYTHON from the source directory.
# The shell blocks run one after the other in one empty directory, with the
# built tools first on PATH; the Python blocks are passed over when PYTHON
# is empty. An indented block that follows a runnable block directly (blank
# lines between them aside) is what it prints, standard output and error
# together, and must be that.
#
#   tests/readme_test.sh SOURCE_DIR BUILD_DIR [PYTHON]
set -euo pipefail
source_dir=$1 build_dir=$2 python=${3:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Splits the README's marked blocks into numbered files: N.KIND.
awk -v out="$scratch/blocks" '
  /^<!-- runnable(: [a-z]+)? -->$/ {
    kind = "sh"
    if (match($0, /: [a-z]+/)) kind = substr($0, RSTART + 2, RLENGTH - 2)
    pending = 1
    expecting = 0
    next
  }
  pending && /^```/ { pending = 0; inside = 1; n++; file = sprintf("%s.%03d.%s", out, n, kind); next }
  inside && /^```$/ { inside = 0; close(file); expecting = 1; blanks = 0; next }
  inside { print > file; next }
  expecting && /^$/ { blanks++; if (shown) held++; next }
  expecting && /^    / {
    if (!shown) { shown = file ".expected"; held = 0 }
    for (; held > 0; held--) print "" > shown
    print substr($0, 5) > shown
    next
  }
  expecting { expecting = 0; if (shown) close(shown); shown = "" }
' "$source_dir/README.md"

mkdir "$scratch/work"
ran=0
for block in "$scratch"/blocks.*.*; do
  case $block in *.expected | *.out | *.diff) continue ;; esac
  [ -e "$block" ] || { echo "no runnable block in README.md"; exit 1; }
  kind=${block##*.}
  status=0
  case $kind in
    python)
      [ -n "$python" ] || continue
      (cd "$source_dir" && PYTHONPATH="$build_dir/python" "$python" "$block") \
        > "$block.out" 2>&1 || status=$?
      ;;
    sh | fails)
      (cd "$scratch/work" && PATH="$build_dir:$PATH" bash -eo pipefail "$block") \
        > "$block.out" 2>&1 || status=$?
      ;;
    *) echo "unknown block kind: $kind"; exit 1 ;;
  esac
  if { [ "$kind" = fails ] && [ "$status" = 0 ]; } ||
     { [ "$kind" != fails ] && [ "$status" != 0 ]; }; then
    echo "README block $(basename "$block") (status $status):"
    cat "$block"
    echo "--- it printed:"
    cat "$block.out"
    exit 1
  fi
  if [ -e "$block.expected" ] && ! diff -u "$block.expected" "$block.out" > "$block.diff"; then
    echo "README block $(basename "$block") prints other than the README shows:"
    cat "$block.diff"
    exit 1
  fi
  ran=$((ran + 1))
done
echo "$ran README blocks ran as they should"
