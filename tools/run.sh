#!/usr/bin/env bash
# Builds the program and starts it under Wine in a throwaway demo prefix and
# HOME (build/demo-env), so nothing of yours is touched. Needs a display.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
export SORVANDA_BUILD=$build
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display. Ormatek Sorvanda is a window program: run this from a desktop session" >&2
  echo "     (DISPLAY set), or under a virtual one, e.g.: xvfb-run -a tools/run.sh" >&2
  exit 1
fi
"$top/tools/setup.sh"
cmake --build "$build" --target OrmatekSorvanda
export SORVANDA_NEED_DISPLAY=0
# shellcheck source=tools/wine-env.sh
. "$top/tools/wine-env.sh"
sorvanda_wine_up "$build/demo-env"
wine "$build/bin/OrmatekSorvanda.exe"
