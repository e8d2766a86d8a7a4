#!/usr/bin/env bash
# Builds the fuzzers of fuzz/ with clang in build-fuzz/ and runs each of them.
#   scripts/fuzz.sh --short    a few seconds each, from the committed seeds, with a fixed seed (the tests
#                              run this)
#   scripts/fuzz.sh SECONDS    that long each, side by side at the lowest priority; the inputs found are
#                              kept in build-fuzz/fuzz/corpus/ for the next long run, the output in
#                              build-fuzz/fuzz/NAME.log
# An input that fails is saved in build-fuzz/fuzz/crashes/; replay it with build-fuzz/fuzz/NAME FILE.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:---short}
if [[ $mode != --short && ! $mode =~ ^[0-9]+$ ]]; then
    echo "Usage : $0 [--short | SECONDES]" >&2
    exit 2
fi

"$root/scripts/deps.sh" fuzz
HORLUNE_BUILD_DIR=$root/build-fuzz \
    HORLUNE_CMAKE_OPTIONS="-DCMAKE_CXX_COMPILER=clang++-14 -DHORLUNE_FUZZ=ON -DBUILD_TESTING=OFF" \
    "$root/scripts/build.sh"
cd "$root/build-fuzz/fuzz"
if [[ $mode == --short ]]; then
    exec ctest --output-on-failure -j 2 --timeout 300
fi
status=0
HORLUNE_FUZZ_SECONDS=$mode nice -n 19 ctest -j 2 --timeout $((mode + 600)) || status=$?
# What each run did, and what it found.
for log in *.log; do
    echo "== ${log%.log}"
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|Rule broken|==[0-9]+==ERROR|SUMMARY|.*Test unit written)' "$log" || true
done
exit "$status"
