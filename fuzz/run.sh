#!/usr/bin/env bash
# Runs one fuzzer from its committed seeds: run.sh FUZZER SEEDS.
# By default a short run: a fixed seed, so the same inputs in the same order every time, for five seconds
# (a slower machine tries fewer of them), the new inputs it finds going to a throw-away folder.
# With HORLUNE_FUZZ_SECONDS set, a long run of that many seconds whose new inputs are kept beside the
# fuzzer in corpus/NAME/, growing from run to run, and whose output goes to NAME.log there.
# Either way an input that breaks a rule or crashes is saved in crashes/ beside the fuzzer.
set -euo pipefail
fuzzer=$1
seeds=$2
name=$(basename "$fuzzer")
here=$(dirname "$fuzzer")
mkdir -p "$here/crashes"
options=(-artifact_prefix="$here/crashes/$name-" -timeout=30 -print_final_stats=1)

if [[ -n ${HORLUNE_FUZZ_SECONDS:-} ]]; then
    mkdir -p "$here/corpus/$name"
    exec "$fuzzer" "${options[@]}" -max_total_time="$HORLUNE_FUZZ_SECONDS" "$here/corpus/$name" "$seeds" \
        >"$here/$name.log" 2>&1
fi
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
"$fuzzer" "${options[@]}" -seed=1 -max_total_time=5 "$corpus" "$seeds"
