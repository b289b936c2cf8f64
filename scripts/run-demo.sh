#!/usr/bin/env bash
# Installs the dependencies, builds plumora and runs it from build/dist.
# With a display the demo opens full screen on it (Escape quits). Without one
# it runs under Xvfb for a few seconds, takes a screenshot, renders frames
# with plumora-capture and says where they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh" -DPLM_TESTS=OFF
dist="$root/build/dist"
if [ -n "${DISPLAY:-}" ]; then
  cd "$dist" && exec ./plumora
fi

echo "No DISPLAY: running plumora under Xvfb for a few seconds instead."
out="$root/build/preview"
rm -rf "$out" && mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  cd "$1" && ./plumora & pid=$!
  for _ in $(seq 1 100); do xdotool search --name "^plumora\$" > /dev/null 2>&1 && break; sleep 0.1; done
  sleep 1
  import -window root "$2/dialog.png" || true
  xdotool key Return
  sleep 14
  import -window root "$2/screenshot.png" || true
  xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
  for _ in $(seq 1 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
  kill -TERM "$pid" 2> /dev/null
  wait "$pid"
  echo "plumora exit status: $?"
' run "$dist" "$out"
"$root/build/bin/plumora-capture" --data "$dist/data.dat" --size 1024x768 --out "$out" \
  --at 500,3000,6000,9000,10600,12000,14000,15000,20000,60000 > /dev/null
echo "Screenshot and frames are in $out:"
ls "$out"
