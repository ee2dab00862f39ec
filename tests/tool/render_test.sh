#!/usr/bin/env bash
# The `render` command: standard output, output files replaced whole, and
# an old output file kept when reading or writing fails.
# Usage: render_test.sh TOOL SOURCE_DIR
set -u
tool=$1
page=$2/examples/frames.htm
broken=$2/tests/data/comment_in_head.htm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_exit() {  # expect_exit CODE COMMAND...
  local want=$1; shift
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$* exited $got, want $want: $(cat "$work/err")"
}

expect_exit 0 "$tool" render "$page"
grep -q '^<frameset cols="25%,\*" border="0">$' "$work/out" ||
  fail "standard output lacks the frameset line"
grep -q $'\r' "$work/out" && fail "standard output has CR line ends"

expect_exit 0 "$tool" render "$page" -o "$work/page.htm"
printf '<html>\r\n<head>\r\n' | cmp -s -n 16 - "$work/page.htm" ||
  fail "the output file does not start with CR LF line ends"

# Replacing keeps the old file's mode and leaves no temporary file behind.
echo old >"$work/kept.htm"
chmod 640 "$work/kept.htm"
expect_exit 0 "$tool" render "$page" -o "$work/kept.htm"
[ "$(stat -c %a "$work/kept.htm")" = 640 ] || fail "mode not kept"
grep -q frameset "$work/kept.htm" || fail "output not replaced"
[ "$(ls -A "$work" | grep -c '^\.')" -eq 0 ] || fail "temporary file left"

# A page that does not read leaves the old output alone.
echo old >"$work/old.htm"
expect_exit 1 "$tool" render "$broken" -o "$work/old.htm"
grep -q 'HTML syntax error at Ln3, Col6' "$work/err" || fail "no syntax error"
[ "$(cat "$work/old.htm")" = old ] || fail "old output lost on a read error"

# A write that fails (file size limit) leaves the old output alone too.
(trap '' XFSZ; ulimit -f 0; exec "$tool" render "$page" -o "$work/old.htm") \
  2>"$work/err"
[ $? -eq 2 ] || fail "a failed write did not exit 2"
[ "$(cat "$work/old.htm")" = old ] || fail "old output lost on a write error"
[ "$(ls -A "$work" | grep -c '^\.')" -eq 0 ] || fail "temporary file left"

# A link is written through: the file it names is replaced, the link kept.
echo old >"$work/target.htm"
ln -s target.htm "$work/link.htm"
expect_exit 0 "$tool" render "$page" -o "$work/link.htm"
[ -L "$work/link.htm" ] || fail "the link was replaced"
grep -q frameset "$work/target.htm" || fail "the linked file was not written"
expect_exit 2 "$tool" render "$page" -o "$work"
grep -q 'Is a directory' "$work/err" || fail "no message for a directory"

# Devices are written directly, and their errors reported.
expect_exit 2 "$tool" render "$page" -o /dev/full
grep -q 'Disk full while writing /dev/full' "$work/err" || fail "no disk-full report"
expect_exit 0 "$tool" render "$page" -o /dev/null
expect_exit 2 "$tool" render "$page" -o "$work/no/such/dir/x.htm"
expect_exit 2 "$tool" render "$work/missing.htm"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
