#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in a normal build and
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer; then runs each
# fuzz target for a short time (skipped without clang).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
bash "$here/scripts/build.sh" "$here/build"
(cd "$here/build" && ctest --output-on-failure -j 2)
bash "$here/scripts/package-check.sh" "$here/build"
bash "$here/scripts/build.sh" "$here/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DLUMO_SANITIZE=ON
(cd "$here/build-sanitize" && ctest --output-on-failure -j 2)
bash "$here/scripts/fuzz.sh" 20
