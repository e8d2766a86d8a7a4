#!/usr/bin/env bash
# Resident memory of the real program at rest, before and after searches that read the gazetteer and let it
# go: the program on an X server of its own, a search typed five times (Ctrl+F, a country, Enter, Escape).
# Usage: bench/measure_search_memory.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
xvfb_pid=""
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/../tests/e2e/xserver.sh"
start_x "$work/xvfb.log"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work/home
mkdir -p "$HOME"
"$build/horlune" >"$work/horlune.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Horlune' 2>/dev/null | head -n1) && [[ -n $window ]] && break
    sleep 0.1
done
resident() { awk '/VmRSS/ {print $2}' "/proc/$pid/status"; }
sleep 3
kill -0 "$pid" 2>/dev/null || { cat "$work/horlune.log" >&2; exit 1; }
echo "at rest after the start: $(resident) KiB"
xdotool windowfocus --sync "$window"
for round in 1 2 3 4 5; do
    xdotool key ctrl+f
    sleep 0.2
    xdotool type --delay 30 "maroc"
    sleep 0.3
    xdotool key Return
    sleep 0.2
    xdotool key Escape
    sleep 1
    echo "at rest after search $round: $(resident) KiB"
done
