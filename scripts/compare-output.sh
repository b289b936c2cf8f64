#!/usr/bin/env bash
# Proves that a change left the demo's output alone: the data set packed
# into data.dat and the frames plumora-capture renders.
#
#   scripts/compare-output.sh record  BUILD_DIR OUT_DIR
#       unpacks BUILD_DIR/dist/data.dat into OUT_DIR/tree and renders the
#       reference frames into OUT_DIR/frames (OUT_DIR must not exist yet)
#   scripts/compare-output.sh compare BUILD_DIR REFERENCE_DIR
#       records BUILD_DIR the same way into a temporary folder and compares
#       it with REFERENCE_DIR: every data file byte for byte, every frame
#       byte for byte (PNG files of identical pixels written by the same
#       encoder are identical)
#
# The run-time libraries under plumora_data/dll are compiled code whose bytes
# depend on the build folder; they are listed but do not count.
# Typical use: record from a build of the commit before a refactor, keep the
# reference outside the tree, compare after.
#
# Exit status: 0 identical, 1 differences found, 2 usage error or a tool failed.
set -euo pipefail
scratch=""

times=500,6000,10600,12000,14750,20000,60000
size=1024x768

usage() {
    sed -n '4,12p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

record() {
    local build=$1 out=$2
    [ -x "$build/bin/plm-pack" ] && [ -x "$build/bin/plumora-capture" ] && [ -f "$build/dist/data.dat" ] || {
        echo "compare-output: $build holds no finished build (bin/plm-pack, bin/plumora-capture, dist/data.dat)" >&2
        exit 2
    }
    mkdir "$out" || exit 2
    mkdir "$out/tree"
    "$build/bin/plm-pack" extract "$build/dist/data.dat" "$out/tree" >/dev/null || exit 2
    echo "compare-output: rendering $times ms at $size from $build" >&2
    "$build/bin/plumora-capture" --data "$build/dist/data.dat" --out "$out/frames" --size "$size" \
        --at "$times" 2>/dev/null || exit 2
}

compare() {
    local build=$1 reference=$2 status=0
    [ -d "$reference/tree/plumora_data" ] && [ -d "$reference/frames" ] || {
        echo "compare-output: $reference is not a recorded reference" >&2
        exit 2
    }
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/plm-compare-XXXXXX")
    trap 'rm -rf "$scratch"' EXIT
    record "$build" "$scratch/now"
    if diff -r --exclude=dll "$reference/tree/plumora_data" "$scratch/now/tree/plumora_data" >&2; then
        echo "data set: identical (dll/ not compared)"
    else
        echo "data set: DIFFERENT"
        status=1
    fi
    for lib in "$reference"/tree/plumora_data/dll/*; do
        if cmp -s "$lib" "$scratch/now/tree/plumora_data/dll/$(basename "$lib")"; then
            echo "  dll/$(basename "$lib"): identical bytes"
        else
            echo "  dll/$(basename "$lib"): other bytes (compiled code; not counted)"
        fi
    done
    for frame in "$reference"/frames/*.png; do
        local name
        name=$(basename "$frame")
        if cmp -s "$frame" "$scratch/now/frames/$name"; then
            echo "frame $name: identical"
        else
            echo "frame $name: DIFFERENT"
            status=1
        fi
    done
    return $status
}

[ $# -eq 3 ] || usage
case $1 in
    record) record "$2" "$3" ;;
    compare) compare "$2" "$3" ;;
    *) usage ;;
esac
