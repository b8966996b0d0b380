#!/usr/bin/env bash
# Checks the layering of the sources (run by the test command after the build):
# - each layer includes only from the layers below it: base (text helpers)
#   from none, model from base, platform from base, exclude from model and
#   platform, scan from exclude, clean from scan, app from clean, ui from
#   everything; app's main also creates the forms;
# - base and model include no system header;
# - only platform and ui call the system: the objects of model, exclude, scan,
#   clean and app import no system function.
# Prints each breach and exits 1 when there is one.
set -u
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${SORVANDA_BUILD:-$top/build}}
status=0
breach() { echo "layering: $*"; status=1; }

# What each layer may include (main.cpp may also include the forms it creates).
declare -A allowed=(
  [base]="base"
  [model]="base model"
  [platform]="base platform"
  [exclude]="base model platform exclude"
  [scan]="base model platform exclude scan"
  [clean]="base model platform exclude scan clean"
  [app]="base model platform exclude scan clean app"
  [ui]="base model platform exclude scan clean app ui"
)
for dir in "${!allowed[@]}"; do
  for f in "$top/src/$dir"/*.{h,cpp}; do
    [ -f "$f" ] || continue
    while read -r layer; do
      [ -z "$layer" ] && continue
      case " ${allowed[$dir]} " in *" $layer "*) continue ;; esac
      [ "$dir/$(basename "$f")" = app/main.cpp ] && [ "$layer" = ui ] && continue
      breach "src/$dir/$(basename "$f") includes from $layer"
    done < <(sed -n 's|^#include "\([a-z]*\)/.*|\1|p' "$f" | sort -u)
  done
done
if grep -Hn '#include <windows' "$top"/src/base/*.{h,cpp} "$top"/src/model/*.{h,cpp}; then
  breach "base or model includes the system's headers"
fi
nm=x86_64-w64-mingw32-nm
for dir in base model exclude scan clean app; do
  for obj in "$build"/CMakeFiles/sorvanda_model.dir/src/$dir/*.obj "$build"/CMakeFiles/sorvanda_core.dir/src/$dir/*.obj \
             "$build"/CMakeFiles/OrmatekSorvanda.dir/src/$dir/*.obj; do
    [ -f "$obj" ] || continue
    calls=$($nm "$obj" | awk '$1 == "U" && $2 ~ /^__imp_/ { sub(/^__imp_/, "", $2); print $2 }' | sort -u | tr '\n' ' ')
    [ -n "$calls" ] && breach "src/$dir/$(basename "$obj" .obj) calls the system itself: $calls"
  done
done
[ $status = 0 ] && echo "layering: each layer includes only the layers below it; base, model, exclude, scan, clean and app call the system only through platform and ui"
exit $status
