#!/usr/bin/env bash
# Builds the program and starts it under Wine in a throwaway demo prefix and
# HOME (build/demo-env), seeded with sample traces for all 136 catalog items,
# and a small rule file of the community's kind (tools/demo-winapp2.ini) beside
# the demo's copy of the program with traces for its entries, so a scan finds
# something in every category and nothing of yours is touched.
#
#   tools/run.sh                 the demo (sample traces made afresh each time)
#   tools/run.sh --own-prefix    your own Wine prefix ($WINEPREFIX, else ~/.wine), no samples
#
# Without a display it scans with the headless front end and prints what it finds.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
export SORVANDA_BUILD=$build
own=0
case "${1:-}" in
  --own-prefix) own=1 ;;
  "") ;;
  *) echo "usage: tools/run.sh [--own-prefix]" >&2; exit 2 ;;
esac
"$top/tools/setup.sh"
cmake --build "$build" --target OrmatekSorvanda sorvanda-cli sorvanda-seed

if [ "$own" = 1 ]; then
  export WINEDEBUG=${WINEDEBUG:--all}
  app=$build/bin
  echo "run: using your own Wine prefix ${WINEPREFIX:-$HOME/.wine}"
else
  export SORVANDA_NEED_DISPLAY=0
  # shellcheck source=tools/wine-env.sh
  . "$top/tools/wine-env.sh"
  sorvanda_wine_up "$build/demo-env"
  # The demo's copy of the program keeps its exclusion list in the demo folder.
  app=$build/demo-env/app
  mkdir -p "$app"
  cp "$build/bin/OrmatekSorvanda.exe" "$build/bin/sorvanda-cli.exe" "$app/"
  # The help beside the program: its pages (which Help opens in the desktop's browser under
  # Wine) and the compiled file, when the build made one.
  rm -rf "$app/help" && cp -r "$top/res/help" "$app/help"
  if [ -f "$build/package/Ormatek Sorvanda.chm" ]; then cp "$build/package/Ormatek Sorvanda.chm" "$app/"; fi
  echo "run: making sample traces in the demo prefix $WINEPREFIX"
  wine "$build/bin/sorvanda-seed.exe" --count 3 | sed 's/^/  /'
  # The demo's rules, and what their programs would have left.
  cp "$top/tools/demo-winapp2.ini" "$app/winapp2.ini"
  appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
  mkdir -p "$appdata/PictureView/Thumbs" "$appdata/PictureView/Logs"
  for f in holiday.thumb beach.thumb index.db; do printf 'thumbnail' > "$appdata/PictureView/Thumbs/$f"; done
  printf 'started' > "$appdata/PictureView/Logs/viewer.log"
  wine reg add 'HKCU\Software\SampleTunes\Recent' /v File1 /d 'C:\Music\concert.mp3' /f >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\SampleTunes' /v LastFolder /d 'C:\Music' /f >/dev/null 2>&1 || true
  echo "  community rules: tools/demo-winapp2.ini beside the program, with traces for its two entries"
fi

if [ -n "${DISPLAY:-}" ]; then
  wine "$app/OrmatekSorvanda.exe"
  exit 0
fi
echo
echo "run: no display, so here is what a scan finds (the headless front end; nothing is changed):"
echo
wine "$app/sorvanda-cli.exe" scan
echo
echo "To open the window, run this from a desktop session (DISPLAY set), or on a virtual"
echo "display: xvfb-run -a tools/run.sh  (then look at it with, for example, import -window root shot.png)."
