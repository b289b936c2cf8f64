#!/usr/bin/env bash
# Installs the dependencies, builds plumora into BUILD_DIR (default: build)
# and runs it from BUILD_DIR/dist. With a display the demo opens full screen
# on it (Escape quits). Without one it runs under Xvfb for a few seconds,
# takes a screenshot, renders frames with plumora-capture and says where
# they are.
#
# Exit status: that of plumora with a display; without one, 0 when the
# preview ran (plumora ended with 0 or 27 and the screenshot is not blank),
# 1 otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/setup-deps.sh"
# A new build folder leaves the tests out; an existing one keeps its choice.
options=()
[ -f "$build/CMakeCache.txt" ] || options=(-DPLM_TESTS=OFF)
BUILD_DIR="$build" "$root/scripts/build.sh" "${options[@]}"
dist="$build/dist"
if [ -n "${DISPLAY:-}" ]; then
  cd "$dist" && exec ./plumora
fi

echo "No DISPLAY: running plumora under Xvfb for a few seconds instead."
out="$build/preview"
rm -rf "$out" && mkdir -p "$out"

# Runs inside Xvfb: dialog, Return, 14 s of demo, screenshot, Escape. Prints
# plumora's exit status on the last line; fails when a window never shows.
preview() {
  local dist=$1 out=$2 status
  wait_for() {
    for _ in $(seq 1 200); do
      xdotool search --name "$1" > /dev/null 2>&1 && return 0
      kill -0 "$pid" 2> /dev/null || return 1
      sleep 0.1
    done
    return 1
  }
  (cd "$dist" && exec ./plumora) & pid=$!
  trap 'kill -TERM "$pid" 2> /dev/null; wait "$pid" 2> /dev/null' EXIT
  wait_for "^plumora\$" || { echo "the setup dialog did not appear" >&2; return 1; }
  sleep 1
  import -window root "$out/dialog.png" || true
  xdotool key Return
  wait_for "plumora / kelvoth / dravine" || { echo "the demo window did not appear" >&2; return 1; }
  sleep 14
  import -window root "$out/screenshot.png" || true
  xdotool key Escape
  for _ in $(seq 1 100); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
  kill -TERM "$pid" 2> /dev/null || true
  wait "$pid" && status=0 || status=$?
  trap - EXIT
  echo "plumora exit status: $status"
  [ "$status" -eq 0 ] || [ "$status" -eq 27 ]
}

ok=1
# -noreset: the server must outlive the dialog's connection closing.
xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -c "$(declare -f preview); preview \"\$1\" \"\$2\"" run "$dist" "$out" || ok=0

# A blank screenshot (one colour) means the demo never drew.
if [ "$ok" -eq 1 ]; then
  colours=$(convert "$out/screenshot.png" -format '%k' info: 2> /dev/null || echo 0)
  if [ "$colours" -le 1 ]; then
    echo "the screenshot is blank" >&2
    ok=0
  fi
fi

"$build/bin/plumora-capture" --data "$dist/data.dat" --size 1024x768 --out "$out" \
  --at 500,3000,6000,9000,10600,12000,14000,15000,20000,60000 > /dev/null || ok=0
echo "Screenshot and frames are in $out:"
ls "$out"
if [ "$ok" -ne 1 ]; then
  echo "run-demo: the preview failed (see above)" >&2
  exit 1
fi
