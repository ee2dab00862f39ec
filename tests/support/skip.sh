#!/bin/sh
# Stands for a test that cannot run in this build: says why and exits 77,
# which CTest reports as skipped.
# Usage: skip.sh REASON [ignored arguments]
echo "skipped: $1"
exit 77
