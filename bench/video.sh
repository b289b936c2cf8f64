#!/usr/bin/env bash
# Video capture throughput for README.md: frames per second of the capture's
# frame path from demo time 0 to --to at 60 fps, with the frames read back
# at once (depth 1) and overlapped through pixel buffer objects (depth 2),
# written raw to /dev/null and encoded by ffmpeg (libx264, -crf 18,
# -pix_fmt yuv420p, as a video capture encodes), and where the wall time of
# an encoding run goes: drawing, read-back, and waiting for the encoder.
# usage: bench/video.sh [--build DIR] [--runs N] [--to MS] [--size WxH]...
#   --build DIR  a build configured with -DPLM_BENCH=ON (default: build)
#   --runs N     runs of every measurement, medians taken (default 3)
#   --to MS      end of the captured interval in ms of demo time (default 20000)
#   --size WxH   picture size, repeatable (default 1280x720 and 1920x1080)
# The runs of one size are interleaved, so that a change of load on the
# machine touches every measurement alike. Measured with plm_video_bench
# (bench/video_main.cpp), whose raw frames go to stdout; where
# plumora-capture offers --video, the real command is measured too, with
# PLM_READBACK_DEPTH=1 for reading at once. Prints a Markdown table with
# the load average before and after.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build runs=3 to=20000 sizes=()
usage() { sed -n '8p' "$0" | sed 's/^# //' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --runs) [[ ${2:-} =~ ^[1-9][0-9]?$ ]] || usage; runs=$2; shift 2 ;;
    --to) [[ ${2:-} =~ ^[1-9][0-9]{0,5}$ ]] || usage; to=$2; shift 2 ;;
    --size) [[ ${2:-} =~ ^[1-9][0-9]{1,4}x[1-9][0-9]{1,4}$ ]] || usage; sizes+=("$2"); shift 2 ;;
    -h|--help) sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) usage ;;
  esac
