#!/usr/bin/env bash
# Pictures a card restyled by hand (lines in their own fonts, moved, a logo) and the line
# style dialog into docs/images/, shown on a virtual X screen.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$here/build" -j "$(nproc)" --target lumo_design_shots
mkdir -p "$here/docs/images"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    "$here/build/src/program/lumo_design_shots" "$here/docs/images"
