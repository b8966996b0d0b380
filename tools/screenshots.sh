#!/usr/bin/env bash
# Takes screenshots of the splash window, the four pages (the Scan page also
# with every browser's category), the About box, a scan
# under way and the results of one (folded, and with today's browsers open), the
# results after a partial clean, on a private Xvfb display, and writes them to
# shots/ (PNG, cropped to the window). SHOTS="scan about" takes only those.
# "question" is what Clean asks first, "modify" the Exclude page after a
# Modify, "sorted" Chrome's cache rows of two profiles sorted by name, "moved"
# the browsers' results after the window moved to a monitor of half as many
# dots per inch again. DPI=144 (or 192) shows the window at that many dots per
# inch, on a larger screen, and names the pictures <what>-<dpi>.png.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
export SORVANDA_BUILD=$build
"$top/tools/setup.sh"
cmake --build "$build" --target sorvanda-shots
unset DISPLAY
dpi=${DPI:-96}
screen_w=1280 screen_h=800
if [ "$dpi" != 96 ]; then screen_w=2048 screen_h=1400; fi
export SORVANDA_SCREEN=${screen_w}x${screen_h}
# shellcheck source=tools/wine-env.sh
. "$top/tools/wine-env.sh"
sorvanda_wine_up "$build/shots-env"
# The prefix's dots per inch, as the display settings set them; the server reads them as it starts.
if ! wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null | grep -qi "0x$(printf %x "$dpi")\b"; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p >/dev/null 2>&1 || true
fi
suffix=; [ "$dpi" != 96 ] && suffix=-$dpi
out=$top/shots
mkdir -p "$out"
IM=$(command -v convert-im6.q16 || echo /usr/bin/convert)
IMPORT=$(command -v import-im6.q16 || echo /usr/bin/import)
ready=$build/shots-env/ready
# The Z: drive is Wine's view of the Unix root.
export SORVANDA_SHOT_READY="Z:${ready//\//\\}"
for what in ${SHOTS:-splash scan tree result exclude advanced about scanning results browsers cleaned question modify sorted moved}; do
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
  # The window (740 x 519 at 96 dpi; "moved" at half as much again) is centred;
  # the pictures are cut to it with a margin of 10.
  shown=$dpi; [ "$what" = moved ] && shown=$(( dpi * 3 / 2 ))
  win_w=$(( 740 * shown / 96 )) win_h=$(( 519 * shown / 96 ))
  crop="$(( win_w + 20 ))x$(( win_h + 21 ))+$(( (screen_w - win_w) / 2 - 10 ))+$(( (screen_h - win_h) / 2 - 10 ))"
  "$IM" "$out/full-$what.png" -crop "$crop" +repage "$out/$what$suffix.png"
  rm -f "$out/full-$what.png"
  echo "shots/$what$suffix.png"
done
