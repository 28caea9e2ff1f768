#!/usr/bin/env bash
# Builds Lumovander and saves a picture of its window, shown on a virtual X screen,
# to docs/screenshot.png.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
LUMO_BUILD_TARGETS=lumo_programs bash "$here/scripts/build.sh" "$here/build"
mkdir -p "$here/docs"
LUMOVANDER_SCREENSHOT="$here/docs/screenshot.png" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" "$here/build/src/program/lumovander"
echo "saved $here/docs/screenshot.png"
