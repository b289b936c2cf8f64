#!/usr/bin/env bash
# Installs what the tests need, builds plumora and runs the whole test suite
# headless: once in a normal build (unit, picture and end-to-end tests) and
# once with AddressSanitizer and UndefinedBehaviorSanitizer (unit tests).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"
unset DISPLAY
export SDL_AUDIODRIVER=dummy

BUILD_DIR="$root/build" "$root/scripts/build.sh" -DPLM_TESTS=ON
(cd "$root/build" && ctest --output-on-failure -j2 --timeout 600)

BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DPLM_TESTS=ON -DPLM_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Whole-program runs (end to end, captured frames) are covered by the normal build.
(cd "$root/build-asan" && ctest --output-on-failure -j2 --timeout 600 -LE "e2e|pictures")
