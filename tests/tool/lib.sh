# lib.sh: what the tool's test scripts share. Source it with the tool and
# the source folder as the script's arguments; end the script with finish.
set -u
tool=$1
src=$2
work=$(mktemp -d)
chmod 755 "$work"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
skipped=0
# The tool may be a Windows program run under wine (HTMLMEMDOC_TEST_SYSTEM
# is "windows" then): a case that needs what wine does not offer is
# skipped with its reason, and finish counts it.
system=${HTMLMEMDOC_TEST_SYSTEM:-posix}
# posix REASON: true on a POSIX system; on Windows says why the case is
# skipped.
posix() {
  [ "$system" != windows ] && return 0
  echo "SKIP: $1"
  skipped=$((skipped + 1))
  return 1
}

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# run CODE COMMAND...: must exit CODE; output in $work/out, messages in
# $work/err.
run() {
  local want=$1 got=0
  shift
  "$@" >"$work/out" 2>"$work/err" || got=$?
  [ "$got" -eq "$want" ] || fail "$* exited $got, want $want: $(cat "$work/err")"
}
has() { grep -qF -- "$1" "$work/out" || fail "output lacks: $1"; }
says() { grep -qF -- "$1" "$work/err" || fail "message lacks: $1 ($(cat -v "$work/err"))"; }
# expect CODE MESSAGE COMMAND...: run, and MESSAGE among the messages.
# Under wine, loaded, a message was twice lost whole (right exit code, empty
# message file); such a run is repeated once, and says so.
expect() {
  local code=$1 message=$2
  shift 2
  run "$code" "$@"
  if [ "$system" = windows ] && [ ! -s "$work/err" ]; then
    echo "RETRY: no message from $*"
    run "$code" "$@"
  fi
  says "$message"
}
# A user's output file, with a copy to compare against.
make_old() { printf 'old page\r\n' >"$work/$1"; cp "$work/$1" "$work/$1.orig"; }
unchanged() { cmp -s "$work/$1" "$work/$1.orig" || fail "$1 was changed"; }
no_temporary() {
  local left
  left=$(ls -A "$work" | grep '^\.') || return 0
  fail "temporary file left: $left"
}
finish() {
  echo "$((failures == 0 ? 1 : 0)) passed, $failures failed, $skipped cases skipped"
  [ "$failures" -eq 0 ]
}
