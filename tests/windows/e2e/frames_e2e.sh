#!/usr/bin/env bash
# The same demo frames from the Windows build under Wine and from the Linux
# build: plumora-capture.exe and plumora-capture render the same data set
# (each with its own libraries) at the same demo times, 640x480, and every
# pair of frames must match within a small tolerance.
# usage: frames_e2e.sh WINDOWS_CAPTURE WINDOWS_DATA LINUX_CAPTURE LINUX_DATA
# Both render with Mesa's llvmpipe: the Windows build through Wine's
# opengl32 and GLX on Xvfb, the Linux build off screen.
#
# A pixel counts as different when one of its channels differs by more than
# FUZZ percent of the full range; a pair matches when at most MAX_PIXELS
# pixels differ. The two builds decode JPEG pictures with different
# decoders (stb_image in devil.dll, libjpeg in DevIL), whose results differ
# by a level or two: textured pixels may differ that much, and a handful
# more where blended textures add up the rounding. Every frame's count,
# the number of pixels that differ at all and the largest channel
# difference are printed. Set E2E_KEEP to a folder to keep the frames.
set -uo pipefail
scenario=frames
windows_capture=$(realpath "$1")
windows_data=$(realpath "$2")
linux_capture=$(realpath "$3")
linux_data=$(realpath "$4")
times=500,6000,12000,14750,20000
size=640x480
FUZZ=${FUZZ:-1}
MAX_PIXELS=${MAX_PIXELS:-64}

source "$(dirname "$0")/wine_session.sh"
wine_session_start

mkdir -p "$work/temp" "$work/windows" "$work/linux" || fail "cannot make the test folders"
wine reg add 'HKCU\Environment' /v TEMP /d "$(winepath -w "$work/temp")" /f > /dev/null 2>&1 \
  && wine reg add 'HKCU\Environment' /v TMP /d "$(winepath -w "$work/temp")" /f > /dev/null 2>&1 \
  || fail "cannot point the prefix's TEMP at $work/temp"
cp "$windows_data" "$work/windows/data.dat" || fail "cannot copy the Windows data set"

# Both captures at once (the machine has two cores); the Linux one off
# screen, as it runs everywhere else, with its own temporary folder.
mkdir "$work/linux-tmp"
(cd "$work/linux" && env -u DISPLAY TMPDIR="$work/linux-tmp" "$linux_capture" --data "$linux_data" \
  --out frames --size "$size" --at "$times" > "$work/linux.log" 2>&1) &
linux_pid=$!
(cd "$work/windows" && wine "$windows_capture" --data data.dat --out frames --size "$size" --at "$times" \
  > "$work/windows.log" 2>&1)
windows_status=$?
wait "$linux_pid"
linux_status=$?
[ "$windows_status" -eq 0 ] || fail "plumora-capture.exe failed with status $windows_status: $(tail -n 5 "$work/windows.log")"
[ "$linux_status" -eq 0 ] || fail "plumora-capture failed with status $linux_status: $(tail -n 5 "$work/linux.log")"
[ -z "$(ls -A "$work/temp")" ] || fail "plumora-capture.exe left in its temporary folder: $(ls -A "$work/temp")"
[ -z "$(ls -A "$work/linux-tmp")" ] || fail "plumora-capture left in its temporary folder: $(ls -A "$work/linux-tmp")"
[ -n "${E2E_KEEP:-}" ] && cp -r "$work/windows/frames" "$E2E_KEEP/windows" && cp -r "$work/linux/frames" "$E2E_KEEP/linux"

# compare prints its measure on stderr, with the normalised value in
# brackets for PAE; its status is 1 for different pictures.
differing_pixels() { compare -metric AE -fuzz "$3%" "$1" "$2" null: 2>&1; }
largest_difference() { compare -metric PAE "$1" "$2" null: 2>&1 | sed -n 's/^\([0-9.e+-]*\) .*/\1/p'; }

failed=""
for t in ${times//,/ }; do
  name=$(printf '%07d.00.png' "$t")
  windows_frame=$work/windows/frames/$name
  linux_frame=$work/linux/frames/$name
  [ -f "$windows_frame" ] || fail "plumora-capture.exe wrote no $name"
  [ -f "$linux_frame" ] || fail "plumora-capture wrote no $name"
  [ "$(identify -format %wx%h "$windows_frame")" = "$size" ] || fail "$name from Windows is not $size"
  count=$(differing_pixels "$windows_frame" "$linux_frame" "$FUZZ")
  case "$count" in '' | *[!0-9]*) fail "cannot compare $name: $count" ;; esac
  any=$(differing_pixels "$windows_frame" "$linux_frame" 0)
  peak=$(largest_difference "$windows_frame" "$linux_frame")
  note "$t ms: $count pixels differ by more than $FUZZ% ($any at all), largest channel difference $peak of 65535"
  [ "$count" -le "$MAX_PIXELS" ] || failed="$failed $t"
done
[ -z "$failed" ] || fail "frames at$failed ms differ in more than $MAX_PIXELS pixels"
echo "PASS: $scenario"
