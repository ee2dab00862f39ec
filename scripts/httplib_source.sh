#!/usr/bin/env bash
# Unpacks Debian's source package of cpp-httplib, the version of the
# installed libcpp-httplib-dev with Debian's patches applied, into
# /var/cache/htmlmemdoc/cpp-httplib-VERSION: the Windows build compiles
# the library's implementation from it for mingw-w64 (the package ships
# the implementation compiled for this system only). Adds a deb-src entry
# of the system's Debian archives (the same URIs, suites, components and
# key) when they have none. Does nothing when the folder is there. Prints
# the folder.
set -euo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
version=$(dpkg-query -W -f='${Version}' libcpp-httplib-dev)
folder=/var/cache/htmlmemdoc/cpp-httplib-$version
if [ ! -f "$folder/httplib.h" ]; then
  lists=/etc/apt/sources.list.d
  if ! grep -qsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list \
    $lists/debian.sources $lists/htmlmemdoc-deb-src.*; then
    if [ -f $lists/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' $lists/debian.sources |
        $sudo tee $lists/htmlmemdoc-deb-src.sources >/dev/null
    else
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
        $sudo tee $lists/htmlmemdoc-deb-src.list >/dev/null
    fi
  fi
  $sudo apt-get update -qq
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  # Unpacked as the invoking user, then moved into place whole.
  (cd "$work" && apt-get source -qq "cpp-httplib=$version" >/dev/null)
  $sudo mkdir -p /var/cache/htmlmemdoc
  $sudo rm -rf "$folder"
  $sudo mv "$work"/cpp-httplib-*/ "$folder"
fi
echo "$folder"
