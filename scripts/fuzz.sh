#!/usr/bin/env bash
# Runs the fuzz targets for a bounded time each over their seed corpus and
# regression inputs, and prints executions and seconds per target. The suite
# runs each for a few seconds; a long run is
#     bash scripts/fuzz.sh --build --seconds 600
# Inputs that break a target land in build/windows/fuzz/artifacts/; copy one
# into tests/fuzz/regressions/TARGET/ so that every later run replays it.
# Usage: fuzz.sh [--build] [--seconds N] [TARGET...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
fuzz_dir="$root/build/windows/fuzz"
seconds=600
build=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --build) build=1; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ "$build" = 1 ]; then
  bash "$root/scripts/setup.sh"
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target fuzz_build -j2
fi
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(sed -n 's/^  \([a-z_]*\) .*#.*/\1/p' "$root/cmake/FuzzTargets.cmake"))
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p "$fuzz_dir/artifacts"
# Each run works on copies of the targets and logs of its own: a suite run
# may rebuild and run the same targets while a long run goes on.
run_dir="$fuzz_dir/run-$$"
mkdir -p "$run_dir"
trap 'rm -rf "$run_dir"' EXIT
status=0
for target in "${targets[@]}"; do
  corpus="$fuzz_dir/corpus/$target"
  mkdir -p "$corpus"
  inputs=("$corpus" "$fuzz_dir/build/tests/fuzz/seeds/$target")
  [ -d "$root/tests/fuzz/regressions/$target" ] && inputs+=("$root/tests/fuzz/regressions/$target")
  log="$run_dir/$target.log"
  cp "$fuzz_dir/build/tests/fuzz/${target}_fuzz" "$run_dir/"
  if "$run_dir/${target}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$fuzz_dir/artifacts/$target-" "${inputs[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    echo "$target: ${runs:-?} executions in ${took:-?} s, corpus $(ls "$corpus" | wc -l) inputs"
  else
    status=1
    cp "$log" "$fuzz_dir/$target-failed.log"
    echo "$target: FAILED (see $fuzz_dir/$target-failed.log)"
    grep -E 'ERROR|fuzz check failed|runtime error|Test unit written' "$log" | head -5
  fi
done
exit $status
