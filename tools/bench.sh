#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine in a throwaway prefix and HOME
# (build/bench-env) and prints one table of ratios. --window adds the window's own scan
# of 20,000 URL-cache entries (responsiveness and list paging).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
export SORVANDA_BUILD=$build
"$top/tools/setup.sh"
cmake --build "$build" --target sorvanda-bench
# shellcheck source=tools/wine-env.sh
. "$top/tools/wine-env.sh"
sorvanda_wine_up "$build/bench-env"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(wine --version)"
wine "$build/bin/sorvanda-bench.exe" "$@"
