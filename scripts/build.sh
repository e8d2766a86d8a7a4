#!/usr/bin/env bash
# Configures (once) and builds Horlune incrementally in build/. Extra arguments go to the build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HORLUNE_BUILD_DIR:-$root/build}
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j 2 "$@"
