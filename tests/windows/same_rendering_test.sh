#!/usr/bin/env bash
# The tool built for Windows, run under wine, and the tool built for this
# system print the same bytes for the same page: for every example, every
# golden page and a generated page of each benchmark shape, what render,
# render with references rewritten (also read as Shift-JIS), and show
# --json print, and their exit codes. Exits 77 (skipped) when there is no
# build of the tool for this system to compare with.
# Usage: same_rendering_test.sh TOOL SOURCE_DIR HOST_TOOL EMULATOR WRITE_SHAPES
. "$(dirname "$0")/../tool/lib.sh"
host=$3
emulator=$4
write_shapes=$5
if [ ! -x "$host" ]; then
  echo "skipped: no build of the tool for this system at $host (build the default preset first)"
  exit 77
fi
mkdir "$work/shapes"
WINEDEBUG=-all "$emulator" "$write_shapes" "$work/shapes" 200000 ||
  fail "the generated pages were not written"

# What wine itself may print (its first start sets up its folder).
wine_noise='^([0-9a-f]{4}:(err|fixme|warn)|wine: )'
compared=0
for page in "$src"/examples/*.htm "$src"/tests/golden/*.htm "$work"/shapes/*.htm; do
  for command in "render --allow-loss" "render --allow-loss --encode --base $page" \
    "--code-page 932 render --allow-loss --encode --base $page" "show --json"; do
    code=0 other=0
    # shellcheck disable=SC2086 # the command's words are wanted apart
    "$host" $command "$page" >"$work/here" 2>"$work/here.err" || code=$?
    # shellcheck disable=SC2086
    "$tool" $command "$page" >"$work/there" 2>"$work/there.err" || other=$?
    [ "$code" -eq "$other" ] ||
      fail "$command $page: exit $code here, $other under wine: $(cat "$work/there.err")"
    cmp -s "$work/here" "$work/there" ||
      fail "$command $page: $(diff "$work/here" "$work/there" | head -5)"
    grep -Ev "$wine_noise" "$work/there.err" | cmp -s "$work/here.err" - ||
      fail "$command $page: messages differ: $(cat "$work/here.err" "$work/there.err")"
    compared=$((compared + 1))
  done
done
echo "compared $compared outputs"
finish
