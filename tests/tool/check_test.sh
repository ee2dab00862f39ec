#!/usr/bin/env bash
# `check`, `sources` and the command line on good, bad and missing pages.
# Usage: check_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
good=$src/examples/welcome.htm
bad=$src/tests/data/comment_in_head.htm

run 0 "$tool" check "$good" "$src/examples/frames.htm"
has "$good: ok"
run 1 "$tool" check "$good" "$bad"
has "$bad: HTML syntax error at Ln3, Col6"
run 2 "$tool" check "$src/no/such/page.htm" "$good"
says "cannot read"
run 1 "$tool" check "$src/examples" "$src/tests/data"
has "examples/syntax_error.htm: HTML syntax error at Ln8, Col4"
has "examples/welcome.htm: ok"
expect 2 "no .htm or .html pages found" "$tool" check "$src/cmake"
run 1 "$tool" check "$src/CMakeLists.txt"
has "not a page"
expect 1 "HTML syntax error" "$tool" sources "$bad"
run 0 "$tool" sources --images "$good" "$src/examples/frames.htm"
has "welcome.htm: images/rose.gif"
expect 2 "PAGE is required" "$tool" check
expect 2 "subcommand" "$tool"
run 0 "$tool" --version
has "htmlmemdoc 0."
run 0 "$tool" --help
has "check"
finish
