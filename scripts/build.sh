#!/usr/bin/env bash
# Configures (once) and builds Horlune incrementally in build/. Extra arguments go to the build.
# HORLUNE_BUILD_DIR names another build folder, HORLUNE_CMAKE_OPTIONS the options it is configured with,
# HORLUNE_BUILD_TYPE its build type (RelWithDebInfo) and HORLUNE_JOBS the compilers run side by side (2).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HORLUNE_BUILD_DIR:-$root/build}
if [[ ! -f $build/CMakeCache.txt ]]; then
    # shellcheck disable=SC2086 # the options are words of their own
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${HORLUNE_BUILD_TYPE:-RelWithDebInfo}" ${HORLUNE_CMAKE_OPTIONS:-} >/dev/null
fi
cmake --build "$build" -j "${HORLUNE_JOBS:-2}" "$@"
