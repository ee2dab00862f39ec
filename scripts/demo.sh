#!/usr/bin/env bash
# Builds htmlmemdoc and shows it on the bundled example pages: checks them
# all (one has a deliberate syntax error), shows what it reads from the
# full layout page, writes that page back, and lists the files it uses.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target htmlmemdoc_tool -j2 >/dev/null
tool=build/default/tools/htmlmemdoc
echo "== htmlmemdoc check examples/*.htm =="
$tool check examples/*.htm || true  # syntax_error.htm fails on purpose
echo
echo "== htmlmemdoc show examples/welcome.htm =="
$tool show examples/welcome.htm
echo
echo "== htmlmemdoc render examples/welcome.htm (read and written back) =="
$tool render examples/welcome.htm --base examples/welcome.htm
echo
echo "== htmlmemdoc sources examples/welcome.htm =="
$tool sources examples/welcome.htm
echo
echo "== htmlmemdoc site examples (every reference against the files there) =="
$tool site examples || true  # the examples name files they do not ship
