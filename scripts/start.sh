#!/usr/bin/env bash
# Installs what is missing, builds and starts Lumovander.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" "$here/build"
exec "$here/build/src/program/lumovander" "$@"
