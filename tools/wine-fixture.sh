#!/usr/bin/env bash
# Starts or stops the Wine environment of one Windows test run:
#   wine-fixture.sh start STATE_DIR [LOADER]
#                                     - a fresh WINEPREFIX, a persistent
#                                       wineserver and an Xvfb display; the
#                                       programs run with LOADER (default
#                                       wine64; /usr/lib/wine/wine for 32-bit
#                                       ones), which env exports as RAVELIN_WINE
#   wine-fixture.sh stop STATE_DIR    - ends what start started, nothing else
# The emulator script (wine-run.sh) reads STATE_DIR/env to join them.
set -euo pipefail
action=$1
mkdir -p "$2"
state=$(cd "$2" && pwd)  # Wine wants an absolute prefix
wine_bin=/usr/lib/wine
case "$action" in
start)
  "$0" stop "$state" || true
  mkdir -p "$state"
  prefix=$state/prefix
  rm -rf "$prefix"
  # Pick a free display number.
  display=""
  for n in $(seq 90 150); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
  done
  [ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 1 50); do [ -e /tmp/.X11-unix/X$display ] && break; sleep 0.1; done
  cat >"$state/env" <<ENV
export WINEPREFIX='$prefix'
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export DISPLAY=':$display'
export RAVELIN_WINE='${3:-$wine_bin/wine64}'
ENV
  . "$state/env"
  "$wine_bin/wine64" wineboot -u >"$state/wineboot.log" 2>&1
  "$wine_bin/wineserver" -w
  # A persistent server makes each later process start in a fraction of a second.
  # Its output goes to a log: CTest waits for every holder of a test's
  # pipes, and this server outlives the start step.
  "$wine_bin/wineserver" -p </dev/null >"$state/wineserver.log" 2>&1
  # Wine's services start with the first program and then live as long as
  # the server; start them here so that they hold the log, not a test's pipes.
  "$wine_bin/wine64" wineboot </dev/null >>"$state/wineboot.log" 2>&1
  echo "Wine prefix $prefix ready on display :$display"
  ;;
stop)
  [ -d "$state" ] || exit 0
  if [ -f "$state/env" ]; then
    . "$state/env"
    "$wine_bin/wineserver" -k 2>/dev/null || true
  fi
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  rm -f "$state/env"
  ;;
*)
  echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
