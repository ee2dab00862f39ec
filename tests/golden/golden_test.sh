#!/usr/bin/env bash
# Golden pages: what the tool prints for the pages here (and the examples),
# compared whole with the files in expected/, and the examples' round trip. With HTMLMEMDOC_UPDATE_GOLDEN=1
# the expected files are written instead: review their diff before a commit.
# Usage: golden_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/../tool/lib.sh"
cd "$src/tests/golden" || exit 2

# golden NAME ARGUMENTS...: the tool's standard output must be expected/NAME.
golden() {
  local expected=expected/$1 code=0
  shift
  "$tool" "$@" >"$work/out" 2>"$work/err" || code=$?
  # Under wine, loaded, a run once ended with no output and no message at
  # all: such a run is repeated once, and says so.
  if [ "$code" -ne 0 ] && [ "$system" = windows ] && [ ! -s "$work/err" ]; then
    echo "RETRY: no message from $*"
    code=0
    "$tool" "$@" >"$work/out" 2>"$work/err" || code=$?
  fi
  if [ "$code" -ne 0 ]; then
    fail "$* exited $code: $(cat "$work/err")"
  elif [ -n "${HTMLMEMDOC_UPDATE_GOLDEN:-}" ]; then
    cp "$work/out" "$expected"
  else
    diff -u "$expected" "$work/out" || fail "$* differs from $expected"
  fi
}

welcome=../../examples/welcome.htm
for page in *.htm "$welcome"; do
  name=$(basename "$page" .htm)
  golden "$name.json" show --json "$page"
  golden "$name.htm" render --allow-loss "$page"
done
# Each example that reads is a fixed point of rendering after one round (the
# pages here are not: a border side, say, is written as "border").
for page in ../../examples/*.htm; do
  "$tool" render "$page" -o "$work/once.htm" 2>/dev/null || continue
  "$tool" render "$work/once.htm" -o "$work/twice.htm" &&
    cmp -s "$work/once.htm" "$work/twice.htm" || fail "$page: not a fixed point"
done
golden layers.images sources --images layers.htm
golden references.encoded.htm render --encode --base references.htm references.htm
golden edits.image.htm edit edits.htm --layer I1 --left 10 --top 11 \
  --width 50 --height 60 --z-index 9 --visibility hidden --src "pics/new one.gif"
golden edits.text.htm edit edits.htm --layer T1 --text "New text" \
  --font-size 14 --color navy --background pics/sky.gif --sound rain.mid
golden edits.font.htm edit edits.htm --layer T1 --text-align center \
  --font-family "Verdana,  Arial" --title "Club news" --background-color silver
golden edits.content.htm edit edits.htm --layer T1 \
  --content 'Hi <b>there</b><br><font color=red>all</font>'
golden frames.edited.htm edit frames.htm --frame 0 --frame-src other.htm \
  --frame-width 40 --frame-cols "40%,*" --allow-loss
golden edits.media.htm edit edits.htm --layer V1 --src new.avi --no-sound
golden edits.embed.htm edit edits.htm --layer E1 --src n.swf --visibility visible

finish
