#!/usr/bin/env bash
# The tool on input that is not a page and on outputs it cannot write: each
# case gives a clear message and its exit code, and an old output file is
# left byte for byte as it was.
# Usage: failures_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
page=$src/examples/welcome.htm

# Input that is not a page.
printf '' >"$work/empty.htm"
printf '<html>\0<body>' >"$work/zero.htm"
# A picture's bytes: a fixed first byte, so the place told is 1:1.
{ printf '\211PNG\r\n\032\n'; head -c 4096 /dev/urandom | tr -d '\0'; } >"$work/binary.htm"
printf '\x7fELF\x02\x01\x01\0' >"$work/elf.htm"
make_old out.htm
for command in render show edit; do
  out=(-o "$work/out.htm")
  [ $command = show ] && out=()
  expect 2 "cannot read $work/missing.htm: No such file or directory" \
    "$tool" $command "$work/missing.htm" "${out[@]}"
  expect 2 "cannot read $src/examples: Is a directory" \
    "$tool" $command "$src/examples" "${out[@]}"
  expect 1 "the file is empty" "$tool" $command "$work/empty.htm" "${out[@]}"
  expect 1 "holds a NUL byte at offset 6" \
    "$tool" $command "$work/zero.htm" "${out[@]}"
  expect 1 "holds a NUL byte at offset 7" \
    "$tool" $command "$work/elf.htm" "${out[@]}"
  expect 1 "binary.htm:1:1: not a page: it starts with " \
    "$tool" $command "$work/binary.htm" "${out[@]}"
  expect 1 "HTML syntax error at Ln3, Col6" \
    "$tool" $command "$src/tests/data/comment_in_head.htm" "${out[@]}"
done
unchanged out.htm

# A 100 MB page reads (and a 100 MB file that is not one is refused).
{ printf '<html><head>'; head -c 100000000 /dev/zero | tr '\0' ' ';
  printf '</head><body>\n<div id=a><p>x</p></div></body></html>'; } >"$work/big.htm"
"$tool" check "$work/big.htm" >"$work/out" 2>&1 || fail "100 MB page: $(cat "$work/out")"
head -c 100000000 /dev/zero | tr '\0' 'x' >"$work/bigtext.htm"
expect 1 "not a page" "$tool" render "$work/bigtext.htm" -o "$work/out.htm"
unchanged out.htm
rm -f "$work/big.htm" "$work/bigtext.htm"

# Outputs that cannot be written: a full disk, a missing directory, a
# read-only directory. The old file stays as it was, no temporary is left.
# The file size limit stands in for a full disk (messages go through a pipe,
# which the limit does not touch).
for command in "render $page" "edit $page --layer Rose --left 1"; do
  posix "a file size limit of the host does not reach wine" || break
  (trap '' XFSZ; ulimit -f 0; exec $tool $command -o "$work/out.htm") 2>&1 |
    cat >"$work/err"
  [ "${PIPESTATUS[0]}" -eq 2 ] || fail "full disk ($command): not exit 2"
  grep -qF "disk full while writing $work/out.htm (File too large)" "$work/err" ||
    fail "full disk ($command): $(cat "$work/err")"
  unchanged out.htm
done
no_folder="No such file or directory"
[ "$system" = windows ] && no_folder="Path not found"
expect 2 "cannot write $work/no/dir/out.htm: cannot create a file in $work/no/dir ($no_folder)" \
  "$tool" render "$page" -o "$work/no/dir/out.htm"

posix "wine cannot run as another user of the host" && {
mkdir "$work/locked"
make_old locked/out.htm
chmod 555 "$work/locked"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # Root writes anywhere: run as nobody, from a copy of the tool and its
  # library that nobody can reach wherever the build folder lies.
  chmod 644 "$work/locked/out.htm"
  mkdir -m 755 "$work/bin"
  cp "$tool" "$work/bin/"
  library=$(ldd "$tool" | awk '/libhtmlmemdoc/ {print $3}')
  [ -z "$library" ] || cp "$library" "$work/bin/"
  chmod -R a+rX "$work/bin"
  tool=$work/bin/$(basename "$tool")
  as_user=(env LD_LIBRARY_PATH="$work/bin" setpriv --reuid=65534
           --regid=65534 --clear-groups)
fi
expect 2 "cannot write $work/locked/out.htm: cannot create a file in $work/locked (Permission denied)" \
  "${as_user[@]}" "$tool" render "$page" -o "$work/locked/out.htm"
unchanged locked/out.htm
if [ "$(id -u)" -eq 0 ]; then
  chmod 000 "$work/empty.htm"
  expect 2 "cannot read $work/empty.htm: Permission denied" \
    "${as_user[@]}" "$tool" show "$work/empty.htm"
fi
}
no_temporary

finish
