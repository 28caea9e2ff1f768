#!/usr/bin/env bash
# make-templates.sh BATCH FOLDER: draws the program's own background templates into
# FOLDER as NAME.tmp, card-sized (440 x 270), with BATCH (lumovander-batch): some of the
# 42 gradients as they are and some worked over by one of the program's filters into a
# pattern. A name already in FOLDER, whatever it is, is left alone: the user's own
# templates and edits are never overwritten.
set -euo pipefail
batch=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# template NAME GRADIENT [CODE PARAMETER]...: the filters run in the order given.
template() {
    local name=$1 gradient=$2
    shift 2
    if [ -e "$out/$name.tmp" ] || [ -L "$out/$name.tmp" ]; then
        return 0
    fi
    "$batch" gradient "$gradient" "$work/$name.png"
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

template Zonsondergang 1
template Avondlucht 9
template Zee 20
template Mozaiek 30 15 12       # Pixelize in blocks of 12 pixels
template Tegels 30 15 30 13 0   # Pixelize in blocks of 30, then Reliëf
template Aquarel 36 15 6 24 0   # Pixelize, then Aquarel
template Stippels 25 23 15      # Scattered
