#!/usr/bin/env bash
# The `show`, `sources` and `edit` commands on the example pages.
# Usage: show_edit_test.sh TOOL SOURCE_DIR
set -u
tool=$1
page=$2/examples/welcome.htm
frames=$2/examples/frames.htm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() {  # run CODE COMMAND...: output in $work/out, errors in $work/err
  local want=$1; shift
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$* exited $got, want $want: $(cat "$work/err")"
}
has() { grep -qF -- "$1" "$work/out" || fail "output lacks: $1"; }
says() { grep -qF -- "$1" "$work/err" || fail "message lacks: $1 ($(cat "$work/err"))"; }

run 0 "$tool" show "$page"
has 'title             Welcome to the garden club'
has 'background sound  audio/birdsong.mid (loop -1)'
has 'image      Rose         left 360   top 90      200 x 150   z 3'
has 'video      Tour'
has 'live audio qBgSound'
has '"Spring meetings are on the first Saturday of each month."'

run 0 "$tool" show --json "$frames"
has '"title": "Garden club"'
has '"name": "menu",'
has '"layers": []'

run 0 "$tool" sources "$page"
[ "$(head -1 "$work/out")" = images/rose.gif ] || fail "first source"
run 0 "$tool" sources --images "$page"
[ "$(cat "$work/out")" = images/rose.gif ] || fail "image sources"

run 0 "$tool" edit "$page" --layer Rose --left 10 --top 11 --width 50 \
  --height 60 --z-index 9 --visibility hidden --src images/tulip.gif
has '<div id="Rose" style=" position:absolute; visibility:hidden; z-index:9; width:50px; height:60px; left:10px; top:11px;">'
has '<img id="RoseImage" src="images/tulip.gif"'
run 0 "$tool" edit "$page" --layer Intro --text "New text" --font-size 14 \
  --color navy --background paper2.gif --sound rain.mid
has '<font face="Verdana" size="2" style=" font-size:14pt; color:#000080;">New text</font>'
has 'background="paper2.gif"'
has '<bgsound id="BackgroundSound" src="rain.mid" loop="-1">'
run 0 "$tool" edit "$page" --no-sound
grep -q '<bgsound' "$work/out" && fail "sound not removed"
run 0 "$tool" edit "$page" --layer Tour --src video/new.avi
has 'dynsrc="video/new.avi" src="images/tour.gif"'

# Refused edits write nothing and keep the old output.
echo old >"$work/kept.htm"
run 2 "$tool" edit "$page" --layer Missing --left 1 -o "$work/kept.htm"
says 'no layer with the id Missing'
run 2 "$tool" edit "$page" --left 1 -o "$work/kept.htm"
says 'layer changes need --layer ID'
run 1 "$tool" edit "$page" --layer Map --text x -o "$work/kept.htm"
says 'need a text layer; nothing written'
run 1 "$tool" edit "$page" --layer Title --color '#12' -o "$work/kept.htm"
says 'not a colour'
run 1 "$tool" edit "$2/examples/syntax_error.htm" --no-sound -o "$work/kept.htm"
says 'HTML syntax error at Ln8, Col4'
run 2 "$tool" edit "$page" --layer Rose --visibility gone
[ "$(cat "$work/kept.htm")" = old ] || fail "old output changed"

run 0 "$tool" edit "$page" --layer Rose --left 5 -o "$work/kept.htm"
grep -q 'left:5px' "$work/kept.htm" || fail "edit not written to the file"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
