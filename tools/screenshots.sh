#!/usr/bin/env bash
# Takes screenshots of the splash window, the four pages and the About box on a
# private Xvfb display and writes them to shots/ (PNG, cropped to the window).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
export SORVANDA_BUILD=$build
"$top/tools/setup.sh"
cmake --build "$build" --target sorvanda-shots
unset DISPLAY
# shellcheck source=tools/wine-env.sh
. "$top/tools/wine-env.sh"
sorvanda_wine_up "$build/shots-env"
out=$top/shots
mkdir -p "$out"
IM=$(command -v convert-im6.q16 || echo /usr/bin/convert)
IMPORT=$(command -v import-im6.q16 || echo /usr/bin/import)
for what in splash scan result exclude advanced about; do
  wine "$build/bin/sorvanda-shots.exe" "$what" 4 </dev/null >/dev/null 2>&1 &
  pid=$!
  sleep 3
  "$IMPORT" -window root "$out/full-$what.png"
  wait "$pid" || true
  # The windows are centred on the 1280 x 800 screen.
  "$IM" "$out/full-$what.png" -crop 760x540+260+130 +repage "$out/$what.png"
  rm -f "$out/full-$what.png"
  echo "shots/$what.png"
done
