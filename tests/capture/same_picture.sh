#!/usr/bin/env bash
# The fast pipes drawing (pieces out of view left out, compiled geometry;
# far pieces off, since they are meant to differ) gives the same pictures as
# the reference drawing (every piece sent vertex by vertex): frames across
# the pipes flight, rendered both ways, must be byte-identical PNG files.
# usage: same_picture.sh PLUMORA_CAPTURE DATA_DAT
# Exit status: 0 when every frame matches, 1 otherwise.
set -euo pipefail
capture=$1 data=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/plm-same-picture-XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

times=500,3000,6000,9000,10600
render() {
    SDL_AUDIODRIVER=dummy "$capture" --data "$data" --size 640x480 --step-fps 30 --at "$times" \
        --out "$work/$1" "${@:2}" 2>"$work/$1.log" || { cat "$work/$1.log" >&2; exit 1; }
}
render fast --full-detail
render reference --reference-drawing

status=0
count=0
for frame in "$work"/reference/*.png; do
    name=$(basename "$frame")
    count=$((count + 1))
    if ! cmp -s "$frame" "$work/fast/$name"; then
        echo "frame $name differs between the fast and the reference drawing" >&2
        status=1
    fi
done
if [ "$count" -ne 5 ]; then
    echo "expected 5 reference frames, found $count" >&2
    status=1
fi
[ "$status" -eq 0 ] && echo "all $count frames identical"
exit "$status"
