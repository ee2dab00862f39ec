#!/usr/bin/env bash
# Exports a small site (the examples with their MIDI tune, MPEG-1 movie,
# Flash movie and chime, an AVI movie made here, a page of swap images
# and embedded media, the golden pages and a generated page of each
# benchmark shape) and checks the export in headless Chromium against
# the site: the same boxes, stacking, visibility and text in every layer,
# the same background; every sound and movie loading, the sound control
# starting the background sound, Ruffle playing the Flash movie, a swap
# image swapping. Exits 77 (skipped) when Node.js, Chromium, the
# converters or the npm packages are missing.
# Usage: run_export_test.sh TOOL SOURCE_DIR WORK_DIR WRITE_SHAPES
set -u
tool=$1
source_dir=$2
work=$3
write_shapes=$4
site=$work/export_site
out=$work/export_out
ruffle=$source_dir/tests/browser/node_modules/@ruffle-rs/ruffle
for program in node ffmpeg fluidsynth; do
  command -v "$program" >/dev/null ||
    { echo "skipped: $program is not installed (scripts/setup.sh browser media)"; exit 77; }
done
[ -f "$ruffle/ruffle.js" ] ||
  { echo "skipped: Ruffle is not installed (npm ci --prefix tests/browser)"; exit 77; }
rm -rf "$site" "$out"
mkdir -p "$site"
cp -r "$source_dir"/examples/*.htm "$source_dir"/examples/images "$site/"
"$source_dir/scripts/make_example_media.sh" "$site" ||
  { echo "FAIL: making the examples' media"; exit 1; }
mkdir "$site/golden" "$site/shapes"
cp "$source_dir"/tests/golden/*.htm "$site/golden/"
"$write_shapes" "$site/shapes" 20000 || { echo "FAIL: writing the shapes"; exit 1; }
ffmpeg -loglevel error -y -f lavfi -i testsrc=duration=1:size=160x120:rate=10 \
  -c:v msvideo1 "$site/video/walk.avi" || { echo "FAIL: making an AVI movie"; exit 1; }
cat >"$site/media.htm" <<'PAGE'
<html>
<head>
<title>Media</title>
<script language="JavaScript">
function MM_swapImage(id, unused, src) {
  var image = document.getElementById(id + "Image");
  image.dataset.restore = image.src;
  image.src = src;
}
function MM_swapImgRestore() { }
</script>
</head>
<body bgcolor="#f0f0ff">
<div id="Swap" style="position:absolute; left:20px; top:20px; width:200px; height:150px; z-index:1">
<a href="welcome.htm" onMouseOver="MM_swapImage('Swap','','images/rose_over.gif',1)" onMouseOut="MM_swapImgRestore()"><img id="SwapImage" src="images/rose.gif" width="200" height="150" border="0"></a></div>
<div id="Walk" style="position:absolute; left:240px; top:20px; width:160px; height:120px; z-index:3">
<embed id="WalkMovie" src="video/walk.avi" width="160" height="120" autostart="true"></div>
<div id="Tune" style="position:absolute; left:240px; top:160px; width:200px; height:40px; z-index:2; visibility:hidden">
<embed id="TuneSound" src="audio/birdsong.mid" width="200" height="40" loop="2"></div>
<div id="Words" style="position:absolute; left:20px; top:200px; width:300px; height:60px; z-index:4">
<p align="center"><font face="Verdana" size="3">Hover the rose.</font></p></div>
</body>
</html>
PAGE
HTMLMEMDOC_RUFFLE=$ruffle "$tool" export "$site" -o "$out" --json "$work/export.json" \
  >"$work/export.txt"
status=$?
head -1 "$work/export.txt"
[ $status -le 1 ] || { echo "FAIL: the export exited $status"; exit 1; }
node "$source_dir/tests/browser/check_export.mjs" "$site" "$out" \
  "$work/export.json" "$work/screenshots"
