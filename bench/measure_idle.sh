#!/usr/bin/env bash
# Start-up, memory, idle CPU and wake-ups of Horlune against an empty Qt window that sets one label every
# 300 ms. Each program runs alone on an X server of its own, LAUNCHES times (3), each left idle SECONDS
# (60): the CPU of the program and of its X server is read from /proc/<pid>/stat in clock ticks, the
# wake-ups from the program's context switches (/proc/<pid>/status), and each figure is the median.
# Usage: bench/measure_idle.sh BUILD_DIR [SECONDS] [LAUNCHES]
set -euo pipefail
build=$1
seconds=${2:-60}
launches=${3:-3}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$build/horlune" "$build/horlune.ini" "$work/"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n}' "/proc/$1/status"; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# One launch: prints start-up ms, resident KiB, CPU ticks (program + X server) and wake-ups per minute.
launch() {
    local title=$1; shift
    exec 5> "$work/display"
    Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    local xvfb=$!
    until [[ -s $work/display ]]; do sleep 0.05; done
    export DISPLAY=":$(head -n1 "$work/display")"
    : > "$work/display"
    local start end pid
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    pid=$!
    local deadline=$((SECONDS + 60))
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
        if ((SECONDS > deadline)) || ! kill -0 "$pid" 2>/dev/null; then
            echo "no window \"$title\" within a minute" >&2
            kill "$pid" "$xvfb" 2>/dev/null || true
            exit 1
        fi
        sleep 0.005
    done
    end=$(date +%s%N)
    sleep 2
    local cpu0 x0 w0 cpu1 x1 w1 rss
    cpu0=$(ticks "$pid"); x0=$(ticks "$xvfb"); w0=$(switches "$pid")
    sleep "$seconds"
    cpu1=$(ticks "$pid"); x1=$(ticks "$xvfb"); w1=$(switches "$pid")
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid" "$xvfb"; wait "$pid" "$xvfb" 2>/dev/null || true
    echo "$(((end - start) / 1000000)) $rss $((cpu1 - cpu0 + x1 - x0)) $(((w1 - w0) * 60 / seconds))"
}

measure() {
    local label=$1; shift
    : > "$work/$label.figures"
    for ((i = 0; i < launches; ++i)); do launch "$@" >> "$work/$label.figures"; done
    for column in 1 2 3 4; do awk -v c="$column" '{print $c}' "$work/$label.figures" | median; done | paste -sd' '
}

read -r empty_start empty_rss empty_cpu empty_wakes < <(measure empty '^Fenêtre vide$' "$build/bench/bench_empty_window")
read -r start rss cpu wakes < <(measure horlune '^Horlune \(TU' "$work/horlune")
hz=$(getconf CLK_TCK)
ratio() { echo "scale=2; $1 / ($2 + ($2 == 0))" | bc -l; }
echo "Medians of $launches launches, $seconds s idle each, each program on an X server of its own."
echo "| Program | Start to window shown | Resident memory | Idle CPU, program + X server | Wake-ups a minute |"
echo "|---|---|---|---|---|"
printf '| empty Qt window | %d ms | %d KiB | %d ticks of 1/%d s | %d |\n' "$empty_start" "$empty_rss" "$empty_cpu" "$hz" "$empty_wakes"
printf '| horlune | %d ms (%s x) | %d KiB (%s x) | %d ticks (%s x) | %d |\n' "$start" "$(ratio "$start" "$empty_start")" \
    "$rss" "$(ratio "$rss" "$empty_rss")" "$cpu" "$(ratio "$cpu" "$empty_cpu")" "$wakes"
