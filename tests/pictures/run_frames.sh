#!/usr/bin/env bash
# Renders the frames that the picture tests probe into a temporary folder of
# its own, runs the picture tests on them and removes the folder, also when
# interrupted.
# usage: run_frames.sh PLUMORA_CAPTURE DATA_DAT PICTURE_TESTS
# Exit status: 0 when every picture test passes, non-zero otherwise.
set -euo pipefail
capture=$1 data=$2 tests=$3

frames=$(mktemp -d "${TMPDIR:-/tmp}/plm-frames-XXXXXX")
trap 'rm -rf "$frames"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

SDL_AUDIODRIVER=dummy "$capture" --data "$data" --size 640x480 --out "$frames" --step-fps 30 \
  --at 500,6000,10600,12000,14750,15000,30000
PLM_FRAMES_DIR="$frames" "$tests"
