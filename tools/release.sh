#!/usr/bin/env bash
# Builds a release into dist/: the per-user installer, a portable zip of the
# program and its help file, and SHA-256 checksums of both.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
export SORVANDA_BUILD=$build
"$top/tools/setup.sh"
cmake --build "$build" --target package_files
version=2010.1.2
dist=$top/dist
rm -rf "$dist"
mkdir -p "$dist"
cp "$build/package/OrmatekSorvanda-$version-setup.exe" "$dist/"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Ormatek Sorvanda"
cp "$build/package/OrmatekSorvanda.exe" "$build/package/Ormatek Sorvanda.chm" "$stage/Ormatek Sorvanda/"
(cd "$stage" && zip -q -r -X "$dist/OrmatekSorvanda-$version-portable.zip" "Ormatek Sorvanda")
(cd "$dist" && sha256sum OrmatekSorvanda-$version-setup.exe OrmatekSorvanda-$version-portable.zip > SHA256SUMS)
echo "release in $dist:"
ls -l "$dist"
cat "$dist/SHA256SUMS"
