#!/usr/bin/env bash
# Start-up phases of the real program under Xvfb, measured from outside with
# a preloaded probe (bench/startup_probe.c) that only adds clock reads.
# usage: bench/startup.sh [--build DIR] [--runs N] [--size WxH] [--markdown] [--keep DIR]
# Each run starts plumora (DIR/dist) on a private Xvfb server, presses
# Return in the setup dialog as soon as it shows, waits for the first demo
# frames and closes the program. Prints the median over the runs of:
#   exec -> dialog           exec to the setup dialog's first presented frame
#   Return -> first loading  the program taking Return to the loading
#                            screen's first presented frame
#   loading work             first to last loading frame, minus the designed
#                            pauses (the rand() % 500 values the probe saw)
#   InitScene + first frame  last loading frame to the first demo frame
#   Return -> demo - pauses  Return to the first demo frame, minus the pauses
# --keep DIR copies each run's probe log into DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build runs=5 size=1024x768 markdown= keep=
usage() { sed -n '4p' "$0" | sed 's/^# //' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --runs) [[ ${2:-} =~ ^[1-9][0-9]?$ ]] || usage; runs=$2; shift 2 ;;
    --size) [[ ${2:-} =~ ^[1-9][0-9]{1,4}x[1-9][0-9]{1,4}$ ]] || usage; size=$2; shift 2 ;;
    --markdown) markdown=1; shift ;;
    --keep) [ $# -ge 2 ] || usage; keep=$2; shift 2 ;;
    -h|--help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) usage ;;
  esac
done
# A relative --build is taken from where the script was started.
[ -d "$build" ] || { echo "$(basename "$0"): no build folder $build" >&2; exit 1; }
build=$(cd "$build" && pwd)
program=$build/dist/plumora
probe=$build/lib/plm_startup_probe.so
[ -x "$program" ] && [ -f "$build/dist/data.dat" ] || { echo "startup.sh: no $program with data.dat (build first)" >&2; exit 1; }
[ -f "$probe" ] || { echo "startup.sh: no $probe (configure with -DPLM_BENCH=ON and build plm_startup_probe)" >&2; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" > /dev/null || { echo "startup.sh: $tool is not installed" >&2; exit 1; }
done
# The loading screen presents one frame, then one after each pause.
balls=$(sed -n 's/.*LOADING_BALL_COUNT = \([0-9]*\);.*/\1/p' "$root/shell/picture_layout.h")
[ -n "$balls" ] || { echo "startup.sh: cannot read the loading screen's ball count" >&2; exit 1; }
loading_frames=$((balls + 1))

work=$(mktemp -d "${TMPDIR:-/tmp}/plm-startup-XXXXXX")
xvfb_pid= pid=
cleanup() {
  [ -z "$pid" ] || { kill -KILL "$pid" 2> /dev/null; wait "$pid" 2> /dev/null; } || true
  [ -z "$xvfb_pid" ] || { kill -TERM "$xvfb_pid" 2> /dev/null; wait "$xvfb_pid" 2> /dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Starts Xvfb on the first free display from :90 on; sets DISPLAY.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -noreset -nolisten tcp > "$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      if DISPLAY=:$n xdotool getdisplaygeometry > /dev/null 2>&1; then export DISPLAY=:$n; return 0; fi
      kill -0 "$xvfb_pid" 2> /dev/null || break
      sleep 0.05
    done
    kill -TERM "$xvfb_pid" 2> /dev/null; wait "$xvfb_pid" 2> /dev/null || true
    xvfb_pid=
  done
  echo "startup.sh: cannot start Xvfb" >&2
  exit 1
}

# Waits up to $2 s for the log to hold a line matching $1.
wait_log() {
  local deadline=$((SECONDS + $2))
  until grep -q "$1" "$log" 2> /dev/null; do
    [ "$SECONDS" -lt "$deadline" ] && kill -0 "$pid" 2> /dev/null || return 1
    sleep 0.02
  done
}

# One run: the log of the probe, with the exec time first.
run_once() {
  log=$work/run$1.log
  mkdir -p "$work/runtime$1" && chmod 700 "$work/runtime$1"
  (
    cd "$build/dist"
    export XDG_RUNTIME_DIR=$work/runtime$1 SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
    export PLM_STARTUP_LOG=$log PLM_STARTUP_PAUSE_FRAMES=$loading_frames LD_PRELOAD=$probe
    printf 'exec %s\n' "${EPOCHREALTIME/./}" >> "$log"
    exec "$program"
  ) > "$work/stdout$1.txt" 2> "$work/stderr$1.txt" &
  pid=$!
  wait_log '^swap dialog' 60 || { echo "startup.sh: no setup dialog: $(tail -n 3 "$work/stderr$1.txt")" >&2; exit 1; }
  # The dialog takes keys once its window has the focus.
  until grep -q '^key_return' "$log"; do
    xdotool key Return
    wait_log '^key_return' 1 || kill -0 "$pid" 2> /dev/null || { echo "startup.sh: plumora ended in the dialog" >&2; exit 1; }
  done
  wait_log "^swap demo [0-9]* $((loading_frames + 3))\$" 120 \
    || { echo "startup.sh: no demo frames: $(tail -n 3 "$work/stderr$1.txt")" >&2; exit 1; }
  kill -TERM "$pid"
  wait "$pid" || true
  pid=
}

# The phases of one run's log in ms: exec->dialog, Return->loading,
# loading work, InitScene+first frame, Return->demo minus pauses.
phases() {
  awk -v frames="$loading_frames" '
    $1 == "exec" { exec = $2 }
    $1 == "swap" && $2 == "dialog" && !dialog { dialog = $3 }
    $1 == "key_return" && !ret { ret = $2 }
    $1 == "swap" && $2 == "demo" { at[$4] = $3 }
    $1 == "pause" { pauses += $3; count++ }
    END {
      # One rand() per pause, or something else drew numbers meanwhile.
      if (count != frames - 1 || !(frames + 1 in at)) {
        printf "startup.sh: %d pauses and %d demo frames in %s\n", count, length(at), FILENAME > "/dev/stderr"
        exit 1
      }
      printf "%.1f %.1f %.1f %.1f %.1f\n", (dialog - exec) / 1000, (at[1] - ret) / 1000,
        (at[frames] - at[1]) / 1000 - pauses, (at[frames + 1] - at[frames]) / 1000,
        (at[frames + 1] - ret) / 1000 - pauses
    }' "$1"
}

start_xvfb
for i in $(seq "$runs"); do
  echo "startup.sh: run $i of $runs" >&2
  run_once "$i"
  phases "$log" >> "$work/phases.txt"
  [ -z "$keep" ] || cp "$log" "$keep/"
done

# Medians of each column.
median() { cut -d' ' -f"$1" "$work/phases.txt" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
names=("exec -> dialog" "Return -> first loading frame" "loading frames' work beyond the pauses"
  "InitScene + first demo frame" "Return -> first demo frame minus the pauses")
if [ -n "$markdown" ]; then
  echo "| start-up phase ($size, median of $runs) | ms |"
  echo "|---|---:|"
fi
for c in 1 2 3 4 5; do
  if [ -n "$markdown" ]; then
    printf '| %s | %s |\n' "${names[c - 1]}" "$(median "$c")"
  else
    printf '%-46s %8s ms\n' "${names[c - 1]}" "$(median "$c")"
  fi
done
