#!/usr/bin/env bash
# `render` to standard output, to files replaced whole, through links and
# to devices. (Pages that do not read and writes that fail: failure_test.sh.)
# Usage: render_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
page=$src/examples/frames.htm

run 0 "$tool" render "$page"
grep -q '^<frameset cols="25%,\*" border="0">$' "$work/out" ||
  fail "standard output lacks the frameset line"
grep -q $'\r' "$work/out" && fail "standard output has CR line ends"
run 0 "$tool" render "$page" -o "$work/page.htm"
printf '<html>\r\n<head>\r\n' | cmp -s -n 16 - "$work/page.htm" ||
  fail "the output file does not start with CR LF line ends"

# Replacing keeps the old file's mode and leaves no temporary file behind.
make_old kept.htm
chmod 640 "$work/kept.htm"
run 0 "$tool" render "$page" -o "$work/kept.htm"
[ "$(stat -c %a "$work/kept.htm")" = 640 ] || fail "mode not kept"
cmp -s "$work/kept.htm" "$work/page.htm" || fail "output not replaced"
no_temporary

# A link is written through: the file it names is replaced, the link kept.
make_old target.htm
ln -s target.htm "$work/link.htm"
run 0 "$tool" render "$page" -o "$work/link.htm"
[ -L "$work/link.htm" ] || fail "the link was replaced"
cmp -s "$work/target.htm" "$work/page.htm" || fail "the linked file was not written"
expect 2 "Is a directory" "$tool" render "$page" -o "$work"

# Devices are written directly, and their errors reported.
expect 2 "Disk full while writing /dev/full" "$tool" render "$page" -o /dev/full
run 0 "$tool" render "$page" -o /dev/null
finish
