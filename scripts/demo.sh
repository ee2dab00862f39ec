#!/usr/bin/env bash
# Builds htmlmemdoc, checks the bundled example pages and shows a round
# trip: an example page read and written back in the library's layout.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target htmlmemdoc_tool -j2 >/dev/null
tool=build/default/tools/htmlmemdoc
$tool check examples/*.htm
echo
echo "== examples/welcome.htm, read and written back =="
$tool render examples/welcome.htm --base examples/welcome.htm
echo
echo "== the files it refers to =="
$tool files examples/welcome.htm
