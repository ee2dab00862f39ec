#!/usr/bin/env bash
# Installs the Python package from python/ into a new virtual environment
# that sees Debian's packages (pip builds it with Debian's setuptools and
# pybind11, downloading nothing), then runs its pytest suite there.
# Usage: run_python_test.sh SOURCE_DIR WORK_DIR
set -u
src=$1
work=$2
python=/usr/bin/python3
if ! "$python" -c "import pybind11, setuptools, pytest, venv" 2>/dev/null; then
  echo "skipped: needs Debian's python3-venv, python3-dev, pybind11-dev," \
    "python3-pybind11, python3-setuptools and python3-pytest (scripts/setup.sh python)"
  exit 77
fi
rm -rf "$work/venv"
mkdir -p "$work"
"$python" -m venv --system-site-packages "$work/venv" || exit 1
"$work/venv/bin/pip" install --quiet --no-build-isolation --no-index \
  "$src/python" || exit 1
# From the work folder, so that the source tree's package folder does not
# stand in for the installed one.
cd "$work" && exec "$work/venv/bin/python" -m pytest -q -p no:cacheprovider \
  "$src/python/tests"
