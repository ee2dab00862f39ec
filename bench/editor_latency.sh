#!/usr/bin/env bash
# The editor's latency on pages of 1,000 and 8,000 layers (see
# editor_latency.mjs), with the tool of BUILD_DIR (build/default unless
# given). Needs the browser suite's packages (scripts/setup.sh browser).
# Usage: bench/editor_latency.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/default}/tools/htmlmemdoc
site=$(mktemp -d)
trap 'rm -rf "$site"' EXIT
for layers in 1000 8000; do
  node "$root/bench/editor_latency.mjs" "$tool" "$site" "$layers"
done
