#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; the last lines are the
# summary table (Markdown) with the ratios of the performance targets.
# Extra arguments go to Google Benchmark (say --benchmark_filter=BM_Read).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
# Nine interleaved repetitions of each benchmark; the table keeps the best
# of each, so a ratio compares two runs that were both least disturbed.
build/bench/bench/htmlmemdoc_bench --benchmark_min_time=0.2 \
  --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=false "$@"
