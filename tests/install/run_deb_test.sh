#!/usr/bin/env bash
# Packs the build into its three Debian packages with cpack, checks them
# with lintian and by their contents, installs them with apt-get, builds the
# consumer program against them with no path given (find_package, shared and
# static, and pkg-config) and runs it, runs the installed tool, its editor
# and its man page, then purges the packages and checks that none of their
# files is left. Whatever happens, the packages are purged on exit.
# Exits 77 (skipped) without dpkg, apt-get, lintian, or root or sudo.
# Usage: run_deb_test.sh CPACK BUILD_DIR SOURCE_DIR WORK_DIR CONFIG
set -euo pipefail
cpack=$1 build=$2 source=$3 work=$4 config=$5
skip() { echo "skipped: $1"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
for program in dpkg-deb apt-get lintian; do
  command -v $program >/dev/null || skip "no $program (scripts/setup.sh installs it)"
done
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo -n true 2>/dev/null || skip "installing packages needs root or sudo without a password"
  sudo=(sudo -n)
fi
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
installed() { dpkg-query -W -f='${db:Status-Status}\n' "$1" 2>/dev/null | grep -qv '^not-installed$'; }
unset CMAKE_PREFIX_PATH PKG_CONFIG_PATH

rm -rf "$work" && mkdir -p "$work"
cd "$work"
"$cpack" -G DEB -C "$config" --config "$build/CPackConfig.cmake" -B "$work" >cpack.log ||
  { cat cpack.log; fail "cpack -G DEB"; }
debs=(*.deb)
[ ${#debs[@]} -eq 3 ] || fail "cpack made ${#debs[@]} packages, not 3: ${debs[*]}"
declare -A deb
for file in "${debs[@]}"; do deb[$(dpkg-deb -f "$file" Package)]=$file; done
# The library package is named after the SONAME: libhtmlmemdoc.so.0 gives libhtmlmemdoc0.
runtime=$(dpkg-deb -c "${deb[libhtmlmemdoc-dev]:?no libhtmlmemdoc-dev}" |
  sed -nE 's|.* \./usr/lib/([^ ]*/)?libhtmlmemdoc\.so -> libhtmlmemdoc\.so\.([0-9]+)$|libhtmlmemdoc\2|p')
[ -n "$runtime" ] || fail "libhtmlmemdoc-dev has no libhtmlmemdoc.so link to a versioned file"
packages=("$runtime" libhtmlmemdoc-dev htmlmemdoc)
for package in "${packages[@]}"; do
  [ -n "${deb[$package]:-}" ] || fail "no package $package among ${debs[*]}"
  if installed "$package"; then
    fail "$package is installed already; this test installs and purges its own" \
      "(apt-get remove --purge ${packages[*]})"
  fi
done
version=$(dpkg-deb -f "${deb[htmlmemdoc]}" Version)

echo "== lintian"
lintian --tag-display-limit 0 "${debs[@]}" >lintian.log 2>&1 ||
  { cat lintian.log; fail "lintian reports errors"; }
cat lintian.log

# Owners, modes, the control files.
for package in "${packages[@]}"; do
  contents=$(dpkg-deb -c "${deb[$package]}")
  awk -v p="$package" '
    $2 != "root/root" { print p ": owner " $2 " of " $6; bad = 1 }
    /^d/ && $1 != "drwxr-xr-x" { print p ": mode " $1 " of " $6; bad = 1 }
    /^-/ && $6 ~ /^\.\/usr\/(bin|libexec)\// && $1 != "-rwxr-xr-x" { print p ": mode " $1 " of " $6; bad = 1 }
    /^-/ && $6 !~ /^\.\/usr\/(bin|libexec)\// && $1 != "-rw-r--r--" { print p ": mode " $1 " of " $6; bad = 1 }
    END { exit bad }' <<<"$contents" || fail "files of $package with the wrong owner or mode"
  grep -q " ./usr/share/doc/$package/copyright$" <<<"$contents" ||
    fail "$package has no copyright"
done
! dpkg-deb --ctrl-tarfile "${deb[$runtime]}" | tar -t | grep -E '/(pre|post)(inst|rm)$' ||
  fail "$runtime has maintainer scripts"
[ "$(dpkg-deb -I "${deb[$runtime]}" triggers)" = "activate-noawait ldconfig" ] ||
  fail "$runtime does not trigger ldconfig"
[ "$(dpkg-deb -I "${deb[$runtime]}" shlibs)" = "libhtmlmemdoc ${runtime#libhtmlmemdoc} $runtime (>= $version)" ] ||
  fail "$runtime has a wrong shlibs file"
grep -q "$runtime (= $version)" <<<"$(dpkg-deb -f "${deb[libhtmlmemdoc-dev]}" Depends)" ||
  fail "libhtmlmemdoc-dev does not depend on $runtime $version exactly"

cleanup() {
  local left=()
  for package in "${packages[@]}"; do installed "$package" && left+=("$package"); done
  [ ${#left[@]} -eq 0 ] || "${apt[@]}" remove --purge -y -qq "${left[@]}" >/dev/null
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
echo "== apt-get install"
"${apt[@]}" install -y -qq "${debs[@]/#/./}"
grep -q "libhtmlmemdoc.so.${runtime#libhtmlmemdoc} " <<<"$(ldconfig -p)" ||
  fail "the ldconfig trigger did not run"
latest=$(zcat /usr/share/doc/htmlmemdoc/changelog.gz | sed -n 1p)
[[ "$latest" == "htmlmemdoc ($version) "* ]] || fail "the changelog's latest entry is not $version: $latest"

echo "== consumer"
# built_against PROGRAM LINKED: the program runs and links libhtmlmemdoc
# from /usr/lib (LINKED=shared) or not at all (static).
built_against() {
  "$1"
  local libraries
  libraries=$(ldd "$1")
  if [ "$2" = shared ]; then
    grep -qE "libhtmlmemdoc\.so\.[0-9]+ => (/usr)?/lib/([^ ]*/)?libhtmlmemdoc\.so" <<<"$libraries" ||
      fail "$1 does not use the library in /usr/lib"
  else
    ! grep -q libhtmlmemdoc <<<"$libraries" || fail "$1 links the shared library"
  fi
}
for linked in shared static; do
  target=htmlmemdoc::htmlmemdoc
  [ $linked = shared ] || target=htmlmemdoc::htmlmemdoc_static
  cmake -S "$source/tests/install" -B "consumer_$linked" -DCMAKE_BUILD_TYPE="$config" \
    -DCONSUMER_LIBRARY=$target >/dev/null
  grep -qxE "htmlmemdoc_DIR:PATH=/usr/lib/([^/]*/)?cmake/htmlmemdoc" "consumer_$linked/CMakeCache.txt" ||
    fail "find_package found another htmlmemdoc"
  cmake --build "consumer_$linked" >/dev/null
  built_against "consumer_$linked/consumer" $linked
done
pc=$(pkg-config --cflags --libs htmlmemdoc) || fail "pkg-config does not know htmlmemdoc"
read -ra flags <<<"$pc"
c++ -std=c++17 "$source/tests/install/main.cpp" "${flags[@]}" -o consumer_pc
built_against ./consumer_pc shared

echo "== tool"
[ "$(command -v htmlmemdoc)" = /usr/bin/htmlmemdoc ] || fail "htmlmemdoc is not /usr/bin/htmlmemdoc"
htmlmemdoc check "$source/examples/welcome.htm"
help=$(htmlmemdoc serve --help) && grep -q "DIR" <<<"$help" || fail "the tool does not start its editor"
[ "$(man -w htmlmemdoc)" = /usr/share/man/man1/htmlmemdoc.1.gz ] || fail "man finds no installed page"
shown=$(man -P cat htmlmemdoc 2>&1) || fail "man htmlmemdoc: $shown"
grep -q "EXIT STATUS" <<<"$shown" || fail "man htmlmemdoc does not show the page"

echo "== apt-get remove --purge"
for package in "${packages[@]}"; do dpkg -L "$package"; done | sort -u >files.txt
"${apt[@]}" remove --purge -y -qq "${packages[@]}"
trap - EXIT
for package in "${packages[@]}"; do ! installed "$package" || fail "$package is still installed"; done
left=0
while read -r path; do
  if [ -d "$path" ] && ! [ -L "$path" ]; then
    # A folder stays when another package owns it or something else is in it.
    dpkg -S "$path" >/dev/null 2>&1 || [ -n "$(ls -A "$path")" ] || { echo "left: $path/"; left=1; }
  elif [ -e "$path" ] || [ -L "$path" ]; then
    echo "left: $path"; left=1
  fi
done <files.txt
[ $left -eq 0 ] || fail "files of the packages are left after the purge"
! grep -q libhtmlmemdoc <<<"$(ldconfig -p)" || fail "ld.so's cache still names libhtmlmemdoc"
echo "the Debian packages of htmlmemdoc $version: ok"
