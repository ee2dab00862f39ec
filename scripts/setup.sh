#!/usr/bin/env bash
# Installs the Debian packages that building and testing htmlmemdoc need,
# when they are missing. Safe to run again. Usage: setup.sh [GROUP...]
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libcli11-dev nlohmann-json3-dev)
# Extra groups: `fuzz` adds clang and its fuzzer runtime, `bench` Google
# Benchmark and the peer libraries the benchmarks compare with.
for group in "$@"; do
  case "$group" in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    bench) packages+=(libbenchmark-dev libxml2-dev libgumbo-dev) ;;
    *) echo "setup.sh: unknown group $group" >&2; exit 2 ;;
  esac
done
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
