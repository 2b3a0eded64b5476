#!/usr/bin/env bash
# Runs the benchmarks with repetitions and prints median CPU times and the ratios the
# speed targets are about (bench/summarise.py).
#
#   bench/run.sh [BUILD_DIR] [BENCHMARK_FILTER]    (default build/native, all)
#
# Environment: REPETITIONS (default 9). The machine is shared: medians of CPU time are
# steadier than single runs, and callgrind counts (bench/profile.sh) steadier still.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/native}"
filter="${2:-.}"
repetitions="${REPETITIONS:-9}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
for program in measure_bench picture_bench load_cycle_bench; do
  if [ ! -x "$build/bench/$program" ]; then
    echo "run: $build/bench/$program is not built (cmake --build --preset native)" >&2
    exit 2
  fi
  "$build/bench/$program" --benchmark_filter="$filter" \
    --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/$program.json" --benchmark_out_format=json \
    >/dev/null 2>"$out/$program.log" || { cat "$out/$program.log" >&2; exit 1; }
done
python3 bench/summarise.py "$out"/*.json
