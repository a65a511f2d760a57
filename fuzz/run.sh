#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for SECONDS
# seconds (default 10), starting from seeds taken from the examples and the
# shipped data, after replaying the inputs of fuzz/regressions/TARGET that
# once made it fail. A crash stops the script with the fuzzer's report; the
# crashing input is left in build-fuzz/.
#
#   fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${1:-10}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(texts stoplist description relations summaries run encoding matcher layout report)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DSENTRALIGN_FUZZ=ON \
  -DBUILD_TESTING=OFF -DSENTRALIGN_BENCH=OFF -DSENTRALIGN_WERROR=${WERROR:-OFF} > /dev/null
cmake --build "$build" -j "${JOBS:-2}" > /dev/null

seed() {  # seed TARGET FILE...
  local dir=$build/seeds/$1
  shift
  mkdir -p "$dir"
  for f in "$@"; do cp "$f" "$dir/$(echo "$f" | tr / _)"; done
}
cd "$root"
seed texts examples/cluster/*.txt examples/corpus/*/*.seg
seed stoplist data/stoplist_portugues*.txt
seed description data/FILE_DESCRIPTION_RELATIONS_CST.txt
seed relations examples/cluster/*.cst examples/corpus/*/*.cst
seed summaries examples/cluster/resumo.txt examples/corpus/*/resCluster*
seed run examples/cluster/*.cst examples/cluster/resumo.txt examples/cluster/*.txt
seed encoding examples/noticias/*/*/*.seg examples/noticias/*/Sumarios/* \
  data/stoplist_portugues*.txt
seed matcher examples/noticias/*/Sumarios/* examples/cluster/resumo.txt
seed layout examples/noticias/C1_ponte/Sumarios/*
seed report examples/noticias/*/CST/*.cst examples/noticias/*/Sumarios/*

for target in "${targets[@]}"; do
  # Inputs that once failed run first, each once.
  if compgen -G "$root/fuzz/regressions/$target/*" > /dev/null; then
    (cd "$build" && "./fuzz_$target" "$root/fuzz/regressions/$target"/* > /dev/null 2>&1) || {
      echo "fuzz_$target fails again on an input of fuzz/regressions/$target"; exit 1; }
  fi
  mkdir -p "$build/corpus/$target"
  echo "fuzz_$target: ${seconds}s"
  (cd "$build" && "./fuzz_$target" -max_total_time="$seconds" -timeout=20 \
     -rss_limit_mb=2048 -print_final_stats=0 "corpus/$target" "seeds/$target" \
     2>&1 | grep -E '^(Done|==[0-9]+==|SUMMARY|artifact_prefix|Test unit written)' || true)
  if ls "$build"/crash-* "$build"/timeout-* "$build"/oom-* > /dev/null 2>&1; then
    echo "fuzz_$target found a failing input:" "$build"/crash-* "$build"/timeout-* \
      "$build"/oom-* 2> /dev/null
    exit 1
  fi
done
