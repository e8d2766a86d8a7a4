#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HORLUNE_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" test
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure -j 2 "$@"
