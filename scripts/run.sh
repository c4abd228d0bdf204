#!/usr/bin/env bash
# Starts the caption tool under Wine from a program directory that the user
# keeps ($TESSALY_HOME, by default ~/Tessaly): the built tessaly.exe is copied
# there, and when the directory has no caption files yet a few sample
# captions are put there first. The tool keeps its files beside itself, so
# that directory is where they are edited.
#
# With a display, the tool runs until it is ended from its tray icon. Without
# one, it runs on a private Xvfb display, a screenshot of the screen is
# written to build/screenshot.png after a few seconds and the tool is ended.
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

bash scripts/setup.sh
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
# shellcheck source=caption-files.sh
source scripts/caption-files.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target tessaly >/dev/null

PROGRAM_DIRECTORY="${TESSALY_HOME:-$HOME/Tessaly}"
mkdir -p "$PROGRAM_DIRECTORY"
cp "$TESSALY_ROOT/build/windows/app/tessaly.exe" "$PROGRAM_DIRECTORY/tessaly.exe"

# Four captions: one standing, two scrolling in different directions, one on
# a transparent background; Chinese and Latin.
put_sample_captions() {
  captions_reset
  add_caption "Tessaly 字幕" "WenQuanYi Micro Hei" 36 "$(rgb 255 255 255)" "$(rgb 32 96 160)" no 1 yes 80 80 no no 1
  add_caption "从右向左滚动 Scrolling right to left" "WenQuanYi Micro Hei" 20 "$(rgb 255 230 120)" "$(rgb 60 60 60)" yes 2 yes 600 300 no no 0
  add_caption "Top to bottom 从上到下" "DejaVu Sans" 16 "$(rgb 20 20 20)" "$(rgb 250 250 210)" yes 3 yes 200 420 no yes 0
  add_caption "透明背景 Transparent background" "DejaVu Serif" 28 "$(rgb 255 255 255)" "$TRANSPARENT" no 1 yes 80 200 no no 3
  write_caption_files "$PROGRAM_DIRECTORY"
}

if [ ! -e "$PROGRAM_DIRECTORY/字幕.ini" ] && [ ! -e "$PROGRAM_DIRECTORY/配置.ini" ]; then
  put_sample_captions
  echo "sample captions written"
fi
echo "program directory: $PROGRAM_DIRECTORY"
echo "  字幕.ini holds the caption texts, 配置.ini how each looks and moves, 程序.ini the settings"
echo "  (GBK text, one line per caption); the tray icon's menu opens the settings window"

HAD_DISPLAY="${DISPLAY:-}"
ensure_display
trap 'stop_private_display' EXIT
ensure_wine_prefix

cd "$PROGRAM_DIRECTORY"
if [ -n "$HAD_DISPLAY" ]; then
  exec "$WINE64" tessaly.exe
fi

"$WINE64" tessaly.exe &
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
