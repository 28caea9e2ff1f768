#!/usr/bin/env bash
# make-templates.sh MAKER BATCH FOLDER: draws the program's own background templates into
# FOLDER as NAME.tmp, card-sized (440 x 270): MAKER (lumo_template_maker) paints each one
# as its name says, and BATCH (lumovander-batch) runs the program's filters over some.
# A name already in FOLDER, whatever it is, is left alone: the user's own templates and
# edits are never overwritten.
set -euo pipefail
maker=$1
batch=$2
out=$3
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Build tools: a sanitizer build does not count what Qt keeps until the process ends.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

# template NAME [CODE PARAMETER]...: the filters run in the order given.
template() {
    local name=$1
    shift
    if [ -e "$out/$name.tmp" ] || [ -L "$out/$name.tmp" ]; then
        return 0
    fi
    "$maker" "$name" "$work/$name.png"
    while [ $# -ge 2 ]; do
        "$batch" filter "$1" "$2" "$work/$name.png" "$work/$name.png"
        shift 2
    done
    # Moved within FOLDER's file system under a name of its own, then into place: a
    # run that stops half-way leaves no half template behind.
    cp "$work/$name.png" "$out/.$name.tmp.part"
    mv -n "$out/.$name.tmp.part" "$out/$name.tmp"
    rm -f "$out/.$name.tmp.part"
}

template Zonsondergang  # a sun going down over the sea
template Avondlucht     # deep blue with the first stars and a thin moon
template Zee            # waves under a light sky
template Mozaiek        # a frame of stone tiles
template Tegels         # pale Delft tiles
template Aquarel 24 0   # washes of paint, through the Aquarel filter
template Stippels       # a halftone of dots fading in from the right
