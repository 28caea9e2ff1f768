#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds into DIR: everything, or
# only the targets named in LUMO_BUILD_TARGETS (space-separated).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
# Builds share compiled objects through ccache; paths below the repository are made
# relative so that another clone of it hits the same cache. The default build compiles with
# -g, and ccache then hashes the build folder's own path too (hash_dir) unless told not
# to: without CCACHE_NOHASHDIR no other clone or worktree would ever hit.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=true
fi
[ -f "$dir/build.ninja" ] || cmake -S "$here" -B "$dir" -G Ninja "$@"
targets=()
[ -z "${LUMO_BUILD_TARGETS:-}" ] || read -r -a targets <<<"$LUMO_BUILD_TARGETS"
cmake --build "$dir" -j "$(nproc)" ${targets[@]:+--target "${targets[@]}"}
