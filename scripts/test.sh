#!/usr/bin/env bash
# Builds htmlmemdoc with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --workflow --preset "${1:-default}"
