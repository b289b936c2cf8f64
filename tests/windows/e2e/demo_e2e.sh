#!/usr/bin/env bash
# End-to-end runs of plumora.exe under Wine on Xvfb, driven with xdotool.
# usage: demo_e2e.sh SCENARIO PROGRAM DATA STAGE PLM_PACK REFUSE_MODE_DLL PROBE
#   PROGRAM          plumora.exe
#   DATA             the Windows data.dat
#   STAGE            the tree DATA was packed from (plumora_data/...)
#   PLM_PACK         the packer of the build machine
#   REFUSE_MODE_DLL  the stand-in bass.dll that makes every mode refused
#   PROBE            dialog_probe.exe, which reads the program's windows
# Each scenario runs the program in a fresh folder holding a copy of
# data.dat, in a Wine session of its own (wine_session.sh), and checks its
# exit status, its windows and messages, and what it leaves on disk. As on
# Windows, no XDG_RUNTIME_DIR or TMPDIR is set: the program makes its
# private folder in Windows' temporary folder, here $work/temp (the
# prefix's TEMP and TMP), which must be empty again when it has ended.
set -uo pipefail
scenario=$1
program=$(realpath "$2")
data=$(realpath "$3")
stage=$(realpath "$4")
pack=$(realpath "$5")
refuse_mode=$(realpath "$6")
probe=$(realpath "$7")

source "$(dirname "$0")/wine_session.sh"
wine_session_start

run=$work/run
mkdir -p "$run" "$work/temp" || fail "cannot make the test folders"
wine reg add 'HKCU\Environment' /v TEMP /d "$(winepath -w "$work/temp")" /f > /dev/null 2>&1 \
  && wine reg add 'HKCU\Environment' /v TMP /d "$(winepath -w "$work/temp")" /f > /dev/null 2>&1 \
  || fail "cannot point the prefix's TEMP at $work/temp"
cp "$data" "$run/data.dat"
cd "$run"

# What a folder holds, names, kinds, sizes and times, to compare later.
listing() { (cd "$1" && find . -printf '%p %y %s %T@\n' | sort); }

# Runs the probe; its output on stdout, its status as the result.
probe() { wine "$probe" "$@" 2> /dev/null | tr -d '\r'; }

# Starts the program (path $1, default plumora.exe) in the current folder.
start() {
  wine "${1:-$program}" > "$work/stdout.txt" 2> "$work/stderr.txt" &
  program_pid=$!
}

messages() { tail -n 8 "$work/stderr.txt" 2> /dev/null; }

# Waits for the program to end, at most 90 s; sets status. A run that does
# not end is killed and fails with its last messages.
finish() {
  local deadline=$((SECONDS + 90))
  while kill -0 "$program_pid" 2> /dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
  kill -0 "$program_pid" 2> /dev/null && fail "plumora.exe did not end within 90 s: $(messages)"
  wait "$program_pid"
  status=$?
  program_pid=""
}

# Waits up to $1 seconds for the setup dialog; leaves the probe's report in
# $work/dialog.txt and the dialog's X window in $dialog.
wait_dialog() {
  local deadline=$((SECONDS + $1))
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$program_pid" 2> /dev/null || fail "plumora.exe ended before its setup dialog showed: $(messages)"
    if probe setup > "$work/dialog.txt"; then
      dialog=$(awk '$1 == "x11" { print $2 }' "$work/dialog.txt")
      return 0
    fi
    sleep 0.3
  done
  fail "the setup dialog did not appear within $1 s: $(messages)"
}

# Waits up to $1 seconds for the demo window; prints its X window id.
wait_demo_window() {
  local deadline=$((SECONDS + $1)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    id=$(xdotool search --name '^plumora / kelvoth / dravine$' 2> /dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$program_pid" 2> /dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Answers every message box with Return, in the order they appear, until
# the program has ended (at most 90 s); the texts ("CAPTION|TEXT", one a
# line) go to $work/boxes.txt. Sets demo_window_seen when the demo window
# showed meanwhile.
answer_boxes() {
  local deadline=$((SECONDS + 90)) answered=" " id text
  : > "$work/boxes.txt"
  demo_window_seen=""
  while kill -0 "$program_pid" 2> /dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "plumora.exe still runs 90 s after its first message: $(messages)"
    xdotool search --name '^plumora / kelvoth / dravine$' > /dev/null 2>&1 && demo_window_seen=yes
    while read -r _ id text; do
      case "$answered" in *" $id "*) continue ;; esac
      echo "$text" >> "$work/boxes.txt"
      answered="$answered$id "
      xdotool windowfocus "$id" key Return 2> /dev/null
    done < <(probe boxes)
    sleep 0.3
  done
}

# The one private folder of the running program, found by the engine
# library it unpacks; fails unless there is exactly one, in Windows'
# temporary folder.
private_folder() {
  local found
  found=$(find "$work" -path '*/plumora_data/dll/plm_engine.dll' 2> /dev/null)
  [ "$(echo -n "$found" | grep -c '^')" -eq 1 ] || fail "expected one unpacked tree in $work while the program runs, found: ${found:-none}"
  case "$found" in
    "$work/temp/"*) ;;
    *) fail "the tree is unpacked outside Windows' temporary folder: $found" ;;
  esac
  echo "${found%/plumora_data/dll/plm_engine.dll}"
}

