#!/usr/bin/env bash
# Takes the pictures of the help page and the README that show the week at a glance and the faces by the
# sun, from the program built in build/, on an X server of its own at a fixed instant (libfaketime).
# Usage: scripts/shots.sh   (writes resources/HLN-semaine.png, resources/HLN-soleil.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/xserver.sh"
start_work
start_x "$work/xvfb.log"
faketime_library=$(ls /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1)

# shot NAME INSTANT LIST SETTINGS KEYS...: the window at INSTANT (Paris), the list LIST (Windows-1252), the
# settings lines SETTINGS, after the xdotool commands KEYS (one command a word, with its arguments joined by
# commas: "key,ctrl+shift+s", "hover,31").
shot() {
    local name=$1 instant=$2 list=$3 settings=$4; shift 4
    mkdir -p "$work/$name/program" "$work/$name/config/horlune"
    cp "$root/build/horlune" "$work/$name/program/"
    cp "$list" "$work/$name/program/horlune.ini"
    printf '[data]\n%b' "$settings" >"$work/$name/config/horlune/horlune.conf"
    XDG_CONFIG_HOME="$work/$name/config" TZ=Europe/Paris LANG=fr_FR.UTF-8 FAKETIME="$instant" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 LD_PRELOAD="$faketime_library" "$work/$name/program/horlune" \
        >"$work/$name.log" 2>&1 &
    app_pid=$!
    local window=""
    for _ in $(seq 200); do
        window=$(xdotool search --onlyvisible --name '^Horlune \(TU' 2>/dev/null | head -n1) && [[ -n $window ]] && break
        sleep 0.1
    done
    [[ -n $window ]] || { cat "$work/$name.log" >&2; exit 1; }
    xdotool windowmove --sync "$window" 0 0
    xdotool windowfocus --sync "$window"
    sleep 0.5
    local step
    for step in "$@"; do
        case $step in
        hover,*) # the pointer on the face of a row
            local row=${step#hover,}
            xdotool mousemove --sync $((33 + 80 * (row % 12) + 24)) $((66 + 95 * (row / 12) + 24)) ;;
        *) xdotool ${step//,/ } ;;
        esac
        sleep 0.2
    done
    sleep 1
    import -window "$window" "$work/$name.png"
    kill "$app_pid"; wait "$app_pid" 2>/dev/null || true
    app_pid=""
}

# The week: Paris, New York, Tokyo and Riyad marked, on Thursday 10 December 2026 at 10.00 in Paris, the keys
# moved to 15.00, then to the next common slot.
keys=(key,ctrl+shift+s)
for _ in $(seq 20); do keys+=(key,Right); done
keys+=(key,ctrl+Right)
shot semaine "2026-12-10 10:00:00" "$root/resources/horlune.ini" 'P10=T\nP31=T\nP39=T\nP53=T\n' "${keys[@]}"
cp "$work/semaine.png" "$root/resources/HLN-semaine.png"

# The sun: Tromsø in its polar night, Paris and Ushuaïa by day, on Friday 11 December 2026 at 13.00 in Paris;
# the pointer on Tromsø.
python3 - "$root/resources/horlune.ini" "$work/sun.ini" <<'PYTHON'
import sys
text = open(sys.argv[1], encoding="cp1252").read()
text = text.replace("Reykjavik,0,0", "Tromsø,2,1").replace("Buenos Aires,-3,-3", "Ushuaïa,-3,-3")
open(sys.argv[2], "w", encoding="cp1252", newline="").write(text)
PYTHON
shot soleil "2026-12-11 13:00:00" "$work/sun.ini" 'Soleil=T\n' hover,23
cp "$work/soleil.png" "$root/resources/HLN-soleil.png"
echo "resources/HLN-semaine.png, resources/HLN-soleil.png"
