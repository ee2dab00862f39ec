#!/usr/bin/env bash
# Copies the pictures the browser suite took of the editor into
# docs/editor/, where docs/editor.md shows them. Run the suite first:
#   ctest --preset default -L browser
# Usage: scripts/update_editor_guide.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
shots=${1:-$root/build/default}/tests/browser/screenshots/guide
[ -d "$shots" ] || { echo "no pictures in $shots: run the browser suite first" >&2; exit 2; }
mkdir -p "$root/docs/editor"
cp "$shots"/*.jpg "$root/docs/editor/"
ls "$root/docs/editor"
