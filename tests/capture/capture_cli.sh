#!/usr/bin/env bash
# plumora-capture run as a user runs it: its command-line checks, its exit
# statuses, and its clean-up when a stop signal arrives.
# usage: capture_cli.sh SCENARIO CAPTURE DATA_DAT
# Every run gets TMPDIR pointing at a folder of this test, which must be
# empty again afterwards: the capture's temporary folder is gone.
set -uo pipefail
scenario=$1
capture=$2
data=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/plm-capture-cli-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp"
cd "$work"
# The capture's temporary folder goes under TMPDIR only.
unset XDG_RUNTIME_DIR
export TMPDIR=$work/tmp SDL_AUDIODRIVER=dummy

expect_tmp_empty() {
  [ -z "$(ls -A "$work/tmp")" ] || fail "$1: temporary folder left behind: $(ls -A "$work/tmp")"
}

# Runs the capture with the given arguments; sets status and fills
# stdout.txt and stderr.txt.
run() {
  "$capture" "$@" > stdout.txt 2> stderr.txt
  status=$?
}

# Runs a command line that must be refused: status 2, the reason ($1) on
# stderr, nothing on stdout, no frame, no frame folder made and no temporary
# folder left.
expect_refused() {
  local reason=$1
  shift
  run "$@"
  [ "$status" -eq 2 ] || fail "$*: status $status, expected 2; stderr: $(cat stderr.txt)"
  grep -qF -- "$reason" stderr.txt || fail "$*: stderr lacks '$reason': $(cat stderr.txt)"
  [ ! -s stdout.txt ] || fail "$*: wrote to stdout: $(cat stdout.txt)"
  [ -z "$(find "$work" -name '*.png')" ] || fail "$*: wrote a frame"
  [ ! -d frames ] || fail "$*: made the frame folder"
  expect_tmp_empty "$*"
}

# Starts a long capture in the background with the default action for the
# stop signals (a shell's background jobs start with SIGINT ignored, and an
# ignored signal stays ignored).
start_long_capture() {
  perl -e '$SIG{$_} = "DEFAULT" for qw(INT TERM HUP); exec @ARGV or die' -- \
    "$capture" --data "$data" --out frames --size 64x48 --step-fps 10 --fps 10 --from 0 --to 600000 \
    > stdout.txt 2> stderr.txt &
  pid=$!
}

# Waits up to $2 seconds for the command $1 to succeed.
wait_for() {
  local deadline=$(( SECONDS + $2 ))
  until eval "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    kill -0 "$pid" 2> /dev/null || return 1
    sleep 0.1
  done
}

# Waits up to 120 s for the background capture to end; sets status.
wait_end() {
  local deadline=$(( SECONDS + 120 ))
  while kill -0 "$pid" 2> /dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || { kill -KILL "$pid"; fail "the capture did not stop"; }
    sleep 0.1
  done
  wait "$pid"
  status=$?
}

