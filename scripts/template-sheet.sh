#!/usr/bin/env bash
# template-sheet.sh [BUILD]: remakes docs/images/templates.png, one picture of every
# template the program ships (as the build made them), each under its name.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cmake --build "$build" --target lumo_templates lumo_template_maker
names=$(sed -n 's/^template \([A-Za-z]*\).*/\1/p' "$here/scripts/make-templates.sh")
files=()
for name in $names; do files+=("$build/templates/$name.tmp"); done
mkdir -p "$here/docs/images"
QT_QPA_PLATFORM=offscreen "$build/assets/lumo_template_maker" --sheet "$here/docs/images/templates.png" "${files[@]}"
echo "saved $here/docs/images/templates.png"