run_before=$(listing "$run")
# Fails with $1 unless the run left nothing: the working folder as before,
# the temporary folder empty.
expect_clean() {
  [ "$(listing "$run")" = "$run_before" ] || fail "$1: the working folder changed:
$(diff <(echo "$run_before") <(listing "$run"))"
  [ -z "$(ls -A "$work/temp")" ] || fail "$1: left in the temporary folder: $(ls -A "$work/temp")"
}

expect_desktop_mode() {
  local now
  now=$(probe mode)
  [ "$now" = "$desktop" ] || fail "$1: the display mode is '$now', not the desktop's '$desktop'"
}

# Root-mean-square difference of two pictures (or regions), 0 to 1.
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'; }
# Mean brightness of a picture, 0 to 1.
brightness() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a != "" && a < b) }'; }

desktop=$(probe mode)
case "$desktop" in current\ *) ;; *) fail "cannot read the desktop mode: '$desktop'" ;; esac

# The dialog is centred, the setup picture fills its top, the list holds the
# desktop mode and has it selected; Escape is Cancel, status 0.
dialog_shows() {
  start
  wait_dialog 60
  grep -q '^rect 322 304 380 160$' "$work/dialog.txt" || fail "dialog not 380x160 at 322,304: $(grep rect "$work/dialog.txt")"
  grep -qx "item ${desktop#current }" "$work/dialog.txt" || fail "the desktop mode is not in the list: $(cat "$work/dialog.txt")"
  grep -qx "selected ${desktop#current }" "$work/dialog.txt" \
    || fail "the list does not show the desktop mode ${desktop#current }: $(grep selected "$work/dialog.txt")"
  # The picture is painted after the dialog maps: wait until the banner
  # region matches the setup picture (JPEG decoders round differently, and
  # the screen has 8 bits a channel), for at most 20 s.
  local deadline=$((SECONDS + 20)) error=""
  while [ "$SECONDS" -lt "$deadline" ]; do
    import -window root "$work/dialog.png"
    convert "$work/dialog.png" -crop 380x131+322+304 +repage "$work/banner.png"
    error=$(rmse "$work/banner.png" "$stage/plumora_data/gfx/setup.jpg")
    below "$error" 0.02 && break
    sleep 0.5
  done
  below "$error" 0.02 || fail "the dialog's banner differs from setup.jpg (RMSE ${error:-unknown})"
  note "banner RMSE against setup.jpg: $error; the list: $(sed -n 's/^item //p' "$work/dialog.txt" | paste -sd ',')"
  [ -n "${E2E_KEEP:-}" ] && cp "$work/dialog.png" "$E2E_KEEP/dialog.png"
  xdotool windowfocus "$dialog" key Escape
  finish
  [ "$status" -eq 0 ] || fail "exit status $status after Cancel, expected 0: $(messages)"
  expect_clean "after Cancel"
}

