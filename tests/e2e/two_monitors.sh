#!/usr/bin/env bash
# Runs a test program on two monitors side by side: a nested X server
# (Xephyr, shown on the current display) with two screens joined by Xinerama
# (1280 x 1024 at the left, the primary one, and 1024 x 768 beside it) and
# RandR off, so that Wine sees two monitors. The program runs in a Wine prefix
# of its own, whose server knows only these monitors.
#   bash tests/e2e/two_monitors.sh PROGRAM.exe
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export TESSALY_WINEPREFIX="$TESSALY_ROOT/build/wine-monitors-prefix"
# shellcheck source=../../scripts/wine-env.sh
source "$TESSALY_ROOT/scripts/wine-env.sh"

NESTED_PID=""
stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "$NESTED_PID" ]; then kill "$NESTED_PID" 2>/dev/null || true; wait "$NESTED_PID" 2>/dev/null || true; fi
}
trap stop EXIT

for n in $(seq 150 199); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xephyr ":$n" -screen 1280x1024 -screen 1024x768 +xinerama -extension RANDR -nolisten tcp -noreset >/dev/null 2>&1 &
  NESTED_PID=$!
  for _ in $(seq 1 100); do
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break 2
    kill -0 "$NESTED_PID" 2>/dev/null || break
    sleep 0.1
  done
  NESTED_PID=""
done
[ -n "$NESTED_PID" ] || { echo "could not start Xephyr" >&2; exit 1; }
export DISPLAY=":$n"
ensure_test_wine_prefix
"$WINE64" "$1"
