#!/usr/bin/env bash
# Installs what the tests need, builds plumora and runs the whole test suite
# headless: once in a normal build (unit, picture and end-to-end tests) and
# once with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
# (unit tests). Both runs go through sealed-ctest.sh: the build and source
# trees are immutable while the tests run, and nothing may be left behind.
# Four tests at a time, more than the cores, to shake out races; the
# end-to-end tests run alone (RUN_SERIAL). Then the Windows build: cross-compiled
# with its data set from the first build, and its tests run under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"
unset DISPLAY
export SDL_AUDIODRIVER=dummy

# Builds into $1 (extra arguments go to cmake), first clearing any seal that
# a killed run left on it.
build() {
  local dir=$1
  shift
  [ ! -d "$dir" ] || "$root/scripts/sealed-ctest.sh" --unseal "$dir"
  BUILD_DIR="$dir" "$root/scripts/build.sh" "$@"
}

build "$root/build" -DPLM_TESTS=ON
"$root/scripts/sealed-ctest.sh" "$root/build" --output-on-failure -j4 --timeout 600

build "$root/build-asan" -DPLM_TESTS=ON -DPLM_SANITIZE=ON
# Leaks are checked; tests/lsan.supp names the only leaks let pass, those of
# the GL driver, SDL, DevIL and libgomp.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Whole-program runs (end to end, captured frames) are covered by the normal build.
"$root/scripts/sealed-ctest.sh" "$root/build-asan" --output-on-failure -j4 --timeout 600 \
  -LE "e2e|pictures"

# The Windows build and its suites under Wine, two at a time, in one Wine
# session (a fresh prefix, an Xvfb display, one wineserver), also sealed.
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
[ ! -d "$root/build-win64" ] || "$root/scripts/sealed-ctest.sh" --unseal "$root/build-win64"
WIN_BUILD_DIR="$root/build-win64" "$root/scripts/build-windows.sh" --tests --host-build "$root/build"
"$root/tests/windows/wine-session.sh" "$root/scripts/sealed-ctest.sh" "$root/build-win64" \
  --output-on-failure -j2 --timeout 600
