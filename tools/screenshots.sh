#!/usr/bin/env bash
# Takes screenshots of the splash window, the four pages (the Scan page also
# with every browser's category), the About box, a scan
# under way and the results of one (folded, and with today's browsers open), the
# results after a partial clean, on a private Xvfb display, and writes them to
# shots/ (PNG, cropped to the window). SHOTS="scan about" takes only those.
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
ready=$build/shots-env/ready
# The Z: drive is Wine's view of the Unix root.
export SORVANDA_SHOT_READY="Z:${ready//\//\\}"
for what in ${SHOTS:-splash scan tree result exclude advanced about scanning results browsers cleaned}; do
  rm -f "$ready"
  wine "$build/bin/sorvanda-shots.exe" "$what" 2 </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1200); do [ -e "$ready" ] && break; sleep 0.1; done
  sleep 0.3
  "$IMPORT" -window root "$out/full-$what.png"
  # It ends by itself two seconds later (and puts back what it changed).
  for _ in $(seq 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # The windows are centred on the 1280 x 800 screen.
  "$IM" "$out/full-$what.png" -crop 760x540+260+130 +repage "$out/$what.png"
  rm -f "$out/full-$what.png"
  echo "shots/$what.png"
done
