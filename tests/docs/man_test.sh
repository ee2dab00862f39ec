#!/usr/bin/env bash
# The man page built from docs/tool.md shows every command of the tool.
# Exits 77 (skipped) when it was not built (no pandoc) or man is missing.
# Usage: man_test.sh MAN_PAGE TOOL
page=$1
tool=$2
if [ ! -f "$page" ]; then
  echo "skipped: the man page was not built (apt-get install pandoc)"
  exit 77
fi
if ! command -v man >/dev/null; then
  echo "skipped: man is not installed (apt-get install man-db)"
  exit 77
fi
shown=$(MANWIDTH=100 man -l "$page" 2>/dev/null | col -b)
failures=0
# Every command the tool's own help lists has its section in the page.
commands=$("$tool" --help | awk '/^Subcommands:/ { on = 1; next } on && !NF { on = 0 } on { print $1 }')
[ -n "$commands" ] || { echo "FAIL: no commands in the tool's help"; exit 1; }
for command in $commands; do
  grep -qE "^   $command\$" <<<"$shown" ||
    { echo "FAIL: the man page has no section for $command"; failures=$((failures + 1)); }
done
grep -q "EXIT STATUS" <<<"$shown" || { echo "FAIL: no EXIT STATUS"; failures=$((failures + 1)); }
echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