# Return takes the desktop mode; the loading screen shows the loader
# picture, the demo then draws frames that are neither black nor the
# loading screen; a tap of Escape ends it with status 27 and nothing left.
return_to_demo() {
  local window folder shot error lit
  start
  wait_dialog 60
  xdotool windowfocus "$dialog" key Return
  window=$(wait_demo_window 60) || fail "the demo window did not appear: $(messages)"
  local geometry
  geometry=$(xdotool getwindowgeometry "$window" 2> /dev/null)
  echo "$geometry" | grep -q "Position: 0,0" && echo "$geometry" | grep -q "Geometry: 1024x768" \
    || fail "the demo window does not cover the screen: $geometry"
  folder=$(private_folder) || exit 1
  note "private folder while the demo runs: ${folder#"$work"/}"
  # The loading screen: the loader picture over the whole screen, up to the
  # row of balls (y 676), while they are still being added.
  local deadline=$((SECONDS + 30)) loading=""
  while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$program_pid" 2> /dev/null; do
    shot=$work/shot-$SECONDS.png
    import -window root "$shot"
    convert "$shot" -crop 1024x670+0+0 +repage "$work/top.png"
    convert "$stage/plumora_data/gfx/loader_back.jpg" -crop 1024x670+0+0 +repage "$work/back_top.png"
    error=$(rmse "$work/top.png" "$work/back_top.png")
    if below "$error" 0.03; then loading=$shot; break; fi
    sleep 0.2
  done
  [ -n "$loading" ] || fail "the loading screen was not seen (last RMSE against loader_back.jpg: ${error:-none})"
  note "loading screen seen (RMSE against loader_back.jpg above the balls: $error)"
  # The demo: a picture that is not black and not the loading screen.
  deadline=$((SECONDS + 90))
  local demo=""
  while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$program_pid" 2> /dev/null; do
    shot=$work/demo.png
    import -window root "$shot"
    lit=$(brightness "$shot")
    error=$(rmse "$shot" "$loading")
    if ! below "$lit" 0.02 && ! below "$error" 0.1; then demo=$shot; break; fi
    sleep 0.5
  done
  [ -n "$demo" ] || fail "no demo frame after the loading screen (brightness ${lit:-?}, RMSE against it ${error:-?}): $(messages)"
  note "demo frame seen: brightness $lit, RMSE against the loading screen $error"
  [ -n "${E2E_KEEP:-}" ] && cp "$loading" "$E2E_KEEP/loading.png" && cp "$demo" "$E2E_KEEP/demo.png"
  kill -0 "$program_pid" 2> /dev/null || fail "plumora.exe ended early: $(messages)"
  sleep 2
  xdotool key Escape
  finish
  [ "$status" -eq 27 ] || fail "exit status $status after a tap of Escape, expected 27: $(messages)"
  [ ! -e "$folder" ] || fail "the private folder $folder is still there"
  expect_clean "after Escape"
  expect_desktop_mode "after Escape"
}

# No data.dat in the current folder nor next to the program: one message
# naming it, in a box and on stderr, and a non-zero status.
missing_archive() {
  rm -f data.dat
  run_before=$(listing "$run")
  mkdir "$work/bin" && cp "$program" "$work/bin/" || fail "cannot copy the program"
  start "$work/bin/$(basename "$program")"
  answer_boxes
  finish
  [ "$status" -ne 0 ] || fail "a missing data.dat gave status 0"
  [ "$(wc -l < "$work/boxes.txt")" -eq 1 ] || fail "expected one message box, got: $(cat "$work/boxes.txt")"
  grep -q '^ERROR|.*data\.dat' "$work/boxes.txt" || fail "the box does not name data.dat: $(cat "$work/boxes.txt")"
  grep -qF "$(cut -d'|' -f2- "$work/boxes.txt")" "$work/stderr.txt" || fail "the box's text is not on stderr: $(messages)"
  note "status $status, message: $(cat "$work/boxes.txt")"
  expect_clean "without an archive"
}

# A driver that refuses the chosen mode: the two messages, in order, no
# demo window, a non-zero status, the desktop mode kept and nothing left.
refused_mode() {
  mkdir "$work/tree" && cp -r "$stage/plumora_data" "$work/tree/" || fail "cannot copy the staged tree"
  cp "$refuse_mode" "$work/tree/plumora_data/dll/bass.dll"
  "$pack" pack "$work/tree" "$run/data.dat" > /dev/null || fail "cannot pack the data set with the refusing library"
  rm -rf "$work/tree"
  run_before=$(listing "$run")
  start
  wait_dialog 60
  xdotool windowfocus "$dialog" key Return
  answer_boxes
  finish
  grep -q 'refuse_mode: [1-9][0-9]* import' "$work/stderr.txt" || fail "the refusing library rewrote no import: $(messages)"
  grep -q 'refuse_mode: .* refused a full-screen mode' "$work/stderr.txt" || fail "no mode was asked for: $(messages)"
  printf 'ERROR|Unable To Run In Fullscreen!\nERROR|Program Will Now Quit\n' | cmp -s - "$work/boxes.txt" \
    || fail "the messages were: $(cat "$work/boxes.txt")"
  grep -q 'Unable To Run In Fullscreen!' "$work/stderr.txt" && grep -q 'Program Will Now Quit' "$work/stderr.txt" \
    || fail "the two messages are not on stderr: $(messages)"
  [ "$status" -ne 0 ] || fail "a refused mode gave status 0"
  [ -z "$demo_window_seen" ] || fail "the demo window was created"
  note "status $status, messages: $(tr '\n' ' ' < "$work/boxes.txt")"
  expect_clean "after the refused mode"
  expect_desktop_mode "after the refused mode"
}

case "$scenario" in
  dialog_shows | return_to_demo | missing_archive | refused_mode) "$scenario" ;;
  *) fail "unknown scenario" ;;
esac
echo "PASS: $scenario"
