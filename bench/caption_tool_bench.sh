#!/usr/bin/env bash
# Measures the caption tool against a minimal Win32 program doing the same job
# (bench/baseline_labels.cpp), both under Wine on a private Xvfb display, in
# the same run and interleaved, and prints the ratios:
#   - tick time at N = 10, 100 and 1000 scrolling captions (the tool's real
#     tick in its own process, bench/caption_tick_bench.cpp);
#   - start-up to the first painted caption with 1000 captions;
#   - CPU share while 5 captions scroll (the real tessaly.exe), of the
#     program's process and of the process with wineserver and the X server.
# The machine is shared: every figure is a median over rounds, and every ratio
# the median of the ratios of tool and baseline runs made side by side.
#
#   bash bench/caption_tool_bench.sh [rounds]   (TESSALY_BENCH_CPU_SECONDS=30, TESSALY_BENCH_TICKS_10/100/1000)
set -euo pipefail
TESSALY_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$TESSALY_ROOT"

ROUNDS="${1:-3}"
# Ticks timed per run at each N: under Wine a tick of 1000 labels on a
# layered window takes seconds, in the tool and the baseline alike.
declare -A TICKS=([10]="${TESSALY_BENCH_TICKS_10:-100}" [100]="${TESSALY_BENCH_TICKS_100:-20}" [1000]="${TESSALY_BENCH_TICKS_1000:-5}")
CPU_SECONDS="${TESSALY_BENCH_CPU_SECONDS:-30}"
CPU_ROUNDS="${TESSALY_BENCH_CPU_ROUNDS:-2}"
STARTUP_CAPTIONS=1000
CPU_CAPTIONS=5

bash scripts/setup.sh
export TESSALY_WINEPREFIX="${TESSALY_WINEPREFIX:-$TESSALY_ROOT/build/wine-bench-prefix}"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target tessaly caption_tick_bench baseline_labels >/dev/null

use_private_bench_display
wineserver -p >/dev/null 2>&1  # one server for the whole run: no run pays for starting it

BIN="$TESSALY_ROOT/build/windows"
WORK="$TESSALY_ROOT/build/bench-run"
rm -rf "$WORK"
mkdir -p "$WORK/tool" "$WORK/base"
cp "$BIN/bench/caption_tick_bench.exe" "$BIN/app/tessaly.exe" "$WORK/tool/"
cp "$BIN/bench/baseline_labels.exe" "$WORK/base/"
LOG="$WORK/wine.log"
winpath() { echo "Z:${1//\//\\}"; }

