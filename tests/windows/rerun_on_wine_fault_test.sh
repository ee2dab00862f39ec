#!/usr/bin/env bash
# The wrapper the Windows suite runs under: a failure with a wine client
# error is run once more and only a second failure counts; any other
# outcome is the first run's, its output passed on unchanged.
# Usage: rerun_on_wine_fault_test.sh WRAPPER SOURCE_DIR
. "$(dirname "$0")/../tool/lib.sh"
wrapper=$1
fault='wine client error:0: recvmsg: Connection reset by peer'

# A fake program: fails with `fault` (on standard error) for its first
# FAULTS runs, then exits CODE after printing "run N" and "note N".
fake=$work/fake.sh
cat >"$fake" <<FAKE
#!/bin/sh
n=\$((\$(cat "$work/runs" 2>/dev/null || echo 0) + 1))
echo "\$n" >"$work/runs"
if [ "\$n" -le "\$1" ]; then echo "$fault" >&2; exit 3; fi
echo "run \$n"; echo "note \$n" >&2; exit "\$2"
FAKE
chmod +x "$fake"

while read -r what faults code want runs; do
  rm -f "$work/runs"
  run "$want" "$wrapper" "$fake" "$faults" "$code"
  [ "$(cat "$work/runs")" = "$runs" ] || fail "$what: ran $(cat "$work/runs") times, want $runs"
  if [ "$want" -eq "$code" ]; then
    [ "$(cat "$work/out")" = "run $runs" ] || fail "$what: output $(cat "$work/out")"
    grep -qx "note $runs" "$work/err" || fail "$what: messages lack note $runs"
  fi
done <<'CASES'
passes            0 0  0  1
fails_alone       0 1  1  1
skips             0 77 77 1
one_wine_fault    1 0  0  2
two_wine_faults   2 0  3  2
fault_then_fails  1 1  1  2
CASES

# A failure whose output names no wine fault is not run again.
rm -f "$work/runs"
# shellcheck disable=SC2016 # expanded by the inner shell
run 3 "$wrapper" sh -c 'echo 1 >>"$0"; echo "client error" >&2; exit 3' "$work/runs"
[ "$(wc -l <"$work/runs")" -eq 1 ] || fail "a plain failure was run again"
finish