done
[ ${#sizes[@]} -gt 0 ] || sizes=(1280x720 1920x1080)
# A relative --build is taken from where the script was started.
[ -d "$build" ] || { echo "video.sh: no build folder $build" >&2; exit 1; }
build=$(cd "$build" && pwd)
bench=$build/bin/plm_video_bench capture=$build/bin/plumora-capture data=$build/dist/data.dat
[ -x "$bench" ] || { echo "video.sh: no $bench (configure with -DPLM_BENCH=ON and build)" >&2; exit 1; }
[ -f "$data" ] || { echo "video.sh: no $data (build first)" >&2; exit 1; }
command -v ffmpeg > /dev/null || { echo "video.sh: ffmpeg is not installed (apt-get install ffmpeg)" >&2; exit 1; }
real_video=
[ -x "$capture" ] && "$capture" --help 2> /dev/null | grep -q -- '--video' && real_video=1

work=$(mktemp -d "${TMPDIR:-/tmp}/plm-video-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
fps=60
frames=$(( (to * fps + 999) / 1000 ))
export SDL_AUDIODRIVER=dummy
unset DISPLAY  # off screen: no display is needed or used

# The value of key=... in the bench's last report line (file $1).
key() { sed -n "s/.* $2=\([^ ]*\).*/\1/p" "$1" | tail -1; }

# Median of the numbers on stdin.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# ffmpeg reading raw frames of size $1 on stdin, encoding as a capture does.
encode() {
  /usr/bin/time -f '%e %U %S' -o "$work/ffmpeg.time" ffmpeg -hide_banner -loglevel error -y \
    -f rawvideo -pix_fmt rgb24 -s "$1" -r "$fps" -i - \
    -c:v libx264 -crf 18 -pix_fmt yuv420p "$work/out.mp4"
}

# One bench run: name $1, size $2, then the bench's options; "encode" as
# the first option pipes the frames to ffmpeg. Appends the figures to
# $work/<size>.<name>.
measure() {
  local name=$1 size=$2 sink=null
  shift 2
  if [ "${1:-}" = encode ]; then sink=encode; shift; fi
  local log=$work/run.log
  if [ "$sink" = encode ]; then
    "$bench" --data "$data" --size "$size" --to "$to" --raw "$@" 2> "$log" | encode "$size"
  else
    "$bench" --data "$data" --size "$size" --to "$to" --raw "$@" 2> "$log" > /dev/null
  fi
  [ "$(key "$log" frames)" = "$frames" ] || { echo "video.sh: $name $size failed: $(cat "$log")" >&2; exit 1; }
  local cpu=0
  [ "$sink" = null ] || cpu=$(awk '{ print $2 + $3 }' "$work/ffmpeg.time")
  echo "$(key "$log" fps) $(key "$log" draw_ms) $(key "$log" read_ms) $(key "$log" write_ms) $cpu" \
    >> "$work/$size.$name"
  echo "  $name $size: $(head -1 "$log")" >&2
}

# The real command, timed from outside (start-up included): name $1, size $2.
measure_capture() {
  local name=$1 size=$2 start end
  shift 2
  start=$(date +%s.%N)
  "$@" "$capture" --data "$data" --size "$size" --fps "$fps" --from 0 --to "$to" --video "$work/real.mp4" \
    -y 2> "$work/run.log" || { echo "video.sh: $name $size failed: $(tail -3 "$work/run.log")" >&2; exit 1; }
  end=$(date +%s.%N)
  echo "$(awk -v s="$start" -v e="$end" -v n="$frames" 'BEGIN { printf "%.2f", n / (e - s) }') 0 0 0 0" \
    >> "$work/$size.$name"
  echo "  $name $size: $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f s", e - s }')" >&2
  rm -f "$work/real.mp4"
}

# Column $2 (1 fps, 2 draw, 3 read-back, 4 write, 5 ffmpeg CPU s) of
# measurement $1's median.
col() { awk -v c="$2" '{ print $c }' "$work/$1" | median; }

echo "Load average before: $(uptime | sed 's/.*load average: //')"
for size in "${sizes[@]}"; do
  for run in $(seq "$runs"); do
    echo "video.sh: $size, run $run of $runs" >&2
    measure raw1 "$size" --depth 1
    measure raw2 "$size" --depth 2
    measure enc1 "$size" encode --depth 1
    measure enc2 "$size" encode --depth 2
    measure split "$size" encode --depth 1 --split
    if [ -n "$real_video" ]; then
      measure_capture video1 "$size" env PLM_READBACK_DEPTH=1
      measure_capture video2 "$size" env
    fi
  done
done
echo
echo "Frames per second of demo time 0-$((to / 1000)) s at $fps fps ($frames frames), median of $runs runs:"
echo
echo "| size | raw, read at once | raw, overlapped | encoded, read at once | encoded, overlapped | s per s of video | ffmpeg CPU s |"
echo "|---|---:|---:|---:|---:|---:|---:|"
for size in "${sizes[@]}"; do
  e2=$(col "$size.enc2" 1)
  echo "| $size | $(col "$size.raw1" 1) | $(col "$size.raw2" 1) | $(col "$size.enc1" 1) | $e2 | $(awk -v f="$e2" -v r="$fps" 'BEGIN { printf "%.2f", r / f }') | $(col "$size.enc2" 5) |"
done
echo
echo "Where the wall time of an encoding run goes when every frame is finished before it is read (median ms per frame):"
echo
echo "| size | drawing | read-back | waiting for the encoder |"
echo "|---|---:|---:|---:|"
for size in "${sizes[@]}"; do
  d=$(col "$size.split" 2) r=$(col "$size.split" 3) w=$(col "$size.split" 4)
  awk -v s="$size" -v d="$d" -v r="$r" -v w="$w" 'BEGIN { t = d + r + w;
    printf "| %s | %.1f (%.0f%%) | %.1f (%.0f%%) | %.1f (%.0f%%) |\n", s, d, 100 * d / t, r, 100 * r / t, w, 100 * w / t }'
done
if [ -n "$real_video" ]; then
  echo
  echo "plumora-capture --video, start-up included (frames per second):"
  echo
  echo "| size | read at once (PLM_READBACK_DEPTH=1) | overlapped | s per s of video |"
  echo "|---|---:|---:|---:|"
  for size in "${sizes[@]}"; do
    v2=$(col "$size.video2" 1)
    echo "| $size | $(col "$size.video1" 1) | $v2 | $(awk -v f="$v2" -v r="$fps" 'BEGIN { printf "%.2f", r / f }') |"
  done
fi
echo
echo "Load average after: $(uptime | sed 's/.*load average: //')"
