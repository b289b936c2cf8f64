#!/usr/bin/env bash
# plumora-capture --video and --raw - run as a user runs them, the results
# checked with ffprobe and ffmpeg: the video's shape, its frames against the
# PNG frames, picture against sound, clean stops, refusals and failures.
# usage: capture_video.sh SCENARIO CAPTURE DATA_DAT AV_PROBE EVENT_SCRIPT PLM_PACK
# Every run gets TMPDIR pointing at a folder of this test, which must be
# empty again afterwards: the capture's temporary folder is gone.
set -uo pipefail
scenario=$1
capture=$2
data=$3
probe=$4
events=$5
pack=$6

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/plm-capture-video-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp" "$work/out"
cd "$work"
unset XDG_RUNTIME_DIR
export TMPDIR=$work/tmp SDL_AUDIODRIVER=dummy

# Runs the capture; sets status, fills stdout.txt and stderr.txt.
# run_env may hold VAR=VALUE words for the capture's environment.
run() {
  env ${run_env:-} "$capture" --data "$data" "$@" > stdout.txt 2> stderr.txt
  status=$?
}

# Nothing of a run is left: no temporary folder, no staging folder beside
# the videos, no ffmpeg still running on them.
expect_clean() {
  [ -z "$(ls -A "$work/tmp")" ] || fail "$1: temporary folder left behind: $(ls -A "$work/tmp")"
  [ -z "$(find "$work/out" -name '.plumora-capture-*')" ] || fail "$1: staging folder left: $(ls -A out)"
  local running
  # "ou[t]" finds the path, not this grep's own command line.
  running=$(grep -las -- "$work/ou[t]" /proc/[0-9]*/cmdline)
  [ -z "$running" ] || fail "$1: ffmpeg still runs: $running"
}

expect_status() {
  [ "$status" -eq "$1" ] || fail "$2: status $status, expected $1; stderr: $(tail -5 stderr.txt)"
}

# The RGB bytes of a picture or of frame $2 of a video.
rgb_of_png() { ffmpeg -v error -i "$1" -f rawvideo -pix_fmt rgb24 -; }
rgb_of_frame() { ffmpeg -v error -i "$1" -vf "select=eq(n\,$2)" -vsync 0 -frames:v 1 -f rawvideo -pix_fmt rgb24 -; }

# One stream's entry from ffprobe: stream_entry FILE STREAM ENTRY.
stream_entry() {
  ffprobe -v error -select_streams "$2" -count_frames -show_entries "stream=$3" -of default=nw=1:nk=1 "$1"
}

# Starts a long capture in the background with the default action for the
# stop signals (a shell's background jobs start with SIGINT ignored).
start_long_video() {
  perl -e '$SIG{$_} = "DEFAULT" for qw(INT TERM HUP); exec @ARGV or die' -- \
    "$capture" --data "$data" --video out/long.mkv --codec ffv1 --size 64x48 --fps 10 --to 600000 "$@" \
    > stdout.txt 2> stderr.txt &
  pid=$!
}

# Waits up to $2 seconds for the command $1 to succeed while the capture runs.
wait_for() {
  local deadline=$(( SECONDS + $2 ))
  until eval "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    kill -0 "$pid" 2> /dev/null || return 1
    sleep 0.1
  done
}

wait_end() {
  local deadline=$(( SECONDS + 120 ))
  while kill -0 "$pid" 2> /dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || { kill -KILL "$pid"; fail "the capture did not stop"; }
    sleep 0.1
  done
  wait "$pid"
  status=$?
}

# Stops a long capture with SIGINT once ffmpeg has written some video.
interrupt_long_video() {
  start_long_video "$@"
  wait_for '[ -n "$(find out -path "*/.plumora-capture-*/long.mkv" -size +20k)" ]' 300 ||
    fail "ffmpeg wrote nothing: $(cat stderr.txt)"
  kill -INT "$pid"
  wait_end
  expect_status 130 "SIGINT"
  grep -q "stopped by signal 2" stderr.txt || fail "SIGINT: no word of the stop: $(tail -3 stderr.txt)"
}

