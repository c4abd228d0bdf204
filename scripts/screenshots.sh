#!/usr/bin/env bash
# Takes the screenshots kept in docs/: the caption tool runs under Wine on a
# private Xvfb display, and each shot is taken as Wine composes the screen
# (the X screen itself shows the full-screen display window's colour-keyed
# pixels black) by a program that drives the tool as the end-to-end tests do.
#
#   bash scripts/screenshots.sh                      # every scene
#   bash scripts/screenshots.sh settings editor      # the named scenes only
#
# A scene is a function scene_NAME that writes docs/NAME.png.
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

bash scripts/setup.sh
# A prefix of its own with Wine's windows unmanaged, as the tests have it:
# Xvfb has no window manager, and unmanaged windows get Wine's own frames.
export TESSALY_WINEPREFIX="${TESSALY_WINEPREFIX:-$TESSALY_ROOT/build/wine-screenshot-prefix}"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target tessaly tessaly_window_screenshot >/dev/null

WORK="$TESSALY_ROOT/build/screenshots"
mkdir -p "$WORK" docs

cleanup() { wineserver -k 2>/dev/null || true; stop_private_display; }

# Always a display of our own, so nothing else is on the screen.
unset DISPLAY
ensure_display
trap cleanup EXIT
ensure_unmanaged_wine_prefix

# Wine draws the buttons of a window's caption bar with its own symbol font,
# Marlett, which Debian keeps in the package fonts-wine; without it they read
# "0", "1" and "r". Only this prefix gets it, taken from the package file, so
# the system and the tests keep exactly the fonts that setup.sh installs.
provide_marlett() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" packages="$TESSALY_ROOT/build/fonts-wine"
  [ -f "$fonts/marlett.ttf" ] && return 0
  mkdir -p "$fonts" "$packages"
  if ! compgen -G "$packages/fonts-wine_*.deb" >/dev/null; then
    (cd "$packages" && apt-get download fonts-wine >/dev/null 2>&1)
  fi
  dpkg-deb --fsys-tarfile "$(compgen -G "$packages/fonts-wine_*.deb" | head -n 1)" |
    tar -xO ./usr/share/wine/fonts/marlett.ttf > "$fonts/marlett.ttf"
}
provide_marlett

# Opens one of the tool's windows on sample captions and keeps its picture.
shoot_window() {
  local name=$1 scene=$2
  "$WINE64" build/windows/tests/e2e/tessaly_window_screenshot.exe "$scene" "Z:$WORK/$name.bmp"
  convert "$WORK/$name.bmp" "docs/$name.png"
  echo "docs/$name.png"
}

# The settings window as the tray menu opens it: the caption list and its buttons.
scene_settings() { shoot_window settings settings; }

# The settings window widened by its button "设置": transparency, speed, hotkeys.
scene_settings_expanded() { shoot_window settings-expanded settings-expanded; }

# The caption editor on a caption, from the list's menu "设置".
scene_editor() { shoot_window editor editor; }

scenes=("$@")
[ ${#scenes[@]} -gt 0 ] || scenes=(settings settings_expanded editor)
for scene in "${scenes[@]}"; do
  "scene_$scene"
done
