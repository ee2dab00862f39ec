#!/usr/bin/env bash
# Counts the lines of the tests (`*_test.cpp` and tests/, but for pages,
# pictures, JSON and the npm lock file) against those of the library and
# the tool, and fails when the tests are over a third of them: the budget
# that docs/testing.md explains.
set -euo pipefail
cd "$(dirname "$0")/.."
lines() { tr '\n' '\0' | xargs -0 -r cat | wc -l; }
code=$(git ls-files 'htmlmemdoc/*.cpp' 'htmlmemdoc/*.h' 'tools/*.cpp' 'tools/*.h' |
  grep -v '_test\.cpp$' | lines)
tests=$({ git ls-files '*_test.cpp'; git ls-files 'tests/*'; } | sort -u |
  grep -vE '\.(htm|html|gif|png|jpg|json)$|package-lock' | lines)
echo "test lines: $tests, budget $((code / 3)) (a third of $code library and tool lines)"
if [ $((tests * 3)) -gt "$code" ]; then
  echo "the tests are over their budget: fold them (docs/testing.md)" >&2
  exit 1
fi
