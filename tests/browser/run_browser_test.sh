#!/usr/bin/env bash
# Renders the browser suite's pages and checks them in headless Chromium,
# then has `htmlmemdoc preview` take a picture of an example page. Exits 77
# (skipped) when Node.js, Chromium or playwright-core is missing.
# Usage: run_browser_test.sh MAKE_PAGES TOOL SOURCE_DIR WORK_DIR
set -u
make_pages=$1
tool=$2
source_dir=$3
work=$4
if ! command -v node >/dev/null; then
  echo "skipped: Node.js is not installed"
  exit 77
fi
rm -rf "$work/site"
"$make_pages" "$source_dir/examples" "$source_dir/tests/browser/assets" \
  "$work/site" || exit 1
node "$source_dir/tests/browser/check_pages.mjs" "$work/site" \
  "$work/screenshots"
status=$?
[ $status -eq 0 ] || exit $status
rm -f "$work/preview.png"
"$tool" preview "$source_dir/examples/welcome.htm" -o "$work/preview.png" ||
  exit 1
if [ "$(head -c 8 "$work/preview.png" | od -An -tx1 | tr -d ' \n')" != \
     89504e470d0a1a0a ]; then
  echo "FAIL: preview did not write a PNG file"
  exit 1
fi
echo "preview: $work/preview.png"
