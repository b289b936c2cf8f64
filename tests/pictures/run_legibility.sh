#!/usr/bin/env bash
# Renders the turntable from 15 s to 96 s every 0.25 s at 640 x 480 into a
# temporary folder of its own, runs the legibility test on the frames and
# removes the folder, also when interrupted. The simulated run steps at the
# frames' own rate: flashes fade by demo time, so the pictures are those of
# a faster run, up to a quarter of a second in when an event is noticed.
# usage: run_legibility.sh PLUMORA_CAPTURE DATA_DAT LEGIBILITY_TESTS
# Exit status: 0 when the test passes, non-zero otherwise.
set -euo pipefail
capture=$1 data=$2 tests=$3

frames=$(mktemp -d "${TMPDIR:-/tmp}/plm-legibility-XXXXXX")
trap 'rm -rf "$frames"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

SDL_AUDIODRIVER=dummy "$capture" --data "$data" --size 640x480 --out "$frames" --fps 4 --from 15000 \
  --to 96000 --step-fps 4 2>/dev/null
PLM_FRAMES_DIR="$frames" "$tests"
