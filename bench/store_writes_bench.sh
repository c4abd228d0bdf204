#!/usr/bin/env bash
# Measures how often the caption tool writes its configuration file while 5
# captions scroll: the tool's real ticks in its own process
# (bench/caption_tick_bench.cpp), driven every 20 ms as the timer runs them,
# against the writes the program directory reports meanwhile. The ticks per
# minute are the baseline measured in the same run: a store that writes the
# places at every tick, as the tool once did, writes that often.
#
#   bash bench/store_writes_bench.sh [ticks]   (default 3000, a minute at 50 ticks a second)
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

TICKS="${1:-3000}"
CAPTIONS=5

bash scripts/setup.sh
export TESSALY_WINEPREFIX="${TESSALY_WINEPREFIX:-$TESSALY_ROOT/build/wine-bench-prefix}"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target caption_tick_bench >/dev/null

use_private_bench_display

WORK="$TESSALY_ROOT/build/bench-writes"
rm -rf "$WORK"
mkdir -p "$WORK"
cp "$TESSALY_ROOT/build/windows/bench/caption_tick_bench.exe" "$WORK/"
RESULT="$WORK/result.txt"
(cd "$WORK" && "$WINE64" caption_tick_bench.exe files "$CAPTIONS" &&
  "$WINE64" caption_tick_bench.exe writes "$TICKS" "Z:${RESULT//\//\\}") >>"$WORK/wine.log" 2>&1

value() { awk -v k="$1" '$1 == k { print $2 }' "$RESULT"; }
printf '%-52s %12s\n' "measure, $CAPTIONS scrolling captions, $TICKS ticks" "value"
printf '%-52s %12.1f\n' "ticks per minute (writes of a store writing every tick)" "$(value ticks_per_minute)"
printf '%-52s %12.1f\n' "configuration file writes per minute" "$(value writes_per_minute)"
printf '%-52s %12.0f\n' "writes in the run" "$(value writes)"
awk -v w="$(value writes_per_minute)" -v t="$(value ticks_per_minute)" \
  'BEGIN { printf "%-52s %12.4f\n", "ratio of writes to ticks", (t > 0 ? w / t : 0) }'
