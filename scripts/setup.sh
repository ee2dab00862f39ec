#!/usr/bin/env bash
# Installs the Debian packages that building and testing htmlmemdoc need,
# when they are missing. Safe to run again. Usage: setup.sh [GROUP...]
set -euo pipefail

# lintian, dpkg-dev (dpkg-shlibdeps) and file: for `cpack -G DEB` and the
# Debian packages' test.
packages=(cmake g++ make pkg-config libgtest-dev libcli11-dev nlohmann-json3-dev
  libdtl-dev pandoc man-db libcpp-httplib-dev lintian dpkg-dev file)
# Extra groups: `fuzz` adds clang and its fuzzer runtime, `bench` Google
# Benchmark and the peer libraries the benchmarks compare with, `browser`
# Chromium and the browser suite's driver (playwright-core, from npm),
# `python` what the Python package is built and tested with, `media` the
# converters the export runs (ffmpeg, FluidSynth and a small General MIDI
# soundfont), `windows` the mingw-w64 cross compiler, wine to run its
# programs and cpp-httplib's source (scripts/httplib_source.sh).
for group in "$@"; do
  case "$group" in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    bench) packages+=(libbenchmark-dev libxml2-dev libgumbo-dev) ;;
    python)
      packages+=(python3-venv python3-dev python3-pip pybind11-dev python3-pybind11
        python3-setuptools python3-pytest python3-dask python3-distributed)
      ;;
    media) packages+=(ffmpeg fluidsynth timgm6mb-soundfont) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix wine64 wine dpkg-dev python3 curl) ;;
    browser)
      packages+=(chromium)
      command -v node >/dev/null || packages+=(nodejs npm)
      ;;
    *) echo "setup.sh: unknown group $group" >&2; exit 2 ;;
  esac
done
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$package")
done
# Each step says what it does on one line; what apt-get and npm print goes
# to a log, shown when a step fails.
log=${HTMLMEMDOC_SETUP_LOG:-$(cd "$(dirname "$0")/.." && pwd)/build/setup.log}
mkdir -p "$(dirname "$log")"
step() { # step WHAT COMMAND...
  echo "setup: $1"
  if ! "${@:2}" >>"$log" 2>&1; then
    echo "setup: that failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}
apt() {
  if [ "$(id -u)" -eq 0 ]; then apt-get "$@"; else sudo -E apt-get "$@"; fi
}
if [ ${#missing[@]} -gt 0 ]; then
  step "updating the package lists" apt update -qq
  export DEBIAN_FRONTEND=noninteractive
  step "installing ${missing[*]}" apt install -y -qq "${missing[@]}"
fi

case " $* " in
  *" windows "*)
    step "unpacking cpp-httplib's source for the Windows build" \
      "$(dirname "$0")/httplib_source.sh"
    ;;
esac

# The browser suite's driver, the Flash player the export copies in and
# the SARIF multitool the site report's SARIF log is validated with, from
# the committed package-lock.json.
case " $* " in
  *" browser "*)
    browser_dir="$(cd "$(dirname "$0")/../tests/browser" && pwd)"
    modules=$browser_dir/node_modules
    [ -d "$modules/playwright-core" ] && [ -d "$modules/@ruffle-rs/ruffle" ] &&
      [ -d "$modules/@microsoft/sarif-multitool-linux" ] ||
      step "installing the browser suite's npm packages" \
        bash -c 'cd "$1" && npm ci --no-audit --no-fund --loglevel=error' _ \
        "$browser_dir"
    # npm runs no install scripts of dependencies: the multitool's own
    # makes its program executable.
    chmod u+x "$modules/@microsoft/sarif-multitool-linux/Sarif.Multitool"
    ;;
esac
