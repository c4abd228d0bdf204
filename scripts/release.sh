#!/usr/bin/env bash
# Builds the release a Windows user downloads: a stripped Release build of
# tessaly.exe packed with its user guide, licence and version note into
# build/release/tessaly-<version>-win64.zip. Installs what is missing first.
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" >/dev/null
ls build/release/tessaly-*-win64.zip
