#!/usr/bin/env bash
# Builds the Python package's wheel from python/ (with Debian's setuptools
# and pybind11, downloading nothing), installs it into a new virtual
# environment that sees Debian's packages, and runs the pytest suite
# against the installed wheel.
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
rm -rf "$work/venv" "$work/dist"
mkdir -p "$work"
# The wheel, built with Debian's setuptools and pybind11, downloading
# nothing; then installed alone into a new environment.
"$python" -m pip wheel --quiet --no-build-isolation --no-index --no-deps \
  --wheel-dir "$work/dist" "$src/python" || exit 1
wheel=$(ls "$work/dist"/htmlmemdoc-*.whl) || exit 1
"$python" -m venv --system-site-packages "$work/venv" || exit 1
"$work/venv/bin/pip" install --quiet --no-index --no-deps "$wheel" || exit 1
# The library is inside the extension: nothing of ours is loaded beside it.
core=$("$work/venv/bin/python" -c 'import htmlmemdoc._core as c; print(c.__file__)') ||
  exit 1
case "$core" in "$work/venv/"*) ;; *) echo "htmlmemdoc loaded from $core"; exit 1 ;; esac
if ldd "$core" | grep -i htmlmemdoc; then
  echo "the extension needs a shared library of htmlmemdoc"
  exit 1
fi
# From the work folder, so that the source tree's package folder does not
# stand in for the installed one.
cd "$work" && exec "$work/venv/bin/python" -m pytest -q -p no:cacheprovider \
  "$src/python/tests"
