#!/usr/bin/env bash
# Installs the Python package as the README tells a Python user to, offline,
# into a fresh virtual environment that sees Debian's packages, and orders
# the example cluster with it from another directory.
#
#   tests/python_install_test.sh PYTHON SOURCE_DIR
set -euo pipefail
python=$1 source_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$python" -m venv --system-site-packages "$scratch/venv"
# A copy of the sources, so that the build leaves nothing in the tree.
mkdir "$scratch/src"
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard 2> /dev/null | xargs -0 cp --parents -t "$scratch/src") ||
  cp -r "$source_dir/." "$scratch/src"
cd "$scratch"
PIP_NO_INDEX=1 PIP_DISABLE_PIP_VERSION_CHECK=1 CMAKE_BUILD_PARALLEL_LEVEL=2 \
  venv/bin/python -m pip install --quiet --no-build-isolation ./src > pip.log 2>&1 ||
  { cat pip.log; exit 1; }
ex=$source_dir/examples/cluster
venv/bin/python - "$ex" <<'PY'
import pathlib, sys
import sentralign
ex = pathlib.Path(sys.argv[1])
texts = sorted(ex.glob("D*_*.txt"))
cluster = sentralign.Cluster.from_files(texts, sorted(ex.glob("*.cst")))
ordering = cluster.order(ex / "resumo.txt", "acyclic")
assert len(ordering) == 7 and ordering.removed, ordering
assert "site-packages" in sentralign.__file__, sentralign.__file__
PY
echo "python install test passed"