case "$scenario" in
frames)
  # Two seconds at 30 frames per second, lossless, so frames compare exactly.
  run --video out/two.mkv --codec ffv1 --size 320x240 --fps 30 --from 0 --to 2000
  expect_status 0 "2 s video"
  [ ! -s stdout.txt ] || fail "wrote to stdout"
  expect_clean "2 s video"
  [ "$(stream_entry out/two.mkv v:0 nb_read_frames)" = 60 ] || fail "frames: $(stream_entry out/two.mkv v:0 nb_read_frames)"
  [ "$(stream_entry out/two.mkv v:0 width,height | tr '\n' x)" = 320x240x ] || fail "size"
  [ "$(stream_entry out/two.mkv v:0 r_frame_rate)" = 30/1 ] || fail "rate: $(stream_entry out/two.mkv v:0 r_frame_rate)"
  # The sound lasts as long as the picture, within one frame: from the
  # picture's start to the end of the last sound packet.
  video_start=$(stream_entry out/two.mkv v:0 start_time)
  audio_end=$(ffprobe -v error -select_streams a:0 -show_entries packet=pts_time,duration_time -of csv=p=0 out/two.mkv |
    awk -F, 'END { print $1 + $2 }')
  awk -v s="$video_start" -v e="$audio_end" 'BEGIN { d = e - s - 2; exit !(d < 1/30 && d > -1/30) }' ||
    fail "sound from $video_start to $audio_end s, picture 2 s"
  # Frame k is the PNG frame of --at k*1000/30 at the same step rate.
  for k in 0 29 59; do
    t=$(awk -v k=$k 'BEGIN { printf "%.6f", k * 1000 / 30 }')
    "$capture" --data "$data" --out "png$k" --size 320x240 --at "$t" --step-fps 30 2> /dev/null ||
      fail "PNG capture at $t failed"
    cmp -s <(rgb_of_png png$k/*.png) <(rgb_of_frame out/two.mkv $k) || fail "frame $k differs from the PNG at $t ms"
  done
  # At 60 frames per second the steps lie closer than a frame's landing
  # room used to be: frame 30 (500 ms) once followed a different run.
  run --video out/fast.mkv --codec ffv1 --size 160x120 --fps 60 --from 0 --to 550
  expect_status 0 "60 fps video"
  "$capture" --data "$data" --out png60 --size 160x120 --at 500 --step-fps 60 2> /dev/null ||
    fail "PNG capture at 500 ms failed"
  cmp -s <(rgb_of_png png60/*.png) <(rgb_of_frame out/fast.mkv 30) || fail "60 fps frame 30 differs from the PNG"
  ;;
sync)
  # The first flash of the pipes flight after 3 s (codes 3, 4, 6) from the
  # event script; a second of video around it.
  event=$(awk 'NR > 1 && $1 > 3000 && $1 < 10700 && ($2 == 3 || $2 == 4 || $2 == 6) { print $1; exit }' "$events")
  [ -n "$event" ] || fail "no flash in the pipes flight in $events"
  from=$(( event - 600 ))
  run --video out/sync.mkv --codec ffv1 --size 160x120 --fps 30 --from "$from" --to $(( event + 400 ))
  expect_status 0 "video around the flash at $event ms"
  expect_clean "sync"
  bright=$(ffmpeg -v error -i out/sync.mkv -vsync 0 -f rawvideo -pix_fmt rgb24 - | "$probe" brightest 160 120) ||
    fail "no frames decoded"
  video_start=$(stream_entry out/sync.mkv v:0 start_time)
  # The sound on the picture's time line: sample 0 at time 0.
  onset=$(ffmpeg -v error -i out/sync.mkv -map 0:a -af aresample=async=1:first_pts=0 -f s16le -ac 1 -ar 44100 - |
    "$probe" onset 44100 "$(awk -v s="$video_start" -v e=$event -v f=$from 'BEGIN { print s + (e - f) / 1000 }')" 0.2) ||
    fail "no onset found in the sound"
  read -r frame _ <<< "$bright"
  read -r onset_s _ <<< "$onset"
  awk -v k="$frame" -v o="$onset_s" -v s="$video_start" -v f="$from" -v e="$event" 'BEGIN {
    picture = f + k * 1000 / 30; sound = f + (o - s) * 1000
    printf "flash event %d ms: brightest frame at %.1f ms, sound onset at %.1f ms\n", e, picture, sound
    d = picture - sound; exit !(d <= 1000 / 30 && d >= -1000 / 30) }' || fail "picture and sound disagree"
  ;;
stop)
  interrupt_long_video
  [ ! -e out/long.mkv ] || fail "SIGINT: the partial video was left"
  expect_clean "SIGINT"
  # Kept when asked: a playable file of the frames so far.
  interrupt_long_video --keep-partial
  grep -q "partial video stays at" stderr.txt || fail "--keep-partial: not said: $(tail -3 stderr.txt)"
  [ "$(stream_entry out/long.mkv v:0 nb_read_frames)" -ge 1 ] || fail "--keep-partial: no frame in the video"
  expect_clean "SIGINT with --keep-partial"
  ;;
raw)
  "$capture" --data "$data" --raw - --size 64x48 --fps 10 --from 1000 --to 2000 2> stderr.txt > stream.rgb
  status=$?
  expect_status 0 "--raw -"
  [ "$(stat -c %s stream.rgb)" -eq $(( 10 * 64 * 48 * 3 )) ] || fail "--raw -: $(stat -c %s stream.rgb) bytes"
  grep -q "64x48 pixels" stderr.txt || fail "--raw -: size not said: $(cat stderr.txt)"
  expect_clean "--raw -"
  # A reader that goes away fails the run; it is not ended by SIGPIPE.
  "$capture" --data "$data" --raw - --size 64x48 --fps 10 --to 600000 2> stderr.txt | head -c 100 > /dev/null
  status=${PIPESTATUS[0]}
  expect_status 1 "--raw - into a closed pipe"
  grep -q "Broken pipe" stderr.txt || fail "closed pipe: $(tail -3 stderr.txt)"
  expect_clean "--raw - into a closed pipe"
  ;;
refusals)
  # Each is refused at once (status 2, the reason), changing nothing.
  echo mine > out/old.mp4
  start=$SECONDS
  refuse() {
    local reason=$1
    shift
    run "$@"
    expect_status 2 "$*"
    grep -qF -- "$reason" stderr.txt || fail "$*: stderr lacks '$reason': $(cat stderr.txt)"
    [ "$(cat out/old.mp4)" = mine ] || fail "$*: the existing video was changed"
    [ "$(ls out)" = old.mp4 ] || fail "$*: wrote into out/: $(ls -A out)"
    expect_clean "$*"
  }
  refuse "out/old.mp4 exists (give --overwrite or -y" --video out/old.mp4 --to 600000
  refuse "cannot write into the folder of /proc/demo.mp4" --video /proc/demo.mp4 --to 600000
  refuse "the folder of out/no/demo.mp4 does not exist" --video out/no/demo.mp4
  refuse "bad value for --fps" --video out/demo.mp4 --fps 0
  refuse "outside 1 to 240 frames per second" --video out/demo.mp4 --fps 241
  refuse "only applies with --video" --raw - --keep-partial
  run_env=PATH=/nonexistent refuse "install the ffmpeg package" --video out/demo.mp4
  [ $(( SECONDS - start )) -lt 60 ] || fail "the refusals took $(( SECONDS - start )) s"
  ;;
ffmpeg_fails)
  # ffmpeg refuses the codec: status 3 with its message; the file that was
  # there (replaceable) is not touched, as the run made nothing.
  echo mine > out/old.mkv
  run --video out/old.mkv --overwrite --codec plm_no_such_codec --size 64x48 --fps 10 --to 2000
  expect_status 3 "an unknown codec"
  grep -Eq "ffmpeg (failed|stopped reading frames)" stderr.txt || fail "unknown codec: $(cat stderr.txt)"
  grep -q "ffmpeg: .*plm_no_such_codec" stderr.txt || fail "ffmpeg's message not shown: $(cat stderr.txt)"
  [ "$(cat out/old.mkv)" = mine ] || fail "the existing video was changed"
  expect_clean "unknown codec"
  # ffmpeg that stops reading midway (after 3 frames) fails the run; the
  # capture is not ended by SIGPIPE.
  run --video out/short.mkv --codec ffv1 --ffmpeg-args "-frames:v 3" --size 64x48 --fps 10 --to 600000
  expect_status 3 "ffmpeg stopping early"
  grep -q "ffmpeg stopped reading frames" stderr.txt || fail "early stop: $(cat stderr.txt)"
  [ ! -e out/short.mkv ] || fail "the partial video of a failed run was left"
  expect_clean "ffmpeg stopping early"
  ;;
terminal)
  # On a terminal (script(1) gives the run one) the progress is one line
  # rewritten in place, and a raw stream is refused there.
  printf -v line '%q ' "$capture" --data "$data" --video out/t.mkv --codec ffv1 --size 64x48 --fps 10 --to 2000
  script -qec "$line" /dev/null > terminal.txt < /dev/null
  status=$?
  expect_status 0 "video on a terminal"
  grep -q $'\rplumora-capture: frame 20 of 20 written, demo time 1900.00 ms, [0-9.]* frames/s' terminal.txt ||
    fail "no line rewritten in place: $(od -c terminal.txt | head -20)"
  [ "$(grep -c 'plumora-capture: frame' terminal.txt)" -eq 1 ] || fail "the progress took more than one line"
  printf -v line '%q ' "$capture" --data "$data" --raw - --size 64x48 --fps 10 --to 2000
  script -qec "$line" /dev/null > terminal.txt < /dev/null
  status=$?
  expect_status 2 "--raw - to a terminal"
  grep -q "stdout is a terminal" terminal.txt || fail "--raw - to a terminal: $(cat terminal.txt)"
  expect_clean "terminal"
  ;;
silent)
  # Music that cannot be read: a silent video and a warning, not a failure.
  mkdir tree && "$pack" extract "$data" tree > /dev/null || fail "cannot extract $data"
  echo "not music" > tree/plumora_data/msx/msx.mp3
  "$pack" pack tree broken.dat > /dev/null || fail "cannot pack the tree"
  data=$work/broken.dat
  run --video out/silent.mkv --codec ffv1 --size 64x48 --fps 10 --from 500 --to 1500
  expect_status 0 "unreadable music"
  grep -q "warning: cannot read the music (plumora_data/msx/msx.mp3: no MPEG audio frames found): the video will have no sound" stderr.txt ||
    fail "no warning: $(cat stderr.txt)"
  [ "$(stream_entry out/silent.mkv v:0 nb_read_frames)" = 10 ] || fail "frames in the silent video"
  [ -z "$(ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 out/silent.mkv)" ] ||
    fail "the silent video has a sound stream"
  expect_clean "unreadable music"
  ;;
*)
  fail "unknown scenario $scenario"
  ;;
esac
echo "PASS: $scenario"
