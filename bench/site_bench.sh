#!/usr/bin/env bash
# Times `check` and `site` on the same generated site of many pages (one in
# ten referenced files missing, half the others in another letter case)
# and prints their throughput and its ratio, best of three runs each.
# Usage: site_bench.sh BENCH_BINARY TOOL_BINARY [PAGES] [PAGE_BYTES]
set -euo pipefail
bench=$1
tool=$2
pages=${3:-10000}
bytes=${4:-8192}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" --write-site "$work" "$pages" "$bytes"
total=$(cat "$work"/*.htm | wc -c)

# The shortest of three runs, in seconds.
best() {
  local best=""
  for _ in 1 2 3; do
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    local elapsed
    elapsed=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }')
    if [ -z "$best" ] || awk -v a="$elapsed" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$elapsed
    fi
  done
  echo "$best"
}

check=$(best "$tool" check "$work")
site=$(best "$tool" site "$work")
awk -v pages="$pages" -v bytes="$total" -v c="$check" -v s="$site" 'BEGIN {
  printf "| command | %d pages, %.0f MB: s | MB/s |\n|---|---|---|\n", pages, bytes / 1e6
  printf "| check | %.2f | %.1f |\n| site | %.2f | %.1f |\n", c, bytes / 1e6 / c, s, bytes / 1e6 / s
  printf "\nsite / check throughput: %.2f (target at least 0.7)\n", c / s
}'
