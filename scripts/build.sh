#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds into DIR.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
[ -f "$dir/build.ninja" ] || cmake -S "$here" -B "$dir" -G Ninja "$@"
cmake --build "$dir" -j "$(nproc)"
