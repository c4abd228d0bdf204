# Sourced by the scripts that run Windows programs: the project's own Wine
# prefix and the settings that make Wine use code page 936 quietly.
: "${TESSALY_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${TESSALY_WINEPREFIX:-$TESSALY_ROOT/build/wine-prefix}"
export WINEDEBUG=-all
# No menu builder: a shortcut saved in the Startup folder (the tray menu's
# "开机启动") would otherwise become a launcher in this machine's own desktop menu.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
# LC_ALL, not LANG: Wine derives its ANSI code page from it even where the
# locale is not installed, and falls back to code page 1252 without it.
# TESSALY_LOCALE=C.UTF-8 runs a program as on a Western Windows (code page 1252).
export LC_ALL="${TESSALY_LOCALE:-zh_CN.UTF-8}"
export WINE64=/usr/lib/wine/wine64

ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot --init >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}

# Prefixes that run under Xvfb keep Wine's windows unmanaged: without a
# window manager, Wine otherwise waits about two seconds for one whenever a
# framed window goes away, and a managed full-screen layered window shows its
# keyed pixels black. The prefix that runs the tool for people stays managed.
ensure_unmanaged_wine_prefix() {
  ensure_wine_prefix
  if [ ! -f "$WINEPREFIX/.tessaly-unmanaged" ]; then
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
    touch "$WINEPREFIX/.tessaly-unmanaged"
  fi
}

# The test prefix is unmanaged too. Fonts are smoothed, as in any fresh
# prefix, whatever the machine: painting tests hold with smoothing on, and a
# test of unsmoothed drawing can fail. A program that crashes under test ends
# at once instead of waiting behind Wine's crash dialog for someone to close it.
ensure_test_wine_prefix() {
  ensure_unmanaged_wine_prefix
  local marker="$WINEPREFIX/.tessaly-test-settings-2"
  if [ ! -f "$marker" ]; then
    "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /t REG_SZ /d 2 /f >/dev/null 2>&1 || true
    "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
    touch "$marker"
  fi
}

# Starts Xvfb on a free display when none is set; the caller stops it with
# stop_private_display.
PRIVATE_XVFB_PID=""
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    PRIVATE_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$PRIVATE_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_private_display() {
  if [ -n "$PRIVATE_XVFB_PID" ]; then
    kill "$PRIVATE_XVFB_PID" 2>/dev/null || true
    wait "$PRIVATE_XVFB_PID" 2>/dev/null || true
  fi
}

# A benchmark's display of its own: nothing else draws on it, and its X
# server's CPU time is the benchmark's to read. Ends with the script.
use_private_bench_display() {
  unset DISPLAY
  ensure_display
  trap 'wineserver -k 2>/dev/null || true; stop_private_display' EXIT
  ensure_unmanaged_wine_prefix
}
