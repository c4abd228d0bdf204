#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the Windows and native
# builds, and runs ctest with the Windows test programs under Wine on an Xvfb
# display (started here when DISPLAY is unset).
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

bash scripts/setup.sh
# The tests run in a prefix of their own (see ensure_test_wine_prefix).
export TESSALY_WINEPREFIX="${TESSALY_WINEPREFIX:-$TESSALY_ROOT/build/wine-test-prefix}"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
# The release package, which the suite unpacks and starts (release_package_tests).
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"

ensure_display
trap 'wineserver -k 2>/dev/null || true; stop_private_display' EXIT
ensure_test_wine_prefix

ctest --test-dir build/windows --output-on-failure --timeout 600 "$@"
