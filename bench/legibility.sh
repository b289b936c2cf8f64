#!/usr/bin/env bash
# How legible the greetings stay in the turntable: renders its frames from
# 15 s to 96 s (the greetings come to rest at about 96 s) every 0.25 s with
# plumora-capture into a temporary folder and counts the frames in which the
# mean level of the greetings columns stays below 250 (bench/legibility.h).
# usage: bench/legibility.sh [--build DIR] [--size WxH] [--step-fps N] [--frames]
#   --build DIR     a build configured with -DPLM_BENCH=ON (default: build)
#   --size WxH      frame size (default 640x480)
#   --step-fps N    frame rate of the simulated run (default 30)
#   --frames        also list every frame: time in ms, mean level, verdict
# Needs plumora-capture, plm_legibility and dist/data.dat:
#   cmake -S . -B build -DPLM_BENCH=ON && cmake --build build
# Exit status: 0 measured, 1 a tool failed, 2 usage error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build size=640x480 step=30 list=()
usage() { sed -n '6p' "$0" | sed 's/^# //' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --size) [[ ${2:-} =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || usage; size=$2; shift 2 ;;
    --step-fps) [[ ${2:-} =~ ^[1-9][0-9]{0,2}$ ]] || usage; step=$2; shift 2 ;;
    --frames) list=(--frames); shift ;;
    -h|--help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) usage ;;
  esac
done
# A relative --build is taken from where the script was started.
[ -d "$build" ] || { echo "legibility.sh: no build folder $build" >&2; exit 1; }
build=$(cd "$build" && pwd)
for tool in plumora-capture plm_legibility; do
  [ -x "$build/bin/$tool" ] || { echo "legibility.sh: no $build/bin/$tool (configure with -DPLM_BENCH=ON and build)" >&2; exit 1; }
done
[ -f "$build/dist/data.dat" ] || { echo "legibility.sh: no $build/dist/data.dat" >&2; exit 1; }

frames=$(mktemp -d "${TMPDIR:-/tmp}/plm-legibility-XXXXXX")
trap 'rm -rf "$frames"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

echo "Turntable frames 15-96 s every 0.25 s at $size, simulated at $step frames per second"
# Off screen: no display is needed or used.
env -u DISPLAY SDL_AUDIODRIVER=dummy "$build/bin/plumora-capture" --data "$build/dist/data.dat" \
  --size "$size" --out "$frames" --fps 4 --from 15000 --to 96000 --step-fps "$step" 2>/dev/null \
  || { echo "legibility.sh: plumora-capture failed" >&2; exit 1; }
"$build/bin/plm_legibility" "${list[@]}" "$frames"/*.png
