#!/usr/bin/env bash
# The speed figures for README.md: the frame rate per scene (plm_fps_bench,
# off screen, 1024x768 and 1920x1080) and the start-up phases of the real
# program under Xvfb (bench/startup.sh), as Markdown tables, with the load
# average before and after.
# usage: bench/fps.sh [--build DIR] [--repeat N] [--runs N] [--reference-drawing]
#   --build DIR  a build configured with -DPLM_BENCH=ON (default: build)
#   --repeat N   frame-rate runs per size, frames pooled (default 1)
#   --runs N     start-up runs, medians taken (default 5)
#   --reference-drawing  frame rates with the pipes drawn as before the
#                speed work (plm_fps_bench --reference-drawing)
# Needs plm_fps_bench and plm_startup_probe built:
#   cmake -S . -B build -DPLM_BENCH=ON && cmake --build build
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build repeat=1 runs=5 drawing=()
usage() { sed -n '6p' "$0" | sed 's/^# //' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --repeat) [[ ${2:-} =~ ^[1-9][0-9]?$ ]] || usage; repeat=$2; shift 2 ;;
    --runs) [[ ${2:-} =~ ^[1-9][0-9]?$ ]] || usage; runs=$2; shift 2 ;;
    --reference-drawing) drawing=(--reference-drawing); shift ;;
    -h|--help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) usage ;;
  esac
done
# A relative --build is taken from where the script was started.
[ -d "$build" ] || { echo "$(basename "$0"): no build folder $build" >&2; exit 1; }
build=$(cd "$build" && pwd)
bench=$build/bin/plm_fps_bench
[ -x "$bench" ] || { echo "fps.sh: no $bench (configure with -DPLM_BENCH=ON and build)" >&2; exit 1; }

echo "Load average before: $(uptime | sed 's/.*load average: //')"
echo
# Off screen: no display is needed or used.
env -u DISPLAY SDL_AUDIODRIVER=dummy "$bench" --data "$build/dist/data.dat" --repeat "$repeat" "${drawing[@]}" --markdown
echo
"$root/bench/startup.sh" --build "$build" --runs "$runs" --markdown
echo
echo "Load average after: $(uptime | sed 's/.*load average: //')"
