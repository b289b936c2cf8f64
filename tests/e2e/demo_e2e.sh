#!/usr/bin/env bash
# End-to-end runs of the real program under Xvfb, driven with xdotool.
# usage: demo_e2e.sh SCENARIO DIST_DIR STAGE_DIR PLM_PACK
# Each scenario starts plumora in a fresh folder holding a copy of data.dat
# and checks its exit status, its messages and what it leaves on disk. The
# program unpacks into a private folder under XDG_RUNTIME_DIR, pointed here at
# the scenario's own runtime folder, which must be empty again afterwards.
set -uo pipefail
scenario=$1
dist=$(cd "$2" && pwd)
stage=$(cd "$3" && pwd)
pack=$4

# Fails the scenario; a plumora still running is killed first.
fail() {
  echo "FAIL: $*" >&2
  [ -z "${pid:-}" ] || kill -KILL "$pid" 2>/dev/null
  exit 1
}

if [ -z "${E2E_INNER:-}" ]; then
  export E2E_INNER=1 SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  # -noreset: the server must not reset, refusing connections for a moment,
  # when a run's last client (the setup dialog, say) leaves.
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

work=$(mktemp -d /tmp/plumora-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT
runtime=$work/runtime
mkdir -m 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
cp "$dist/data.dat" "$work/"
cd "$work"
program=$dist/plumora

# Fails with $1 unless the run left nothing: no private folder, and no
# plumora_data in the current folder.
expect_clean() {
  [ ! -e plumora_data ] || fail "$1: plumora_data in the current folder"
  [ -z "$(ls -A "$runtime")" ] || fail "$1: $(ls -A "$runtime") left in the runtime folder"
}

# Waits up to $2 seconds (of the clock, however slow the machine) for a
# window whose name matches $1; prints its id.
wait_window() {
  local deadline=$(( SECONDS + $2 ))
  while [ "$SECONDS" -lt "$deadline" ]; do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Ids of the top-level windows named exactly $1. SDL names its message box
# in a form that `xdotool search --name` does not read, so the window tree is
# listed instead.
windows_named() {
  xwininfo -root -children 2>/dev/null | awk -v name="\"$1\":" '$2 == name { print $1 }'
}

# Presses Return on every message box (caption $1) that appears while $2
# runs, for at most 60 s. Whether SDL can show the box at all depends on the
# X fonts installed: without them the program goes on after its message on
# stderr, with them it waits for the box to be closed.
dismiss_boxes() {
  local caption=$1 pid=$2
  local deadline=$(( SECONDS + 60 ))
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$pid" 2>/dev/null || return 0
    for id in $(windows_named "$caption"); do
      xdotool key --window "$id" Return 2>/dev/null
    done
    sleep 0.3
  done
  fail "plumora still runs 60 s after it met the error: $(cat stderr.txt)"
}

start() { "$program" > stdout.txt 2> stderr.txt & pid=$!; }
# Waits for plumora to end, at most 60 s; a run that does not end is killed
# and fails with its last messages instead of hanging until ctest's timeout.
finish() {
  local deadline=$(( SECONDS + 60 ))
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "plumora did not end within 60 s: $(tail -n 5 stderr.txt)"
  wait "$pid"
  status=$?
}

# Starts the demo, takes the preselected mode with Return and waits for the
# demo window.
start_demo() {
  start
  wait_window "^plumora$" 40 > /dev/null || fail "the setup dialog did not appear: $(cat stderr.txt)"
  sleep 0.5
  xdotool key Return
  wait_window "plumora / kelvoth / dravine" 40 > /dev/null || fail "the demo window did not appear: $(tail -n 5 stderr.txt)"
}

# Holds Escape long enough for the frame loop to see it, then waits for the end.
press_escape() {
  xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
  finish
}

escape_quits() {
  start_demo
  ls -d "$runtime"/plumora-*/plumora_data > /dev/null 2>&1 || fail "the tree is not unpacked while the demo runs"
  sleep 12
  kill -0 "$pid" 2>/dev/null || fail "plumora ended early: $(cat stderr.txt)"
  press_escape
  [ "$status" -eq 27 ] || fail "exit status $status after Escape, expected 27 (the key's code)"
  expect_clean "left behind"
}

close_request() {
  start_demo
  sleep 10
  kill -TERM "$pid"
  finish
  [ "$status" -eq 0 ] || fail "exit status $status after a close request"
  expect_clean "left behind"
}

dialog_cancel() {
  start
  id=$(wait_window "^plumora$" 40) || fail "the setup dialog did not appear"
  sleep 1
  import -window root dialog.png
  geometry=$(xdotool getwindowgeometry "$id")
  echo "$geometry" | grep -q "Position: 322,304" || fail "dialog not centred: $geometry"
  echo "$geometry" | grep -q "Geometry: 380x160" || fail "dialog size: $geometry"
  # The banner fills the top: it is not the plain background colour.
  convert dialog.png -crop 380x131+322+304 +repage banner.png
  # The banner on screen is the setup picture, pixel for pixel (up to JPEG
  # decoders' rounding).
  rmse=$(compare -metric RMSE banner.png "$stage/plumora_data/gfx/setup.jpg" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  awk -v e="$rmse" 'BEGIN { exit !(e < 0.02) }' || fail "the banner differs from setup.jpg (RMSE $rmse)"
  [ -n "${E2E_KEEP:-}" ] && cp dialog.png "$E2E_KEEP/dialog.png"
  xdotool key Escape
  finish
  [ "$status" -eq 0 ] || fail "exit status $status after Cancel"
  expect_clean "after Cancel"
}

missing_archive() {
  # A copy of the program, so that no data.dat lies next to it either.
  rm -f data.dat
  mkdir bin && cp "$dist/plumora" bin/ && program=$work/bin/plumora
  start
  dismiss_boxes ERROR "$pid"
  finish
  [ "$status" -ne 0 ] || fail "a missing data.dat gave status 0"
  grep -q "data.dat" stderr.txt || fail "the message does not name data.dat: $(cat stderr.txt)"
  expect_clean "without an archive"
}

truncated_archive() {
  head -c 100000 "$dist/data.dat" > data.dat
  start
  dismiss_boxes ERROR "$pid"
  finish
  [ "$status" -ne 0 ] || fail "a truncated data.dat gave status 0"
  grep -q "data.dat" stderr.txt || fail "no message naming data.dat: $(cat stderr.txt)"
  expect_clean "after a truncated archive"
}

# Packs the staged tree without the named library into data.dat.
pack_without() {
  mkdir tree && cp -r "$stage/plumora_data" tree/
  rm "tree/plumora_data/dll/$1"
  "$pack" pack tree data.dat > /dev/null || fail "cannot pack the reduced tree"
  rm -rf tree
}

missing_engine() {
  pack_without plm_engine.so
  start
  dismiss_boxes ERROR "$pid"
  finish
  [ "$status" -eq 3 ] || fail "exit status $status without the engine, expected 3"
  grep -q "plm_engine.so" stderr.txt || fail "the message does not name plm_engine.so: $(cat stderr.txt)"
  xdotool search --name "^plumora$" > /dev/null 2>&1 && fail "the setup dialog opened"
  expect_clean "left behind"
}

missing_audio() {
  pack_without bass.so
  start_demo
  sleep 8
  kill -0 "$pid" 2>/dev/null || fail "plumora ended early: $(cat stderr.txt)"
  press_escape
  [ "$status" -eq 27 ] || fail "exit status $status, expected 27"
  grep -q "bass.so" stderr.txt || fail "the missing audio library was not reported"
  expect_clean "left behind"
}

"$scenario"
echo "PASS: $scenario"
