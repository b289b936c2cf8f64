#!/usr/bin/env bash
# End-to-end runs of the real program under Xvfb about its private working
# folder, where it finds data.dat, and its command line.
# usage: private_folder_e2e.sh SCENARIO DIST_DIR REFUSE_WINDOW_MODULE
# Every scenario points XDG_RUNTIME_DIR at an empty folder of its own, where
# the program makes its private folder, and checks that folder is empty
# again when the program has ended. The user's folder ($user) starts with a
# copy of data.dat and a plumora_data/ of the user's own, which no run may
# read, change or remove.
set -uo pipefail
scenario=$1
dist=$(cd "$2" && pwd)
refuse_window=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

# -noreset: the server must not reset when the setup dialog, its last client
# for a moment, disconnects; these scenarios are about the program's folders.
if [ -z "${E2E_INNER:-}" ]; then
  export E2E_INNER=1 SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/plumora-private-e2e-XXXXXX")
cleanup() {
  for p in ${pids:-}; do kill -KILL "$p" 2> /dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
runtime=$work/runtime
user=$work/user
mkdir -m 700 "$runtime"
mkdir -p "$user/plumora_data/gfx"
export XDG_RUNTIME_DIR=$runtime TMPDIR=$work/no-such-tmp
cp "$dist/data.dat" "$user/"
head -c 4096 /dev/urandom > "$work/mine.bin"
cp "$work/mine.bin" "$user/plumora_data/gfx/setup.jpg"
cd "$user"

# What the user's folder holds, names, sizes and times, to compare later.
listing() { (cd "$1" && find . -printf '%p %y %s %T@\n' | sort); }
user_before=$(listing "$user")

expect_user_untouched() {
  cmp -s "$work/mine.bin" "$user/plumora_data/gfx/setup.jpg" \
    || fail "the user's plumora_data/gfx/setup.jpg changed or went away"
  [ "$(listing "$user")" = "$user_before" ] || fail "the user's folder changed:
$(diff <(echo "$user_before") <(listing "$user"))"
}

expect_runtime_empty() {
  [ -z "$(ls -A "$runtime")" ] || fail "left behind in the runtime folder: $(ls -A "$runtime")"
}

# The one private folder of the running program(s); fails unless there are n.
private_folders() {
  local n=$1 found
  found=$(find "$runtime" -mindepth 1 -maxdepth 1 -name 'plumora-*' -type d -perm 700 | sort)
  [ "$(echo -n "$found" | grep -c '^')" -eq "$n" ] || fail "expected $n private folder(s), found: $(ls -la "$runtime")"
  echo "$found"
}

# Waits up to $2 seconds for a window named $1 (optionally of pid $3); prints its id.
wait_window() {
  local id
  for _ in $(seq 1 $(( $2 * 10 ))); do
    if [ -n "${3:-}" ]; then
      id=$(xdotool search --all --pid "$3" --name "$1" 2> /dev/null | head -n1)
    else
      id=$(xdotool search --name "$1" 2> /dev/null | head -n1)
    fi
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Presses Return on every message box (caption $1) that appears while $2 runs.
dismiss_boxes() {
  local caption=$1 pid=$2
  while kill -0 "$pid" 2> /dev/null; do
    for id in $(xdotool search --name "^$caption\$" 2> /dev/null); do
      xdotool windowfocus "$id" key Return 2> /dev/null || xdotool key --window "$id" Return
    done
    sleep 0.3
  done
}

# Starts the program (extra arguments go before it, e.g. a wrapper); sets pid.
start() {
  "$@" "$dist/plumora" >> "$work/stdout.txt" 2>> "$work/stderr.txt" &
  pid=$!
  pids="${pids:-} $pid"
}
finish() { wait "$1"; status=$?; }

# Takes the preselected mode of the setup dialog of program $1 and waits for
# its demo window; prints the window's id.
enter_demo() {
  local dialog
  dialog=$(wait_window "^plumora$" 30 "$1") || fail "the setup dialog did not appear: $(cat "$work/stderr.txt")"
  sleep 0.5
  xdotool windowfocus "$dialog" key Return
  wait_window "plumora / kelvoth / dravine" 30 "$1" || fail "the demo window did not appear: $(cat "$work/stderr.txt")"
}

# Holds Escape on window $2 of program $1, again and again (the loading
# screen may still be running), until the program ends; sets status. The key
# goes to whichever window has the focus, so it is pressed only once window
# $2 has it: with two copies running, a press meant for one must never reach
# the other.
escape_until_end() {
  for _ in $(seq 1 60); do
    timeout 5 xdotool windowfocus --sync "$2" 2> /dev/null
    if [ "$(xdotool getwindowfocus 2> /dev/null)" = "$2" ]; then
      xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
    fi
    for _ in $(seq 1 10); do
      kill -0 "$1" 2> /dev/null || break 2
      sleep 0.1
    done
  done
  finish "$1"
}

# Runs program $1 (already started) into the demo for a few seconds, checks
# its private folder while it runs, then ends it with Escape.
demo_to_escape() {
  local window folder
  window=$(enter_demo "$1") || exit 1
  folder=$(private_folders 1) || exit 1
  [ -f "$folder/plumora_data/dll/plm_engine.so" ] || fail "the archive is not unpacked in $folder"
  sleep 3
  kill -0 "$1" 2> /dev/null || fail "plumora ended early: $(cat "$work/stderr.txt")"
  escape_until_end "$1" "$window"
  [ "$status" -eq 27 ] || fail "exit status $status after Escape, expected 27: $(cat "$work/stderr.txt")"
}

user_tree_survives_escape() {
  start
  demo_to_escape "$pid"
  expect_user_untouched
  expect_runtime_empty
}

user_tree_survives_cancel() {
  start
  dialog=$(wait_window "^plumora$" 30 "$pid") || fail "the setup dialog did not appear"
  private_folders 1 > /dev/null
  sleep 0.5
  xdotool windowfocus "$dialog" key Escape
  finish "$pid"
  [ "$status" -eq 0 ] || fail "exit status $status after Cancel"
  expect_user_untouched
  expect_runtime_empty
}

user_tree_survives_sigkill() {
  start
  enter_demo "$pid" > /dev/null
  kill -KILL "$pid"
  finish "$pid"
  expect_user_untouched
  # A killed run cannot clean up: what it leaves is its own folder only.
  private_folders 1 > /dev/null
  rm -rf "${runtime:?}"/*
}

# The second copy unpacks while the first plays; each must keep running on
# its own libraries and end with its own Escape.
two_copies_side_by_side() {
  start; first=$pid
  first_window=$(enter_demo "$first") || exit 1
  sleep 2
  start; second=$pid
  second_window=$(enter_demo "$second") || exit 1
  private_folders 2 > /dev/null
  sleep 3
  kill -0 "$first" 2> /dev/null || fail "the first copy died while the second started"
  kill -0 "$second" 2> /dev/null || fail "the second copy died"
  escape_until_end "$second" "$second_window"
  [ "$status" -eq 27 ] || fail "second copy: exit status $status, expected 27"
  private_folders 1 > /dev/null
  kill -0 "$first" 2> /dev/null || fail "the first copy died when the second ended"
  escape_until_end "$first" "$first_window"
  [ "$status" -eq 27 ] || fail "first copy: exit status $status, expected 27"
  expect_user_untouched
  expect_runtime_empty
}

# The current folder is made read-only with a read-only bind mount in a mount
# namespace of the program's own (root ignores file modes). Where mounts are
# not allowed, the run happens in the ordinary folder and the check is that
# nothing in it changed.
read_only_current_folder() {
  if unshare -m sh -c 'mount --bind -o ro "$1" "$1" && ! touch "$1/probe" 2> /dev/null' sh "$user" 2> /dev/null; then
    start unshare -m -- sh -c 'mount --bind -o ro "$1" "$1" && cd "$1" && exec "$2"' sh "$user"
  else
    echo "note: no read-only bind mount here; checking that nothing is written instead"
    start
  fi
  demo_to_escape "$pid"
  expect_user_untouched
  expect_runtime_empty
}

# Started from a folder without data.dat, the program uses the one next to it.
archive_next_to_program() {
  mkdir "$work/elsewhere" && cd "$work/elsewhere"
  start
  dialog=$(wait_window "^plumora$" 30 "$pid") || fail "the setup dialog did not appear: $(cat "$work/stderr.txt")"
  sleep 0.5
  xdotool windowfocus "$dialog" key Escape
  finish "$pid"
  [ "$status" -eq 0 ] || fail "exit status $status after Cancel"
  [ -z "$(ls -A "$work/elsewhere")" ] || fail "written into the current folder: $(ls -A "$work/elsewhere")"
  expect_runtime_empty
}

# A base folder that cannot hold the private folder: a message naming it and
# why, its own status, nothing made anywhere.
unusable_private_base() {
  export XDG_RUNTIME_DIR=$work/missing
  start
  dismiss_boxes ERROR "$pid"
  finish "$pid"
  [ "$status" -eq 6 ] || fail "exit status $status, expected 6: $(cat "$work/stderr.txt")"
  grep -q "$work/missing: No such file or directory" "$work/stderr.txt" \
    || fail "the message does not name the folder and the reason: $(cat "$work/stderr.txt")"
  [ ! -e "$work/missing" ] || fail "the missing base was created"
  expect_user_untouched
  expect_runtime_empty
}

# A demo window that cannot be opened: its message, a status of its own, and
# the private folder removed like on every other way out.
window_cannot_open() {
  start env LD_PRELOAD="$refuse_window"
  dialog=$(wait_window "^plumora$" 30 "$pid") || fail "the setup dialog did not appear: $(cat "$work/stderr.txt")"
  sleep 0.5
  xdotool windowfocus "$dialog" key Return
  dismiss_boxes ERROR "$pid"
  finish "$pid"
  [ "$status" -eq 5 ] || fail "exit status $status, expected 5: $(cat "$work/stderr.txt")"
  grep -q "^ERROR: Window Creation Error" "$work/stderr.txt" || fail "no message: $(cat "$work/stderr.txt")"
  expect_user_untouched
  expect_runtime_empty
}

# --help and --version answer without a display, an archive or a private
# folder; anything else is a usage error.
help_and_version() {
  mkdir "$work/empty" && cd "$work/empty"
  (unset DISPLAY; "$dist/plumora" --help > "$work/help.txt" 2> "$work/stderr.txt")
  [ $? -eq 0 ] || fail "--help: exit status not 0: $(cat "$work/stderr.txt")"
  grep -q "^usage: plumora" "$work/help.txt" || fail "--help prints no usage: $(cat "$work/help.txt")"
  for status in 0 27 2 3 4 5 6 7 64; do
    grep -Eq "^ *$status  " "$work/help.txt" || fail "--help does not list exit status $status"
  done
  [ ! -s "$work/stderr.txt" ] || fail "--help wrote to stderr: $(cat "$work/stderr.txt")"
  (unset DISPLAY; "$dist/plumora" --version > "$work/version.txt" 2> "$work/stderr.txt")
  [ $? -eq 0 ] || fail "--version: exit status not 0"
  grep -Eq "^plumora [0-9]" "$work/version.txt" || fail "--version prints: $(cat "$work/version.txt")"
  (unset DISPLAY; "$dist/plumora" --fullscreen > "$work/bad.txt" 2> "$work/stderr.txt")
  [ $? -eq 64 ] || fail "an unknown option did not give status 64"
  grep -q -- "--fullscreen" "$work/stderr.txt" || fail "the unknown option is not named: $(cat "$work/stderr.txt")"
  [ ! -s "$work/bad.txt" ] || fail "a usage error wrote to stdout"
  [ -z "$(ls -A "$work/empty")" ] || fail "written into the current folder"
  expect_runtime_empty
}

"$scenario"
echo "PASS: $scenario"
