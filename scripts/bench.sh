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

# The Python package reading on one thread and on two, installed in a
# virtual environment of its own (Debian's Python and build tools, nothing
# fetched; scripts/setup.sh python installs them).
python=/usr/bin/python3
if "$python" -c "import pybind11, setuptools, venv" 2>/dev/null; then
  venv=build/bench/python
  [ -x "$venv/bin/python" ] || "$python" -m venv --system-site-packages "$venv"
  "$venv/bin/pip" install --quiet --no-build-isolation --no-index ./python
  page=$(mktemp --suffix=.htm)
  trap 'rm -f "$page"' EXIT
  build/bench/bench/htmlmemdoc_bench --write-shape page 1048576 "$page"
  # Run from elsewhere, so the source tree's package does not stand in.
  root=$PWD
  (cd /tmp && "$root/$venv/bin/python" "$root/bench/python_threads.py" "$page")
fi


# The tool on every command and shape against the library, and the editor:
# the server's time for a change on the 1 MB page and a save beside
# `render -o`, then opening, dragging and frames in headless Chromium (the
# browser suite's packages: scripts/setup.sh browser).
bench/tool_scaling.sh build/bench/bench/htmlmemdoc_bench build/bench/tools/htmlmemdoc
if [ -d tests/browser/node_modules/playwright-core ] && command -v chromium >/dev/null; then
  editor_page=$(mktemp --suffix=.htm)
  build/bench/bench/htmlmemdoc_bench --write-shape page 1048576 "$editor_page"
  node bench/editor_changes.mjs build/bench/tools/htmlmemdoc "$editor_page"
  rm -f "$editor_page"
  bench/editor_latency.sh build/bench
fi
