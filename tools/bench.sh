#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine in a throwaway prefix and HOME
# (build/bench-env) and prints one table of ratios. --window adds the window's own scan
# of 20,000 URL-cache entries and of the whole catalog at 1,000 traces an item, each
# against a headless run of the same selection (with the longest animation gap and
# the list's paging); --window-only runs just those.
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
wine "$build/bin/sorvanda-bench.exe" "$@" | tee "$build/bench-env/last.txt" | grep -v '^shred-product-ms'
# GNU shred -n 3 on a file of the same size in the folder the program used
# (Wine's temporary folder), syncing after each pass as it does by default.
product=$(awk '/^shred-product-ms/ {print $2}' "$build/bench-env/last.txt")
if [ -n "$product" ] && command -v shred >/dev/null; then
  tmp=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp "$WINEPREFIX"/drive_c/users/*/Temp 2>/dev/null \
        | head -n1 || true)
  f="$tmp/gnu-shred-bench.bin"
  best=
  for _ in 1 2; do
    dd if=/dev/zero of="$f" bs=1M count=1024 conv=fsync status=none
    t0=$(date +%s%N); shred -n 3 "$f"; t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    { [ -z "$best" ] || [ "$ms" -lt "$best" ]; } && best=$ms
  done
  rm -f "$f"
  awk -v p="$product" -v b="$best" 'BEGIN { printf "%-58s %11.3f %-2s %11.3f %-2s %8.2f\n", "shred, 1024 MiB file, 3 passes, vs GNU shred -n 3 (ms)", p, "ms", b, "ms", p / b }'
fi
