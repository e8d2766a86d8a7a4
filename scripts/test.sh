#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite: once as built for use, once
# built with the sanitizers (build-asan/: a memory error, undefined behaviour or a leak fails), then a
# short run of each fuzzer (build-fuzz/). Extra arguments go to both test runs (ctest).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HORLUNE_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" test
"$root/scripts/build.sh"
(cd "$build" && ctest --output-on-failure -j 2 "$@")

HORLUNE_BUILD_DIR=$root/build-asan HORLUNE_CMAKE_OPTIONS=-DHORLUNE_SANITIZE=ON "$root/scripts/build.sh"
(cd "$root/build-asan" && ctest --output-on-failure -j 2 "$@")

"$root/scripts/fuzz.sh" --short
