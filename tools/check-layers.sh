#!/usr/bin/env bash
# Checks the layering of the sources (run by the test command after the build):
# - model, exclude and scan include no window header;
# - app includes from ui only the forms its main creates;
# - only platform and ui call the system: the objects of model, exclude, scan,
#   clean and app import no system function.
# Prints each breach and exits 1 when there is one.
set -u
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${SORVANDA_BUILD:-$top/build}}
status=0
breach() { echo "layering: $*"; status=1; }

for dir in model exclude scan; do
  grep -Hn '#include "ui/' "$top/src/$dir"/*.{h,cpp} 2>/dev/null | while read -r line; do
    echo "layering: $dir includes a window header: ${line#$top/}"
  done | grep . && status=1
done
for f in "$top"/src/app/*.{h,cpp}; do
  [ "$(basename "$f")" = main.cpp ] && continue
  if grep -Hn '#include "ui/' "$f"; then breach "src/app/$(basename "$f") includes a window header"; fi
done
nm=x86_64-w64-mingw32-nm
for dir in model exclude scan clean app; do
  for obj in "$build"/CMakeFiles/sorvanda_model.dir/src/$dir/*.obj "$build"/CMakeFiles/sorvanda_core.dir/src/$dir/*.obj \
             "$build"/CMakeFiles/OrmatekSorvanda.dir/src/$dir/*.obj; do
    [ -f "$obj" ] || continue
    calls=$($nm "$obj" | awk '$1 == "U" && $2 ~ /^__imp_/ { sub(/^__imp_/, "", $2); print $2 }' | sort -u | tr '\n' ' ')
    [ -n "$calls" ] && breach "src/$dir/$(basename "$obj" .obj) calls the system itself: $calls"
  done
done
[ $status = 0 ] && echo "layering: model, exclude, scan, clean and app call the system only through platform and ui"
exit $status
