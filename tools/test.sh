#!/usr/bin/env bash
# Installs what is needed, builds, checks the layering of the sources
# (tools/check-layers.sh), and runs every test executable under Wine in
# a throwaway prefix and HOME (inside the build folder), on a private Xvfb
# display when there is none; then the Linux build of the code that needs no
# Windows: its unit tests with sanitizers, and each fuzzer for a bounded time.
# Exits non-zero when anything fails.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
export SORVANDA_BUILD=$build
"$top/tools/setup.sh"
cmake --build "$build"
cmake --build "${build}-native"
# shellcheck source=tools/wine-env.sh
. "$top/tools/wine-env.sh"
rm -rf "$build/test-env"
sorvanda_wine_up "$build/test-env"
status=0
"$top/tools/check-layers.sh" "$build" || status=1
(cd "$build" && ctest --output-on-failure "$@") || status=1
sorvanda_wine_down
(cd "${build}-native" && ctest --output-on-failure -j2 "$@") || status=1
exit $status
