#!/usr/bin/env bash
# Runs a command (a test, or a Windows program under wine) and, when it
# fails with a wine client error in its output ("wine client error:
# recvmsg: Connection reset by peer": wine's own fault, not the
# program's), runs it once more; only a second failure counts.
# Usage: rerun_on_wine_fault.sh COMMAND [ARG...]
# Each run's standard output and error are kept aside, then passed on each
# to its own stream, so a program listing its tests prints only the list.
# The output of a run that is repeated goes to standard error, before a
# line saying so. Standard input is not kept for a second run: tests read
# none. The exit code is the last run's (77, a skip, included).
set -u
out=$(mktemp) && err=$(mktemp) || exit 1
trap 'rm -f "$out" "$err"' EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

run() { "$@" >"$out" 2>"$err"; }

run "$@"
status=$?
if [ "$status" -ne 0 ] && grep -qa 'wine client error' "$out" "$err"; then
  cat "$out" "$err" >&2
  echo "rerun_on_wine_fault: exit $status after a wine client error, wine's own fault: running it again once" >&2
  run "$@"
  status=$?
fi
cat "$out"
cat "$err" >&2
exit "$status"
