#!/usr/bin/env bash
# Takes the screenshots kept in docs/: the caption tool runs under Wine on a
# private Xvfb display over a desktop picture, and the screen is shot as Wine
# composes it (the X screen itself shows colour-keyed pixels black), once it
# has stopped changing, by tests/e2e/screenshot_driver.cpp.
#
#   bash scripts/screenshots.sh                  # every scene
#   bash scripts/screenshots.sh captions editor  # the named scenes only
#
# A scene is a function scene_NAME that writes docs/NAME.png. The captions
# scene puts the tool's files in a directory (new_scene_directory,
# scripts/caption-files.sh) and shoots the whole screen; the window scenes open
# the settings window or the editor on sample captions and shoot that window,
# driving the tool as the end-to-end tests do (tests/e2e/window_screenshot.cpp).
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

bash scripts/setup.sh
# A prefix of its own with Wine's windows unmanaged, as the tests have it:
# without a window manager, a managed full-screen layered window shows its
# keyed pixels black instead of the desktop beneath.
export TESSALY_WINEPREFIX="${TESSALY_WINEPREFIX:-$TESSALY_ROOT/build/wine-screenshot-prefix}"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
# shellcheck source=caption-files.sh
source scripts/caption-files.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target tessaly tessaly_screenshot tessaly_window_screenshot >/dev/null

WORK="$TESSALY_ROOT/build/screenshots"
rm -rf "$WORK"
mkdir -p "$WORK" docs

cleanup() { wineserver -k 2>/dev/null || true; stop_private_display; }

# Always a display of our own, so nothing else is on the screen.
unset DISPLAY
ensure_display
trap cleanup EXIT
ensure_unmanaged_wine_prefix

# A desktop: a sky gradient, a light document window and a dark task bar, so
# that captions show over dark and light ground alike.
make_desktop() {
  local width height
  read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
  convert -size "${width}x${height}" gradient:'#23507a-#6fa3cf' \
    -fill '#f4f4f2' -draw 'rectangle 620,110 1230,700' \
    -fill '#d6dde6' -draw 'rectangle 620,110 1230,140' \
    -fill '#e4e4e0' -draw 'rectangle 650,560 1200,572' -draw 'rectangle 650,590 1150,602' \
    -draw 'rectangle 650,620 1180,632' -draw 'rectangle 650,650 1000,662' \
    -fill '#1e2228' -draw "rectangle 0,$((height - 40)) $width,$height" \
    -type TrueColor "BMP3:$WORK/desktop.bmp"
}

new_scene_directory() {
  mkdir -p "$WORK/$1"
  echo "$WORK/$1"
}

# A desktop half light and half dark: a white page on the left, a night-blue
# desktop on the right.
make_halved_desktop() {
  local width height
  read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
  convert -size "${width}x${height}" xc:'#101820' \
    -fill '#ffffff' -draw "rectangle 0,0 $((width / 2 - 1)),$height" \
    -type TrueColor "BMP3:$WORK/halved.bmp"
}

# Runs the tool on the scene's files over the desktop (or the picture given) and keeps the shot.
shoot() {
  local name=$1 directory=$2 desktop=${3:-$WORK/desktop.bmp}
  "$WINE64" build/windows/tests/e2e/tessaly_screenshot.exe "Z:$directory" "Z:$desktop" "Z:$WORK/$name.bmp"
  convert "$WORK/$name.bmp" "docs/$name.png"
  echo "docs/$name.png"
}

# Captions over the desktop: transparent and coloured backgrounds, bold,
# italic, underline and strike-out, Chinese and Latin, sizes 8 to 96.
scene_captions() {
  local directory white black
  directory=$(new_scene_directory captions)
  white=$(rgb 255 255 255)
  black=$(rgb 0 0 0)
  captions_reset
  add_caption "Tessaly 字幕" "WenQuanYi Micro Hei" 48 "$white" "$TRANSPARENT" no 1 yes 60 40 no no 1
  add_caption "斜体 Italic on colour" "DejaVu Serif" 24 "$(rgb 30 30 30)" "$(rgb 255 236 150)" no 1 yes 60 180 no no 2
  add_caption "Strike-out 删除线" "DejaVu Sans" 18 "$white" "$(rgb 150 40 40)" no 1 yes 60 270 yes no 0
  add_caption "粗体 Bold 36" "WenQuanYi Micro Hei" 36 "$(rgb 255 220 0)" "$(rgb 30 30 30)" no 1 yes 60 340 no no 1
  add_caption "Size 12 十二号字, transparent" "DejaVu Sans" 12 "$white" "$TRANSPARENT" no 1 yes 60 460 no no 0
  add_caption "粗斜体 Ab 72" "DejaVu Serif" 72 "$white" "$(rgb 0 110 90)" no 1 yes 40 540 no no 3
  add_caption "透明背景 Transparent" "DejaVu Sans" 28 "$(rgb 200 30 30)" "$TRANSPARENT" no 1 yes 650 170 no no 0
  add_caption "Underline 下划线" "WenQuanYi Micro Hei" 20 "$(rgb 0 70 160)" "$TRANSPARENT" no 1 yes 650 260 no yes 0
  add_caption "Size 8 八号字" "DejaVu Sans" 8 "$black" "$(rgb 255 255 255)" no 1 yes 650 350 no no 0
  add_caption "Size 9 九号字, transparent" "WenQuanYi Micro Hei" 9 "$black" "$TRANSPARENT" no 1 yes 650 400 no no 0
  add_caption "Bold italic 16 粗斜" "DejaVu Sans" 16 "$(rgb 90 0 120)" "$TRANSPARENT" no 1 yes 650 450 no no 3
  add_caption "96 字" "WenQuanYi Micro Hei" 96 "$(rgb 255 170 0)" "$TRANSPARENT" no 1 yes 700 740 no no 1
  write_caption_files "$directory"
  shoot captions "$directory"
}

# Outlined and shadowed captions over a light and a dark background: each
# caption stands once over the white half and once over the dark one; the
# last, without an effect, vanishes over the white.
scene_effects() {
  local directory white black yellow half
  directory=$(new_scene_directory effects)
  white=$(rgb 255 255 255)
  black=$(rgb 0 0 0)
  yellow=$(rgb 255 220 0)
  make_halved_desktop
  half=$(( $(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }') / 2 ))
  captions_reset
  local left
  for left in 40 $((half + 40)); do
    add_caption "描边 Outline" "WenQuanYi Micro Hei" 36 "$white" "$TRANSPARENT" no 1 yes "$left" 60 no no 1 2 "$black"
    add_caption "黑字白边 Black, white outline" "DejaVu Sans" 24 "$black" "$TRANSPARENT" no 1 yes "$left" 180 no no 0 2 "$white"
    add_caption "阴影 Shadow" "WenQuanYi Micro Hei" 36 "$white" "$TRANSPARENT" no 1 yes "$left" 280 no no 1 1 "$black"
    add_caption "黄字描边" "WenQuanYi Micro Hei" 72 "$yellow" "$TRANSPARENT" no 1 yes "$left" 400 no no 1 2 "$black"
    add_caption "无效果 No effect" "DejaVu Sans" 24 "$white" "$TRANSPARENT" no 1 yes "$left" 600 no no 0
  done
  write_caption_files "$directory"
  shoot effects "$directory" "$WORK/halved.bmp"
}

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

make_desktop
scenes=("$@")
[ ${#scenes[@]} -gt 0 ] || scenes=(captions effects settings settings_expanded editor)
for scene in "${scenes[@]}"; do
  "scene_$scene"
done
