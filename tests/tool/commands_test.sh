#!/usr/bin/env bash
# The commands on the example pages: check and sources on good, bad and
# missing pages; render to standard output, to files replaced whole,
# through links and to devices; show in text form; the edits edit refuses.
# What show --json prints and what render and edit write is compared whole
# in the golden pages; unreadable input and unwritable output in
# failures_test.sh.
# Usage: commands_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
welcome=$src/examples/welcome.htm
frames=$src/examples/frames.htm
bad=$src/tests/data/comment_in_head.htm

run 0 "$tool" check "$welcome" "$frames"
has "$welcome: ok"
run 1 "$tool" check "$welcome" "$bad"
has "$bad:3:1: a comment: a layout page holds comments only between its layers (HTML syntax error at Ln3, Col6)"
run 2 "$tool" check "$src/no/such/page.htm" "$welcome"
says "cannot read"
run 1 "$tool" check "$src/examples" "$src/tests/data"
has "examples/syntax_error.htm:8:1: <p> after the layers: "
has "examples/welcome.htm: ok"
expect 2 "no .htm or .html pages found" "$tool" check "$src/cmake"
run 1 "$tool" check "$src/CMakeLists.txt"
has "not a page"
expect 1 "HTML syntax error" "$tool" sources "$bad"
run 0 "$tool" sources --images "$welcome" "$frames"
has "welcome.htm: images/rose.gif"
expect 2 "PAGE is required" "$tool" check
expect 2 "subcommand" "$tool"
run 0 "$tool" --version
has "htmlmemdoc 0."
run 0 "$tool" --help
has "check"

run 0 "$tool" render "$frames"
grep -q '^<frameset cols="25%,\*" border="0">$' "$work/out" ||
  fail "standard output lacks the frameset line"
grep -q $'\r' "$work/out" && fail "standard output has CR line ends"
run 0 "$tool" render "$frames" -o "$work/page.htm"
printf '<html>\r\n<head>\r\n' | cmp -s -n 16 - "$work/page.htm" ||
  fail "the output file does not start with CR LF line ends"

# "-" is standard input for a page and standard output for -o; /dev/stdout
# and /dev/fd/1 are written through the open file, a pipe or a file.
"$tool" render "$frames" >"$work/plain.htm"
"$tool" render "$frames" -o - | cmp -s - "$work/plain.htm" || fail "-o - differs"
"$tool" render - <"$frames" | cmp -s - "$work/plain.htm" ||
  fail "render - differs"
run 0 "$tool" check - <"$frames"
has "-: ok"
if posix "wine has no /dev/stdout"; then
  for device in /dev/stdout /dev/fd/1; do
    "$tool" render "$frames" -o $device | cmp -s - "$work/page.htm" ||
      fail "-o $device on a pipe differs from the file written"
    # Standard output led to a file: written through, so ">>" appends.
    echo kept >"$work/log"
    "$tool" render "$frames" -o $device >>"$work/log"
    { echo kept; cat "$work/page.htm"; } | cmp -s - "$work/log" ||
      fail "-o $device >> log did not append"
  done
  name=$(printf 'p%.0s' $(seq 251)).htm  # the longest name a folder holds
  run 0 "$tool" render "$frames" -o "$work/$name"
  cmp -s "$work/$name" "$work/page.htm" || fail "a 255-byte name not written"
  rm -f "$work/$name"
fi

# Replacing keeps the old file's mode and leaves no temporary file behind.
make_old kept.htm
chmod 640 "$work/kept.htm"
run 0 "$tool" render "$frames" -o "$work/kept.htm"
if posix "wine gives a file the host's default mode"; then
  [ "$(stat -c %a "$work/kept.htm")" = 640 ] || fail "mode not kept"
fi
cmp -s "$work/kept.htm" "$work/page.htm" || fail "output not replaced"
no_temporary

# A link is written through: the file it names is replaced, the link kept.
if posix "wine shows a link of the host as a plain file"; then
  make_old target.htm
  ln -s target.htm "$work/link.htm"
  run 0 "$tool" render "$frames" -o "$work/link.htm"
  [ -L "$work/link.htm" ] || fail "the link was replaced"
  cmp -s "$work/target.htm" "$work/page.htm" || fail "the linked file was not written"
fi
expect 2 "cannot write $work: it is a folder" "$tool" render "$frames" -o "$work"

# Devices are written directly, and their errors reported.
if posix "Windows has no /dev/full"; then
  expect 2 "disk full while writing /dev/full (No space left on device)" \
    "$tool" render "$frames" -o /dev/full
  run 0 "$tool" render "$frames" -o /dev/null
else
  run 0 "$tool" render "$frames" -o NUL
fi

# A Shift-JIS page: with --code-page 932 the trail byte "\\" of one
# character is no folder separator, so the file is found in its case. (The
# file's name on disk is the system's: SJIS bytes here, UTF-16 on Windows.)
sjis_name=$'\x83\x5c'
[ "$system" = windows ] && sjis_name=$'\xe3\x82\xbd'
mkdir -p "$work/sjis/pics" && touch "$work/sjis/pics/$sjis_name.GIF"
printf '<html><head></head><body>\n<div id="I"><img src="pics/\x83\x5c.gif"></div>\n</body></html>\n' >"$work/sjis/page.htm"
run 0 "$tool" --code-page 932 render --base "$work/sjis/page.htm" "$work/sjis/page.htm"
has $'src="pics/\x83\x5c.GIF"'
run 0 "$tool" render --base "$work/sjis/page.htm" "$work/sjis/page.htm"
has $'src="pics/\x83\x5c.gif"'
expect 2 "1252 not in" "$tool" --code-page 1252 show "$welcome"

run 0 "$tool" show "$welcome"
has 'title             Welcome to the garden club'
has 'background sound  audio/birdsong.mid (loop -1)'
has 'image      Rose         left 360   top 90      200 x 150   z 3'
has 'live audio qBgSound'
has '"Spring meetings are on the first Saturday of each month."'

# Refused edits write nothing and keep the old output.
make_old kept.htm
out=(-o "$work/kept.htm")
expect 2 'no layer with the id Missing' \
  "$tool" edit "$welcome" --layer Missing --left 1 "${out[@]}"
expect 2 'layer changes need --layer ID' "$tool" edit "$welcome" --left 1 "${out[@]}"
expect 1 'need a text layer; nothing written' \
  "$tool" edit "$welcome" --layer Map --text x "${out[@]}"
expect 1 'not a colour' "$tool" edit "$welcome" --layer Title --color '#12' "${out[@]}"
expect 1 'HTML syntax error at Ln8, Col4' \
  "$tool" edit "$src/examples/syntax_error.htm" --no-sound "${out[@]}"
run 2 "$tool" edit "$welcome" --layer Rose --visibility gone "${out[@]}"
unchanged kept.htm
run 0 "$tool" edit "$welcome" --layer Rose --left 5 "${out[@]}"
grep -q 'left:5px' "$work/kept.htm" || fail "edit not written to the file"
finish
