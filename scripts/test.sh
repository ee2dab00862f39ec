#!/usr/bin/env bash
# Builds htmlmemdoc with warnings as errors and runs every test, the
# browser suite in headless Chromium included.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh browser python
cmake --workflow --preset "${1:-default}"
