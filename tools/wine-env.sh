# Sourced by the run and test commands: a throwaway Wine prefix and HOME, a
# display when there is none, and a persistent wineserver. Call sorvanda_wine_up
# PREFIX_DIR, and sorvanda_wine_down when done (a trap does it on exit).

sorvanda_wine_up() {
  local base=$1
  export WINEPREFIX=$base/wineprefix
  export HOME=$base/home
  export XDG_DATA_HOME=$HOME/.local/share      # Wine's recycle bin is the Unix trash here
  export XDG_CONFIG_HOME=$HOME/.config
  export XDG_CACHE_HOME=$HOME/.cache
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  mkdir -p "$HOME" "$XDG_DATA_HOME"
  SORVANDA_XVFB_PID=
  if [ -z "${DISPLAY:-}" ] && [ "${SORVANDA_NEED_DISPLAY:-1}" = 1 ]; then
    local n=91
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 "${SORVANDA_SCREEN:-1280x800}x24" -nolisten tcp >/dev/null 2>&1 &
    SORVANDA_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1 || true
  fi
  wineserver -p >/dev/null 2>&1 || true    # stays up while the tests run
  # Start the prefix's helper services now, detached from our output, so that
  # they never hold a caller's pipe open.
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
  if [ -n "$SORVANDA_XVFB_PID" ]; then
    # Our own display has no window manager; unmanaged windows hide at once
    # instead of waiting two seconds for one.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  fi
  trap sorvanda_wine_down EXIT
}

sorvanda_wine_down() {
  # Only what this script started: the prefix's own wineserver and our Xvfb.
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  if [ -n "${SORVANDA_XVFB_PID:-}" ]; then
    kill "$SORVANDA_XVFB_PID" 2>/dev/null || true
    wait "$SORVANDA_XVFB_PID" 2>/dev/null || true
    SORVANDA_XVFB_PID=
  fi
}
