#!/usr/bin/env bash
# Builds htmlmemdoc and shows it on the bundled example pages: checks them
# all (one has a deliberate syntax error), shows what it reads from the
# full layout page, writes that page back, lists the files it uses,
# checks the site's references, and exports the site for current browsers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh media
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
$tool site examples || true  # syntax_error.htm does not read; the .cpp files are no page's
echo
echo "== htmlmemdoc export examples -o build/examples-export (a copy that plays in a current browser) =="
ruffle=tests/browser/node_modules/@ruffle-rs/ruffle  # the Flash player, when the browser tests installed it
[ -f "$ruffle/ruffle.js" ] && export HTMLMEMDOC_RUFFLE="$PWD/$ruffle"
$tool export examples -o build/examples-export || true  # syntax_error.htm does not read
echo
echo "Open the export: python3 -m http.server -d build/examples-export 8000"
echo "then http://127.0.0.1:8000/welcome.htm in a browser."
