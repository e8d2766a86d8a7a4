#!/usr/bin/env bash
# Start time, resident memory and idle CPU of Horlune against an empty Qt window updating one label every
# 300 ms, both on the same Xvfb display in the same run. Usage: bench/measure_idle.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$1
seconds=${2:-60}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

exec 5> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
until [[ -s $work/display ]]; do sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_CONFIG_HOME="$work/config"
cp "$build/horlune" "$build/horlune.ini" "$work/"

measure() {
    local label=$1 title=$2; shift 2
    local start end pid ticks_before ticks_after rss
    start=$(date +%s%N)
    "$@" >"$work/$label.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { cat "$work/$label.log" >&2; return 1; }
        sleep 0.005
    done
    end=$(date +%s%N)
    sleep 2
    ticks_before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "$seconds"
    ticks_after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    printf '| %s | %d ms | %d KiB | %.2f s CPU over %d s |\n' "$label" $(((end - start) / 1000000)) "$rss" \
        "$(echo "($ticks_after - $ticks_before) / $(getconf CLK_TCK)" | bc -l)" "$seconds"
}

echo "| Program | Start to window shown | Resident memory | Idle CPU |"
echo "|---|---|---|---|"
measure "empty Qt window" '^Fenêtre vide$' "$build/bench/bench_empty_window"
measure "horlune" '^Horlune \(TU' "$work/horlune"
