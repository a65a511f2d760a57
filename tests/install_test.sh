#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed tools from
# another working directory: they must find their data under the prefix.
set -euo pipefail
cmake_command=$1 build_dir=$2 source_dir=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

"$cmake_command" --install "$build_dir" --prefix "$prefix" > /dev/null
for f in bin/sentralign bin/sentralign-batch bin/sentralign-eval \
         share/sentralign/stoplist_portugues.txt \
         share/sentralign/stoplist_portugues.latin1.txt \
         share/sentralign/FILE_DESCRIPTION_RELATIONS_CST.txt \
         share/sentralign/corpus/C1_ponte/resCluster_C1.txt \
         share/sentralign/noticias/C1_ponte/Sumarios/C1_sumario_automatico_CSTSumm.txt \
         share/man/man1/sentralign.1 share/man/man1/sentralign-batch.1 \
         share/man/man1/sentralign-eval.1 include/sentralign/sentralign.h \
         lib/libsentralign.so lib/cmake/sentralign/sentralignConfig.cmake \
         lib/pkgconfig/sentralign.pc; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done

mkdir "$scratch/work" && cd "$scratch/work"
ex=$source_dir/examples/cluster
"$prefix/bin/sentralign" 1 "$ex/resumo.txt" out.txt 3 "$ex"/D1_*.txt "$ex"/D2_*.txt \
  "$ex"/D3_*.txt 3 "$ex"/*.cst > console.txt
[ "$(wc -l < out.txt)" -eq 7 ] || { echo "ordered summary has not 7 lines"; exit 1; }

"$prefix/bin/sentralign-batch" 1 > batch.txt
[ "$(cat batch.txt)" = "melthod: 1" ] || { echo "batch: $(cat batch.txt)"; exit 1; }

"$prefix/bin/sentralign-eval" --segmented --csv "$prefix/share/sentralign/noticias" \
  > eval.csv 2> eval.err
grep -q '^C3_greve,C3_sumario_automatico_CSTSumm_ordenado_1.txt,sumario,valor,6,' eval.csv \
  || { echo "eval: $(cat eval.err)"; exit 1; }

# A program of someone else's builds against the installed library, with
# CMake and with pkg-config, and orders as the installed tool does. A
# library built with the address sanitizer needs its runtime loaded first
# in a program built without it.
preload=
if grep -q '^SENTRALIGN_SANITIZE:BOOL=ON' "$build_dir/CMakeCache.txt"; then
  preload=$(c++ -print-file-name=libasan.so)
fi
"$prefix/bin/sentralign" 4 "$ex/resumo.txt" out4.txt 3 "$ex"/D1_*.txt \
  "$ex"/D2_*.txt "$ex"/D3_*.txt 0 > /dev/null
"$cmake_command" -S "$source_dir/tests/outside_project" -B outside \
  -DCMAKE_PREFIX_PATH="$prefix" > outside.log 2>&1 \
  && "$cmake_command" --build outside >> outside.log 2>&1 \
  || { echo "outside project: $(cat outside.log)"; exit 1; }
LD_PRELOAD=$preload LD_LIBRARY_PATH=$prefix/lib outside/order_example topics "$ex/resumo.txt" \
  "$ex"/D1_*.txt "$ex"/D2_*.txt "$ex"/D3_*.txt > outside4.txt
cmp -s out4.txt outside4.txt || { echo "library and tool differ"; exit 1; }
if command -v pkg-config > /dev/null; then
  # shellcheck disable=SC2046
  c++ -o pc_example "$source_dir/tests/outside_project/order_example.cpp" \
    $(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs sentralign)
  LD_PRELOAD=$preload LD_LIBRARY_PATH=$prefix/lib ./pc_example 4 "$ex/resumo.txt" "$ex"/D1_*.txt \
    "$ex"/D2_*.txt "$ex"/D3_*.txt | cmp -s - out4.txt \
    || { echo "pkg-config build differs"; exit 1; }
fi

# The installed copy of the start-up files is the one read: spoil it and the
# message names it.
rm "$prefix/share/sentralign/FILE_DESCRIPTION_RELATIONS_CST.txt"
mkdir "$prefix/share/sentralign/FILE_DESCRIPTION_RELATIONS_CST.txt"
if "$prefix/bin/sentralign" 1 > /dev/null 2> err.txt; then
  echo "spoilt installed data went unnoticed"; exit 1
fi
grep -q "^sentralign: $prefix/bin/../share/sentralign/FILE_DESCRIPTION_RELATIONS_CST.txt: Is a directory\$" err.txt \
  || { echo "unexpected: $(cat err.txt)"; exit 1; }
echo "install test passed"
