#!/usr/bin/env bash
# Starts the caption tool under Wine: on the current display, or on a private
# Xvfb display when there is none, in which case a screenshot of the screen is
# written to build/screenshot.png after a few seconds and the program is ended.
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

bash scripts/setup.sh
# shellcheck source=wine-env.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target tessaly >/dev/null

HAD_DISPLAY="${DISPLAY:-}"
ensure_display
trap 'stop_private_display' EXIT
ensure_wine_prefix

EXE="$TESSALY_ROOT/build/windows/app/tessaly.exe"
if [ -n "$HAD_DISPLAY" ]; then
  exec "$WINE64" "$EXE"
fi

"$WINE64" "$EXE" &
PROGRAM=$!
sleep "${TESSALY_SCREENSHOT_DELAY:-5}"
import -window root "$TESSALY_ROOT/build/screenshot.png" && echo "screenshot: build/screenshot.png"
if kill -0 "$PROGRAM" 2>/dev/null; then
  wineserver -k 2>/dev/null || true
  wait "$PROGRAM" 2>/dev/null || true
  echo "tessaly.exe was running; ended after the screenshot"
else
  wait "$PROGRAM" && code=0 || code=$?
  echo "tessaly.exe ended with exit code $code"
fi
