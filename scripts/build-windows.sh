#!/usr/bin/env bash
# Builds plumora for 64-bit Windows, cross-compiled on Debian with mingw-w64,
# and packs WIN_BUILD_DIR/plumora-win64.zip (plumora.exe, data.dat,
# README.txt).
#
# usage: scripts/build-windows.sh [--tests] [--host-build DIR] [--no-install] [-- CMAKE_ARGUMENTS...]
#
#   --tests            also build the Windows test suites; run them with
#                      tests/windows/wine-session.sh ctest --test-dir WIN_BUILD_DIR
#   --host-build DIR   take the data set from DIR, a finished Linux build of
#                      the same sources (bin/plm-pack, dist/data.dat, stage/),
#                      which is used as it is. Without it the Linux build in
#                      BUILD_DIR (default: build) is made or brought up to
#                      date first: its generators make the data set.
#   --no-install       install nothing; fail if a package is missing
#
# Packages (idempotent, apt-get without recommends, as root or through sudo):
# what scripts/setup-deps.sh installs for the Linux build, the mingw-w64
# cross compiler (posix threads), Wine, zip and unzip, GoogleTest's sources,
# Xvfb.
#
# Environment: WIN_BUILD_DIR (default: build-win64), BUILD_DIR (the Linux
# build, default: build).
# Exit status: 0 with the zip made; 1 when a step failed; 2 on a usage error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
me=build-windows
usage() {
  sed -n '6,/^set -euo/p' "$0" | sed -n 's/^# \{0,1\}//p'
}
fail() {
  echo "$me: $*" >&2
  exit 1
}

tests=OFF install=1 host=
while [ $# -gt 0 ]; do
  case $1 in
    -h | --help) usage; exit 0 ;;
    --tests) tests=ON ;;
    --no-install) install= ;;
    --host-build)
      [ $# -ge 2 ] || { echo "$me: --host-build needs a folder" >&2; usage >&2; exit 2; }
      host=$2
      shift
      ;;
    --) shift; break ;;
    *) echo "$me: unknown argument: $1" >&2; usage >&2; exit 2 ;;
  esac
  shift
done
win=${WIN_BUILD_DIR:-$root/build-win64}

# The Windows tool set on top of the Linux build's packages.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 zip unzip googletest libstb-dev xvfb x11-utils)
missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q "install ok installed" || echo "$p"
  done
}
command -v dpkg-query > /dev/null || fail "this script needs Debian (dpkg and apt-get)"
if [ -n "$install" ]; then
  "$root/scripts/setup-deps.sh" || fail "installing the Linux build's packages failed"
  mapfile -t missing < <(missing_packages "${WINDOWS_PACKAGES[@]}")
  if [ ${#missing[@]} -gt 0 ]; then
    SUDO=
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    echo "installing: ${missing[*]}"
    $SUDO apt-get update -qq || fail "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" \
      || fail "installing ${missing[*]} failed"
  fi
else
  mapfile -t missing < <(missing_packages "${WINDOWS_PACKAGES[@]}")
  [ ${#missing[@]} -eq 0 ] || fail "missing packages: ${missing[*]} (run without --no-install)"
fi
command -v x86_64-w64-mingw32-g++-posix > /dev/null || fail "x86_64-w64-mingw32-g++-posix is missing"

# The Linux build whose generators made the data set.
if [ -n "$host" ]; then
  host=$(cd "$host" 2> /dev/null && pwd) || fail "--host-build: no such folder: $host"
else
  host=${BUILD_DIR:-$root/build}
  # A new Linux build leaves its tests out; an existing one keeps its choice.
  options=()
  [ -f "$host/CMakeCache.txt" ] || options=(-DPLM_TESTS=OFF)
  echo "$me: building the Linux build in $host for the data set"
  BUILD_DIR="$host" "$root/scripts/build.sh" "${options[@]}" || fail "the Linux build in $host failed"
fi
for f in bin/plm-pack dist/data.dat stage/plumora_data; do
  [ -e "$host/$f" ] || fail "$host is not a finished Linux build of plumora: $f is missing"
done

echo "$me: building for Windows in $win"
mkdir -p "$win"
# Optimised as the Linux build (-O2), without debugging information, which
# the package strips anyway and which nearly doubles the compile time.
cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DPLM_HOST_BUILD="$host" -DPLM_TESTS="$tests" "$@" \
  > "$win/configure.log" 2>&1 || { cat "$win/configure.log" >&2; fail "configuring $win failed"; }
cmake --build "$win" -j"$(nproc)" || fail "the Windows build in $win failed"

# The package: the program without its debugging information, the data set,
# and the README with Windows line ends.
dist=$win/dist
for f in plumora.exe data.dat; do
  [ -f "$dist/$f" ] || fail "the build made no $dist/$f"
done
package=$win/package
rm -rf "$package" "$win/plumora-win64.zip"
mkdir -p "$package"
x86_64-w64-mingw32-strip -o "$package/plumora.exe" "$dist/plumora.exe"
cp "$dist/data.dat" "$package/data.dat"
sed 's/$/\r/' "$root/scripts/windows-README.txt" > "$package/README.txt"
(cd "$package" && zip -q -X -9 "$win/plumora-win64.zip" plumora.exe data.dat README.txt) \
  || fail "packing $win/plumora-win64.zip failed"
rm -rf "$package"
echo "$me: made $win/plumora-win64.zip"
unzip -l "$win/plumora-win64.zip"