# Every frame in frames/ is a whole PNG (it ends with the IEND chunk).
expect_whole_frames() {
  for frame in frames/*.png; do
    [ -e "$frame" ] || continue
    tail -c 8 "$frame" | grep -q IEND || fail "$frame is not a whole PNG"
  done
  [ -z "$(find frames -type f ! -name '*.png')" ] || fail "stray files in frames/: $(ls frames)"
}

case "$scenario" in
usage)
  run --version
  [ "$status" -eq 0 ] || fail "--version: status $status"
  grep -q '^plumora-capture [0-9]' stdout.txt || fail "--version printed: $(cat stdout.txt)"
  [ ! -s stderr.txt ] || fail "--version wrote to stderr"
  run --help
  [ "$status" -eq 0 ] || fail "--help: status $status"
  grep -q 'Exit status' stdout.txt || fail "--help lists no exit statuses"
  [ ! -s stderr.txt ] || fail "--help wrote to stderr"
  ok=(--data "$data" --out frames)
  expect_refused "unknown option --bogus" "${ok[@]}" --at 500 --bogus 1
  expect_refused "--from 9000 lies after --to 5000" "${ok[@]}" --fps 30 --from 9000 --to 5000
  expect_refused "--from and --to only apply with --fps" "${ok[@]}" --at 500 --from 0 --to 1000
  expect_refused "bad value for --at: 'abc'" "${ok[@]}" --at abc
  expect_refused "bad value for --size" "${ok[@]}" --at 500 --size 640x
  expect_refused "bad value for --aa: '3'" "${ok[@]}" --at 500 --aa 3
  expect_refused "--data: cannot read $work/missing.dat" --data missing.dat --out frames --at 500
  # The picture size is checked against the GL implementation's limits.
  expect_refused "larger than the OpenGL implementation can render" "${ok[@]}" --at 500 --size 60000x60000
  ;;
out_is_file)
  # A frame 10 minutes into the demo takes minutes to reach: the refusal
  # must come before any rendering.
  echo mine > frames
  start=$SECONDS
  expect_refused "--out: frames is a file, not a folder" --data "$data" --out frames --at 600000
  [ $(( SECONDS - start )) -lt 30 ] || fail "the refusal took $(( SECONDS - start )) s"
  [ "$(cat frames)" = mine ] || fail "the file given as --out was changed"
  ;;
bad_archive)
  # A failure while working: status 1, the reason, nothing left behind.
  head -c 2000 "$data" > truncated.dat
  run --data truncated.dat --out frames --at 500
  [ "$status" -eq 1 ] || fail "truncated archive: status $status, expected 1; $(cat stderr.txt)"
  grep -q "truncated" stderr.txt || fail "truncated archive: no reason given: $(cat stderr.txt)"
  [ -z "$(ls -A frames)" ] || fail "truncated archive: frames written"
  expect_tmp_empty "truncated archive"
  ;;
aa)
  # --aa 1 draws exactly as without it; more samples change only edges; a
  # count beyond the implementation is refused before anything is made.
  shot() { run --data "$data" --size 160x120 --step-fps 30 --at 3000 --out "$1" "${@:2}"; }
  frame=0003000.00.png
  shot plain
  [ "$status" -eq 0 ] || fail "plain capture: status $status; $(cat stderr.txt)"
  shot one --aa 1
  cmp -s plain/$frame one/$frame || fail "--aa 1 differs from the capture without --aa"
  shot two --aa 2
  [ "$status" -eq 0 ] || fail "--aa 2: status $status; $(cat stderr.txt)"
  ! cmp -s plain/$frame two/$frame || fail "--aa 2 changed nothing"
  changed=$(compare -metric AE plain/$frame two/$frame null: 2>&1) || true
  [ "${changed%%.*}" -lt $(( 160 * 120 / 4 )) ] 2> /dev/null || fail "--aa 2 changed $changed pixels of 19200"
  shot eight --aa 8
  if [ "$status" -ne 0 ]; then
    [ "$status" -eq 2 ] || fail "--aa 8: status $status; $(cat stderr.txt)"
    grep -q -- "--aa 8: this OpenGL implementation offers at most [24] samples per pixel" stderr.txt ||
      fail "--aa 8 refused without the limit: $(cat stderr.txt)"
    [ ! -d eight ] || fail "--aa 8 refused but made its frame folder"
  fi
  expect_tmp_empty "--aa"
  ;;
stop_INT|stop_HUP)
  # The signal arrives while frames are being written.
  signal=${scenario#stop_}
  start_long_capture
  wait_for 'grep -q "written" stderr.txt' 300 || fail "no frame was written: $(cat stderr.txt)"
  kill -"$signal" "$pid"
  wait_end
  expected=$(( 128 + $(kill -l "$signal") ))
  [ "$status" -eq "$expected" ] || fail "SIG$signal: status $status, expected $expected; $(tail -3 stderr.txt)"
  grep -q "stopped by signal" stderr.txt || fail "SIG$signal: no word of the stop"
  [ -n "$(ls frames)" ] || fail "SIG$signal: the frames written before the stop are gone"
  [ ! -s stdout.txt ] || fail "wrote to stdout: $(head -3 stdout.txt)"
  expect_whole_frames
  expect_tmp_empty "SIG$signal"
  ;;
stop_TERM)
  # The signal arrives as soon as the temporary folder exists: during the
  # unpacking or the start-up, before any frame.
  start_long_capture
  wait_for '[ -n "$(ls -A "$work/tmp")" ]' 300 || fail "no temporary folder appeared: $(cat stderr.txt)"
  kill -TERM "$pid"
  wait_end
  [ "$status" -eq 143 ] || fail "SIGTERM: status $status, expected 143; $(tail -3 stderr.txt)"
  expect_whole_frames
  expect_tmp_empty "SIGTERM"
  ;;
*)
  fail "unknown scenario $scenario"
  ;;
esac
echo "PASS: $scenario"
