#!/usr/bin/env bash
# Builds htmlmemdoc with warnings as errors and runs every test, the
# browser suite in headless Chromium included. Usage: test.sh [PRESET]:
# default, sanitize, or windows (a cross build, its tests run under wine).
set -euo pipefail
cd "$(dirname "$0")/.."
groups=(browser python media)
[ "${1:-}" = windows ] && groups+=(windows)
scripts/setup.sh "${groups[@]}"
cmake --workflow --preset "${1:-default}"