value() { awk -v k="$2" '$1 == k { print $2 }' "$1"; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f\n", a / b; else print "nan" }'; }

# One measurement; $1 tool|base, then the program's arguments before the result file.
measure() {
  local who=$1; shift
  local result="$WORK/result.txt"
  rm -f "$result"
  if [ "$who" = tool ]; then
    (cd "$WORK/tool" && "$WINE64" caption_tick_bench.exe files "$CAPTIONS" &&
      "$WINE64" caption_tick_bench.exe "$@" "$(winpath "$result")") >>"$LOG" 2>&1
  else
    (cd "$WORK/base" && "$WINE64" baseline_labels.exe "${1}" "$CAPTIONS" "${@:2}" "$(winpath "$result")") >>"$LOG" 2>&1
  fi
  cat "$result"
}

declare -A TIMES RATIOS
note() { TIMES[$1]+="$2"$'\n'; }
noteRatio() { RATIOS[$1]+="$2"$'\n'; }

echo "tick times: $ROUNDS rounds of ${TICKS[10]}, ${TICKS[100]} and ${TICKS[1000]} ticks at N = 10, 100, 1000" >&2
for round in $(seq 1 "$ROUNDS"); do
  for CAPTIONS in 10 100 1000; do
    order="tool base"; [ $((round % 2)) = 0 ] && order="base tool"
    declare -A got=()
    for who in $order; do
      got[$who]=$(measure "$who" tick "${TICKS[$CAPTIONS]}" | awk '$1 == "tick_median_ms" { print $2 }')
      note "tick-$CAPTIONS-$who" "${got[$who]}"
    done
    noteRatio "tick-$CAPTIONS" "$(ratio "${got[tool]}" "${got[base]}")"
    echo "  round $round N=$CAPTIONS: tool ${got[tool]} ms, baseline ${got[base]} ms" >&2
  done
done

echo "start-up with $STARTUP_CAPTIONS captions: $((ROUNDS * 2)) rounds" >&2
CAPTIONS=$STARTUP_CAPTIONS
for round in $(seq 1 $((ROUNDS * 2))); do
  order="tool base"; [ $((round % 2)) = 0 ] && order="base tool"
  declare -A got=()
  for who in $order; do
    got[$who]=$(measure "$who" startup | awk '$1 == "first_paint_ms" { print $2 }')
    note "startup-$who" "${got[$who]}"
  done
  noteRatio startup "$(ratio "${got[tool]}" "${got[base]}")"
  echo "  round $round: tool ${got[tool]} ms, baseline ${got[base]} ms" >&2
done

# CPU time in clock ticks: of one process, and of the whole machine's busy time.
CLOCK_TICKS=$(getconf CLK_TCK)
processTicks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
machineTicks() { awk '$1 == "cpu" { print $2 + $3 + $4 + $7 + $8 + $9, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9 }' /proc/stat; }
wineserverPid() {
  local server="/tmp/.wine-$(id -u)/server-$(stat -c '%D' "$WINEPREFIX")-$(stat -c '%i' "$WINEPREFIX" | xargs printf '%x')"
  local pid
  for pid in $(pgrep -x wineserver); do
    [ "$(readlink "/proc/$pid/cwd")" = "$server" ] && { echo "$pid"; return; }
  done
  echo 0
}
SERVER=$(wineserverPid)

# Starts the program, lets it settle, and measures CPU_SECONDS of scrolling.
cpuRun() {
  local who=$1 pid
  if [ "$who" = tool ]; then
    (cd "$WORK/tool" && "$WINE64" caption_tick_bench.exe files $CPU_CAPTIONS) >>"$LOG" 2>&1
    (cd "$WORK/tool" && exec "$WINE64" tessaly.exe) >>"$LOG" 2>&1 &
  else
    (cd "$WORK/base" && exec "$WINE64" baseline_labels.exe run $CPU_CAPTIONS) >>"$LOG" 2>&1 &
  fi
  pid=$!
  sleep 5
  local p0 s0 x0 m0 p1 s1 x1 m1 t0 t1
  t0=$(date +%s.%N); p0=$(processTicks "$pid"); s0=$(processTicks "$SERVER"); x0=$(processTicks "$PRIVATE_XVFB_PID"); m0=$(machineTicks)
  sleep "$CPU_SECONDS"
  t1=$(date +%s.%N); p1=$(processTicks "$pid"); s1=$(processTicks "$SERVER"); x1=$(processTicks "$PRIVATE_XVFB_PID"); m1=$(machineTicks)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v t="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" -v hz="$CLOCK_TICKS" \
      -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v m0="$m0" -v m1="$m1" 'BEGIN {
        split(m0, a, " "); split(m1, b, " ")
        printf "%.3f %.3f %.3f\n", 100 * p / hz / t, 100 * (p + s + x) / hz / t, 100 * (b[1] - a[1]) / (b[2] - a[2])
      }'
}

echo "CPU share with $CPU_CAPTIONS scrolling captions: $CPU_ROUNDS rounds of $CPU_SECONDS s" >&2
for round in $(seq 1 "$CPU_ROUNDS"); do
  order="tool base"; [ $((round % 2)) = 0 ] && order="base tool"
  declare -A got=()
  for who in $order; do
    got[$who]=$(cpuRun "$who")
    read -r process system machine <<<"${got[$who]}"
    note "cpu-process-$who" "$process"; note "cpu-system-$who" "$system"; note "cpu-machine-$who" "$machine"
  done
  read -r tp ts tm <<<"${got[tool]}"; read -r bp bs bm <<<"${got[base]}"
  noteRatio cpu-process "$(ratio "$tp" "$bp")"; noteRatio cpu-system "$(ratio "$ts" "$bs")"; noteRatio cpu-machine "$(ratio "$tm" "$bm")"
  echo "  round $round: tool $tp/$ts/$tm %, baseline $bp/$bs/$bm % (process/with servers/machine)" >&2
done

row() {  # label, key, unit, bar
  local tool base r verdict
  tool=$(printf '%s' "${TIMES[$2-tool]}" | median); base=$(printf '%s' "${TIMES[$2-base]}" | median)
  r=$(printf '%s' "${RATIOS[$2]}" | median)
  verdict=$(awk -v r="$r" -v bar="$4" 'BEGIN { if (bar == "-") print "-"; else print (r <= bar ? "meets" : "MISSES") }')
  printf '%-44s %11.2f %11.2f %8.3f %6s  %s\n' "$1" "$tool" "$base" "$r" "$4" "$verdict"
}
echo
printf '%-44s %11s %11s %8s %6s\n' "measure (median of rounds)" "tool" "baseline" "ratio" "bar"
row "tick, 10 scrolling captions (ms)" tick-10 ms 1.2
row "tick, 100 scrolling captions (ms)" tick-100 ms 1.2
row "tick, 1000 scrolling captions (ms)" tick-1000 ms 1.2
row "start-up to first painted caption, 1000 (ms)" startup ms 1.5
row "CPU, 5 captions: the process (% of a CPU)" cpu-process % 1.2
row "CPU, 5 captions: + wineserver + X (% of a CPU)" cpu-system % 1.2
row "CPU, 5 captions: whole machine (%, shared)" cpu-machine % -
