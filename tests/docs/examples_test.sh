#!/usr/bin/env bash
# The guide's host programs on the example pages, and the guide's code: a
# fenced block whose first line names a file of examples/ ("// examples/X"
# or "# examples/X") must be that file, whole.
# Usage: examples_test.sh EXAMPLES_BUILD_DIR SOURCE_DIR
. "$(dirname "$0")/../tool/lib.sh"
bin=$tool

# Every block that names its file, against the file.
mkdir -p "$work/blocks"
for doc in "$src"/docs/*.md; do
  awk -v dir="$work/blocks" '
    /^```/ { if (open) { open = 0; if (file != "") close(file); file = "" }
             else { open = 1; first = 1 }
             next }
    first { first = 0
            if ($0 ~ /^(\/\/|#) examples\/[A-Za-z_.\/]+/) {
              name = $0; sub(/^(\/\/|#) examples\//, "", name)
              sub(/[^A-Za-z_.\/].*$/, "", name); gsub(/\//, "__", name)
              file = dir "/" name; printf "" > file } }
    file != "" { print >> file }' "$doc"
done
blocks=0
for block in "$work"/blocks/*; do
  blocks=$((blocks + 1))
  name=${block##*/}
  name=${name//__//}
  cmp -s "$block" "$src/examples/$name" ||
    fail "the guide's $name differs from examples/$name"
done
[ "$blocks" -ge 6 ] || fail "the guide shows $blocks example files"

pages=$src/examples
run 0 "$bin/example_first_program" "$pages/welcome.htm"
has "title element: <title>Welcome to the garden club</title>"
has "text layers: 2, image layers: 1, video layers: 1, embed layers: 2, plain layers: 0"
run 1 "$bin/example_first_program" "$pages/syntax_error.htm"
says "not read: reason"

run 0 "$bin/example_list_layers" "$pages/welcome.htm"
cat >"$work/want" <<'TABLE'
kind       id                 left    top  width height
text       Title                40     20    520     48
text       Intro                40     90    300    120
image      Rose                360     90    200    150
video      Tour                 40    260    320    240
embed      Map                 380    260    180    180
live audio qBgSound              1    -20    160     16
TABLE
diff "$work/want" "$work/out" || fail "list_layers prints another table"

run 0 "$bin/example_move_layers" "$pages/welcome.htm" 10 -20 "$work/moved.htm"
has "moved 6 of 6 layers"
run 0 "$bin/example_list_layers" "$work/moved.htm"
squeeze() { awk '{ $1 = $1; print }' "$@"; }
diff <(squeeze "$work/out") \
  <(awk 'NR > 1 { $(NF - 3) += 10; $(NF - 2) -= 20 } { $1 = $1; print }' "$work/want") ||
  fail "move_layers did not move every layer by 10, -20"

mkdir -p "$work/folder"
cp "$pages/welcome.htm" "$pages/menu.htm" "$work/folder/"
run 0 "$bin/example_replace_text" "$work/folder" garden orchard 2a7f3c
has "welcome.htm: 1 layers"
grep -q 'color:#2a7f3c;">Welcome to the orchard club<' "$work/folder/welcome.htm" ||
  fail "replace_text did not replace the text and set its colour"
finish
