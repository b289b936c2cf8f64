#!/usr/bin/env bash
# End-to-end checks of how plumora takes input, signals and the loss of its
# window, under Xvfb, driven with xdotool.
# usage: input_signals_e2e.sh SCENARIO DIST_DIR
# Every run happens in a fresh folder holding a copy of data.dat, with
# XDG_RUNTIME_DIR pointing at an empty folder of the test's own; after each
# run neither folder may hold anything the program made.
# Reaction times are measured from just before the key or signal is sent
# until the process has been reaped, and must stay under 1 s (see
# within_bound for the allowance on a loaded machine).
set -uo pipefail
export LC_ALL=C
scenario=$1
dist=$(cd "$2" && pwd)

fail() { echo "FAIL: $scenario: $*" >&2; exit 1; }
note() { echo "$scenario: $*"; }

if [ -z "${E2E_INNER:-}" ]; then
  export E2E_INNER=1 SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  # -noreset: a scenario starts the program several times, and the server
  # must not be resetting, refusing connections, between one run's end (its
  # last client leaving) and the next run's start.
  server="-screen 0 1024x768x24 -noreset"
  if [ "$scenario" = signal_during_error_box ]; then
    # SDL's message box needs a scalable font, which a bare Xvfb lacks:
    # offer DejaVu Sans through a font folder of the test's own.
    export E2E_FONTS
    E2E_FONTS=$(mktemp -d /tmp/plumora-input-fonts-XXXXXX)
    ln -s /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$E2E_FONTS/"
    printf '%s\n' 2 \
      "DejaVuSans.ttf -misc-dejavu sans-medium-r-normal--0-0-0-0-p-0-iso10646-1" \
      "DejaVuSans.ttf -misc-dejavu sans-medium-r-normal--0-0-0-0-p-0-iso8859-1" > "$E2E_FONTS/fonts.dir"
    server="$server -fp $E2E_FONTS,built-ins"
  fi
  exec xvfb-run -a -s "$server" "$0" "$@"
fi

work=$(mktemp -d /tmp/plumora-input-e2e-XXXXXX)
xdg="$work/xdg"
run="$work/run"
pid=""
watchdog=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  [ -n "$watchdog" ] && kill "$watchdog" 2>/dev/null
  rm -rf "$work"
  [ -n "${E2E_FONTS:-}" ] && rm -rf "$E2E_FONTS"
}
trap cleanup EXIT
mkdir -m 700 "$xdg" && mkdir "$run" || fail "cannot make the test folders"
cp "$dist/data.dat" "$run/"
cd "$run"

