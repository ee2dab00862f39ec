#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each for
# SECONDS (default 60), starting from the committed seed corpus; a finding
# stops the run with the crashing input saved under build/fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/setup.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_reader fuzz_attributes fuzz_style fuzz_layers fuzz_body_frames fuzz_primitives fuzz_page_model fuzz_style_edits fuzz_export_page)
mkdir -p build/fuzz/findings
failed=0
for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target, ${seconds}s"
  if build/fuzz/fuzz/$target "$corpus" fuzz/corpus/$target \
      -dict=fuzz/htmlmemdoc.dict -max_total_time="$seconds" -max_len=16384 \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix=build/fuzz/findings/$target- \
      >build/fuzz/$target.log 2>&1; then
    grep -E '^stat::(number_of_executed_units|new_units_added)|cov:' \
      build/fuzz/$target.log | tail -3
  else
    failed=$((failed + 1))
    echo "FINDING in $target:"
    tail -40 build/fuzz/$target.log
  fi
done
total=${#targets[@]}
echo "$((total - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
