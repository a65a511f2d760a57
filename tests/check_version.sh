#!/usr/bin/env bash
# Checks that every place that states the version states the one of
# CMakeLists.txt: the citation file, the changelog, the manual pages, the
# Python package's metadata and what each tool's --version prints.
#
#   tests/check_version.sh SOURCE_DIR TOOL...
set -euo pipefail
source_dir=$1
shift
cd "$source_dir"

version=$(sed -n 's/^project(sentralign VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt"; exit 1; }
faults=0
fault() { echo "$1"; faults=1; }

[ "$(grep -c "^version: $version\$" CITATION.cff)" -eq 1 ] ||
  fault "CITATION.cff: version is not $version"
grep -q "^  version: $version\$" CITATION.cff ||
  fault "CITATION.cff: the preferred citation's version is not $version"
grep -q "^## \[$version\] - " CHANGELOG.md || fault "CHANGELOG.md: no section for $version"
grep -q "(version $version)" README.md || fault "README.md: the citation is not of $version"
for page in doc/*.1; do
  grep -q "^\.TH .* \"sentralign $version\"" "$page" || fault "$page: .TH is not of $version"
done
for tool in "$@"; do
  printed=$("$tool" --version)
  [ "$printed" = "$(basename "$tool") $version" ] ||
    fault "$tool --version prints '$printed', not $version"
done
exit "$faults"
