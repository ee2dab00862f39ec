#!/usr/bin/env bash
# `show` in text form and the edits `edit` refuses. (What show --json
# prints and what edits write: the golden pages.)
# Usage: show_edit_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
page=$src/examples/welcome.htm

run 0 "$tool" show "$page"
has 'title             Welcome to the garden club'
has 'background sound  audio/birdsong.mid (loop -1)'
has 'image      Rose         left 360   top 90      200 x 150   z 3'
has 'live audio qBgSound'
has '"Spring meetings are on the first Saturday of each month."'

# Refused edits write nothing and keep the old output.
make_old kept.htm
out=(-o "$work/kept.htm")
expect 2 'no layer with the id Missing' \
  "$tool" edit "$page" --layer Missing --left 1 "${out[@]}"
expect 2 'layer changes need --layer ID' "$tool" edit "$page" --left 1 "${out[@]}"
expect 1 'need a text layer; nothing written' \
  "$tool" edit "$page" --layer Map --text x "${out[@]}"
expect 1 'not a colour' "$tool" edit "$page" --layer Title --color '#12' "${out[@]}"
expect 1 'HTML syntax error at Ln8, Col4' \
  "$tool" edit "$src/examples/syntax_error.htm" --no-sound "${out[@]}"
run 2 "$tool" edit "$page" --layer Rose --visibility gone "${out[@]}"
unchanged kept.htm
run 0 "$tool" edit "$page" --layer Rose --left 5 "${out[@]}"
grep -q 'left:5px' "$work/kept.htm" || fail "edit not written to the file"
finish
