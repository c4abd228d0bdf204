#!/usr/bin/env bash
# Builds and runs one Windows benchmark under Wine, on a private Xvfb display
# when none is set, in the test prefix (Wine's windows unmanaged):
#   bash bench/wine_bench.sh TARGET
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"
target=$1

export TESSALY_WINEPREFIX="${TESSALY_WINEPREFIX:-$TESSALY_ROOT/build/wine-test-prefix}"
# shellcheck source=../scripts/wine-env.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target "$target" >/dev/null

ensure_display
trap 'wineserver -k 2>/dev/null || true; stop_private_display' EXIT
ensure_unmanaged_wine_prefix

"$WINE64" "build/windows/bench/$target.exe"
