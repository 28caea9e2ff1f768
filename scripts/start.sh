#!/usr/bin/env bash
# Installs what is missing, builds the programs (not the tests and benchmarks, which
# scripts/test.sh builds) and starts Lumovander.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
LUMO_BUILD_TARGETS=lumo_programs bash "$here/scripts/build.sh" "$here/build"
exec "$here/build/src/program/lumovander" "$@"
