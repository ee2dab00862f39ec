#!/usr/bin/env bash
# Renders the example pages and an edited copy of welcome.htm with the tool,
# writes what `show --json` reads from each beside it, checks them in
# headless Chromium, checks the site report of them there, then has
# `htmlmemdoc preview` take a picture of an example page. Exits 77 (skipped) when Node.js, Chromium or playwright-core
# is missing.
# Usage: run_browser_test.sh TOOL SOURCE_DIR WORK_DIR
set -u
tool=$1
source_dir=$2
work=$3
site=$work/site
if ! command -v node >/dev/null; then
  echo "skipped: Node.js is not installed"
  exit 77
fi
rm -rf "$site"
mkdir -p "$site"
cp -r "$source_dir/examples/images" "$source_dir/tests/browser/assets/." "$site/"
for page in "$source_dir"/examples/*.htm; do  # pages that do not read are left out
  "$tool" render "$page" -o "$site/$(basename "$page")" 2>/dev/null
done
# Layers moved, resized, restacked, hidden, re-sourced, text replaced, text
# colour and font size changed, background image set.
edited=$site/welcome_edited.htm
{ "$tool" edit "$source_dir/examples/welcome.htm" --layer Title --left 60 \
    --top 10 --color '#0030a0' --font-size 28 --background images/leaves.gif \
    -o "$edited" &&
  "$tool" edit "$edited" --layer Intro --width 260 --height 140 --top 110 \
    --text "Summer meetings move to the orchard." -o "$edited" &&
  "$tool" edit "$edited" --layer Rose --z-index 12 --src images/tulip.gif \
    --left 400 -o "$edited" &&
  "$tool" edit "$edited" --layer Map --visibility hidden -o "$edited"; } ||
  { echo "FAIL: editing welcome.htm"; exit 1; }
for page in "$site"/*.htm; do
  "$tool" show --json "$page" >"${page%.htm}.model.json" || exit 1
done
node "$source_dir/tests/browser/check_pages.mjs" "$site" "$work/screenshots"
status=$?
[ $status -eq 0 ] || exit $status
# The site report of these pages, with a page whose references are in the
# wrong letter case, read in the browser (the report in another folder, so
# its links climb back to the pages).
sed 's|images/|IMAGES/|g' "$site/welcome.htm" >"$site/Wrong Case.htm"
mkdir -p "$work/report"
"$tool" site "$site" --json "$work/report/site.json" \
  --html "$work/report/site.html" >/dev/null
[ $? -le 1 ] || { echo "FAIL: site could not write its reports"; exit 1; }
node "$source_dir/tests/browser/check_site_report.mjs" \
  "$work/report/site.html" "$work/report/site.json" || exit $?
# The editor: welcome.htm written once in the library's layout, so that a
# save changes only what the editor changed.
editor_site=$work/editor_site
rm -rf "$editor_site" && cp -r "$source_dir/examples" "$editor_site"
"$tool" render "$editor_site/welcome.htm" -o "$editor_site/welcome.htm" ||
  { echo "FAIL: rendering welcome.htm"; exit 1; }
mkdir "$editor_site/club" && cp "$editor_site/welcome.htm" "$editor_site/club/news.htm"
ruffle=$source_dir/tests/browser/node_modules/@ruffle-rs/ruffle
[ -f "$ruffle/ruffle.js" ] && export HTMLMEMDOC_RUFFLE=$ruffle
if "$tool" --help | grep -q "^  serve "; then
  node "$source_dir/tests/browser/check_editor.mjs" "$tool" "$editor_site" \
    "$work/screenshots" || exit $?
  layers_site=$work/layers_site
  rm -rf "$layers_site" && cp -r "$source_dir/examples" "$layers_site"
  "$tool" render "$layers_site/welcome.htm" -o "$layers_site/welcome.htm" ||
    { echo "FAIL: rendering welcome.htm"; exit 1; }
  node "$source_dir/tests/browser/check_editor_layers.mjs" "$tool" \
    "$layers_site" "$work/screenshots" || exit $?
else
  echo "editor: not built (HTMLMEMDOC_BUILD_EDITOR=OFF)"
fi
rm -f "$work/preview.png"
"$tool" preview "$source_dir/examples/welcome.htm" -o "$work/preview.png" ||
  exit 1
if [ "$(head -c 8 "$work/preview.png" | od -An -tx1 | tr -d ' \n')" != \
     89504e470d0a1a0a ]; then
  echo "FAIL: preview did not write a PNG file"
  exit 1
fi
echo "preview: $work/preview.png"
