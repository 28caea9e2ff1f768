#!/usr/bin/env bash
# Pictures every dialog of the designer window into docs/dialogs/, shown on a virtual X
# screen under an English system language: they must all be Dutch all the same.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$here/build" -j "$(nproc)" --target lumo_dialog_shots
mkdir -p "$here/docs/dialogs"
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$here/build/src/program/lumo_dialog_shots" "$here/docs/dialogs"
