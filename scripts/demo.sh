#!/usr/bin/env bash
# Builds htmlmemdoc and runs the tool on the bundled example pages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target htmlmemdoc_tool -j2 >/dev/null
build/default/tools/htmlmemdoc check examples/*.htm