now_us() { local t=${EPOCHREALTIME/./}; echo $(( 10#$t )); }

# Waits up to $2 seconds for a window whose name matches $1; prints its id.
wait_window() {
  for _ in $(seq 1 $(( $2 * 10 ))); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Starts plumora in the background with a watchdog that kills it after two
# minutes, so that a hang fails the test instead of blocking it. The
# watchdog leaves by itself soon after plumora has ended, and holds none of
# the test's output open.
program=$dist/plumora
start() {
  XDG_RUNTIME_DIR="$xdg" "$program" > stdout.txt 2> stderr.txt &
  pid=$!
  ( for _ in $(seq 1 240); do
      sleep 0.5
      kill -0 "$pid" 2>/dev/null || exit 0
    done
    kill -KILL "$pid" 2>/dev/null ) > /dev/null 2>&1 &
  watchdog=$!
}

# Waits for the end of plumora; sets status.
finish() {
  wait "$pid"
  status=$?
  kill "$watchdog" 2>/dev/null
  wait "$watchdog" 2>/dev/null
  pid=""
  watchdog=""
  [ "$status" -ne 137 ] || fail "plumora hung and was killed: $(cat stderr.txt)"
}

# Runs "$@" (a key press or a signal) and waits for plumora to end; sets
# status and elapsed_ms, the time from just before the command to the end.
act_and_time() {
  local t0 t1
  t0=$(now_us)
  "$@"
  finish
  t1=$(now_us)
  elapsed_ms=$(( (t1 - t0) / 1000 ))
}

# The wall-clock delay this machine adds right now to a 100 ms sleep, in
# ms: the worst of five.
scheduling_delay_ms() {
  local worst=0 t0 d
  for _ in 1 2 3 4 5; do
    t0=$(now_us)
    sleep 0.1
    d=$(( ($(now_us) - t0) / 1000 - 100 ))
    [ "$d" -gt "$worst" ] && worst=$d
  done
  echo "$worst"
}

# How much the machine stretches processor-bound work right now, in percent:
# the wall-clock time of a busy loop over the processor time it got (100 on
# an idle machine, 300 when three runnable tasks share each core).
cpu_stretch_percent() {
  local t0 c0 c1 wall cpu i=0 hz me=$BASHPID
  hz=$(getconf CLK_TCK)
  t0=$(now_us)
  c0=$(awk '{ print $14 + $15 }' "/proc/$me/stat")
  while (( i < 200000 )); do (( i++ )); done
  c1=$(awk '{ print $14 + $15 }' "/proc/$me/stat")
  wall=$(( ($(now_us) - t0) / 1000 ))
  cpu=$(( (c1 - c0) * 1000 / hz ))
  [ "$cpu" -gt 0 ] || cpu=1
  local stretch=$(( wall * 100 / cpu ))
  [ "$stretch" -ge 100 ] && echo "$stretch" || echo 100
}

# True when elapsed_ms is under 1 s. On a loaded machine everything the
# program does after the signal (finishing a frame on the software renderer,
# shutting down) is stretched along with the test's own timing; the
# measurement is then repeated (never the program): the bound grows with the
# stretch of processor-bound work and by ten times the delay a plain sleep
# suffers at the moment.
within_bound() {
  [ "$elapsed_ms" -lt 1000 ] && return 0
  local delay stretch
  delay=$(scheduling_delay_ms)
  stretch=$(cpu_stretch_percent)
  note "reaction $elapsed_ms ms; the machine adds $delay ms to a 100 ms sleep and stretches busy work to $stretch %"
  [ "$elapsed_ms" -lt $(( 10 * stretch + 10 * delay )) ]
}

# Nothing left behind: no plumora_data here, nothing in the XDG folder.
check_clean() {
  [ ! -e plumora_data ] || fail "plumora_data left in the current folder ($1)"
  [ -z "$(ls -A "$xdg")" ] || fail "the XDG runtime folder is not empty ($1): $(ls -A "$xdg")"
}

# Starts the demo, takes the preselected mode with Return and waits for the
# demo window; prints nothing, sets window.
start_demo() {
  start
  wait_window "^plumora$" 30 > /dev/null || fail "the setup dialog did not appear: $(cat stderr.txt)"
  sleep 0.5
  xdotool key Return
  window=$(wait_window "plumora / kelvoth / dravine" 30) || fail "the demo window did not appear: $(cat stderr.txt)"
}

# Brings a fresh run to a phase: dialog, loading (1 s into the loading
# screen, which lasts about 5 s) or demo (well past loading).
reach() {
  case $1 in
    dialog)
      start
      wait_window "^plumora$" 30 > /dev/null || fail "the setup dialog did not appear: $(cat stderr.txt)"
      sleep 0.5 ;;
    loading) start_demo; sleep 1 ;;
    demo) start_demo; sleep 12 ;;
  esac
  kill -0 "$pid" 2>/dev/null || fail "plumora ended before the $1 phase: $(cat stderr.txt)"
}

tap_quits() {
  start_demo
  sleep 12
  kill -0 "$pid" 2>/dev/null || fail "plumora ended early: $(cat stderr.txt)"
  # Press and release in one go: shorter than a frame.
  act_and_time xdotool key Escape
  note "tap in the demo: ended after $elapsed_ms ms with status $status"
  [ "$status" -eq 27 ] || fail "exit status $status after a tap of Escape, expected 27"
  within_bound || fail "a tap took $elapsed_ms ms to end the demo"
  check_clean "after a tap"
}

escape_during_loading() {
  reach loading
  act_and_time xdotool key Escape
  note "Escape during loading: ended after $elapsed_ms ms with status $status"
  [ "$status" -eq 27 ] || fail "exit status $status after Escape during loading, expected 27"
  within_bound || fail "Escape during loading took $elapsed_ms ms"
  check_clean "after Escape during loading"
}

# SIGHUP, SIGINT and SIGTERM in one phase: each ends the run with status 0.
signals_in() {
  local phase=$1
  for sig in HUP INT TERM; do
    reach "$phase"
    act_and_time kill -s "$sig" "$pid"
    note "SIG$sig in the $phase: ended after $elapsed_ms ms with status $status"
    [ "$status" -eq 0 ] || fail "exit status $status after SIG$sig in the $phase, expected 0"
    within_bound || fail "SIG$sig in the $phase took $elapsed_ms ms"
    check_clean "after SIG$sig in the $phase"
  done
}
signals_in_dialog() { signals_in dialog; }
signals_during_loading() { signals_in loading; }
signals_in_demo() { signals_in demo; }

window_closed() {
  reach demo
  act_and_time xdotool windowclose "$window"
  note "window destroyed from outside: ended after $elapsed_ms ms with status $status"
  [ "$status" -eq 7 ] || fail "exit status $status after the window was destroyed, expected 7"
  grep -q "destroyed" stderr.txt || fail "no message about the lost window: $(cat stderr.txt)"
  check_clean "after the window was destroyed"
}

# Processor time of plumora so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

# Minimised (the state a window manager sets, set here by hand since Xvfb
# has none), the demo draws nothing and waits: under 5 % of one processor
# over 4 s, where drawing takes all it gets. Restored, it draws again and a
# tap ends it.
minimised_waits() {
  reach demo
  hz=$(getconf CLK_TCK)
  xprop -id "$window" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_HIDDEN
  sleep 1
  c0=$(cpu_ticks); sleep 4; c1=$(cpu_ticks)
  note "minimised: $(( (c1 - c0) * 1000 / hz )) ms of processor time in 4 s"
  [ $(( c1 - c0 )) -lt $(( hz * 4 / 20 )) ] || fail "the minimised demo used $(( c1 - c0 )) ticks in 4 s"
  xprop -id "$window" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_FULLSCREEN
  sleep 1
  c0=$(cpu_ticks); sleep 2; c1=$(cpu_ticks)
  note "restored: $(( (c1 - c0) * 1000 / hz )) ms of processor time in 2 s"
  [ $(( c1 - c0 )) -gt $(( hz * 2 / 20 )) ] || fail "the restored demo does not draw"
  act_and_time xdotool key Escape
  [ "$status" -eq 27 ] || fail "exit status $status after a tap once restored, expected 27"
  check_clean "after minimising"
}

# An error box blocks the program until it is answered; a quit signal
# still ends the run. Without the box (no usable font) the program ends on
# its own after the message; the test then only checks that.
signal_during_error_box() {
  # A copy of the program, so that no data.dat lies next to it either.
  rm -f data.dat
  mkdir "$work/bin" && cp "$dist/plumora" "$work/bin/" && program=$work/bin/plumora
  start
  shown=""
  for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"ERROR"' && { shown=1; break; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$shown" ]; then
    act_and_time kill -s TERM "$pid"
    note "SIGTERM with the error box showing: ended after $elapsed_ms ms with status $status"
    within_bound || fail "SIGTERM with an error box showing took $elapsed_ms ms"
    xwininfo -root -tree 2>/dev/null | grep -q '"ERROR"' && fail "the error box is still on screen"
  else
    finish
    note "no error box could be shown; the program ended with status $status"
  fi
  [ "$status" -eq 2 ] || fail "exit status $status for a missing data.dat, expected 2"
  grep -q "data.dat" stderr.txt || fail "the message does not name data.dat: $(cat stderr.txt)"
  check_clean "after the error box"
}

# A display number with no server (no socket, no lock), :99 when it is free.
free_display() {
  for n in $(seq 99 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "$n"; return 0; }
  done
  return 1
}

display_missing() {
  n=$(free_display) || fail "no free display number"
  # Named display without a server: SDL's own choice of driver (it falls
  # back to an invisible one) and x11 asked for by name.
  for driver in "" x11; do
    DISPLAY=":$n" SDL_VIDEODRIVER="$driver" XDG_RUNTIME_DIR="$xdg" "$dist/plumora" > stdout.txt 2> stderr.txt
    status=$?
    [ "$status" -eq 4 ] || fail "exit status $status without a display (driver '$driver'), expected 4"
    grep -qF "cannot open display \":$n\"" stderr.txt || fail "the message does not name :$n: $(cat stderr.txt)"
    check_clean "without a display"
  done
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$xdg" "$dist/plumora" > stdout.txt 2> stderr.txt
  status=$?
  [ "$status" -eq 4 ] || fail "exit status $status with DISPLAY unset, expected 4"
  grep -q "no display" stderr.txt || fail "no 'no display' message with DISPLAY unset: $(cat stderr.txt)"
  check_clean "with DISPLAY unset"
}

"$scenario"
echo "PASS: $scenario"
