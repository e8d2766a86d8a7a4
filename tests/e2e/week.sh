#!/usr/bin/env bash
# End to end: the week at a glance on the real window. Paris and New York marked, on Thursday 10 December
# 2026 at 10.00 in Paris: Ctrl+Maj+S opens the week over the clocks, its common slots lit in yellow on the
# line of their own (15.00 to 18.00 ici on Thursday) and not beside them; Ctrl+Right goes to the slot and Enter
# shows it on every clock, the shift line written in dark blue; the week is gone.
# Usage: week.sh EXECUTABLE
set -euo pipefail
executable=$1

source "$(dirname "$0")/xserver.sh"
start_work
start_x "$work/xvfb.log" || fail "Xvfb n'a pas démarré"
mkdir -p "$work/program" "$work/config/horlune"
cp "$executable" "$work/program/horlune"
printf 'Paris,2,1\r\nTokyo,9,9\r\nNew York,-4,-5\r\n' >"$work/program/horlune.ini"
printf '[data]\nP1=T\nP3=T\n' >"$work/config/horlune/horlune.conf"
export XDG_CONFIG_HOME="$work/config"
TZ=Europe/Paris FAKETIME="@2026-12-10 10:00:00" LD_PRELOAD=$(ls /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1) \
    "$work/program/horlune" >"$work/app.log" 2>&1 &
app_pid=$!
find_window() { xdotool search --onlyvisible --name '^Horlune \(TU' | head -n1; }
wait_for 60 find_window || { cat "$work/app.log" >&2; fail "la fenêtre n'est pas apparue"; }
window=$(find_window)
eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X:/ {print "left=" $4} /Absolute upper-left Y:/ {print "top=" $4}')"

shoot() { import -window root "$work/shot.png"; }
# The colour of a pixel of the window, as RRGGBB.
colour_at() {
    convert "$work/shot.png" -crop "1x1+$((left + $1))+$((top + $2))" -format '%[hex:u.p{0,0}]' info: | cut -c1-6
}
# The week lies at the panel's place (14, 12); its common line is 58 to 69 below its top, and its seven days
# run from 114 to 928 across it, 672 quarters: Thursday's 15.30 ici is quarter 62, its 19.30 quarter 78.
quarter_x() { echo $((14 + 114 + ($1 * 814 + 336) / 672 + 1)); }
common_y=$((12 + 63))
week_open() { shoot; [[ $(colour_at "$(quarter_x 62)" "$common_y") == FFFF00 ]]; }
week_closed() { shoot; [[ $(colour_at "$(quarter_x 62)" "$common_y") != FFFF00 ]]; }

xdotool windowfocus --sync "$window"
wait_for 30 week_closed || fail "du jaune à la place du créneau avant l'ouverture de la semaine"
press_until ctrl+shift+s week_open || fail "la semaine ne s'ouvre pas, ou son créneau commun de jeudi 15.30 n'est pas en jaune"
[[ $(colour_at "$(quarter_x 78)" "$common_y") != FFFF00 ]] || fail "jeudi 19.30 est éclairé comme un créneau commun"
xdotool key ctrl+Right Return
wait_for 30 week_closed || fail "Entrée ne ferme pas la semaine"
# The shift line (HeureVisee, 359 to 664 x 34 to 49) in dark blue: the clocks show the slot.
blue_line() {
    shoot
    (( $(convert "$work/shot.png" -crop "305x15+$((left + 359))+$((top + 34))" -fx "b>0.6 && r<0.2 && g<0.2" \
        -format "%[fx:int(mean*w*h)]" info:) > 30 ))
}
wait_for 30 blue_line || fail "les horloges ne montrent pas le créneau choisi dans la semaine"

kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""
echo "1 passed, 0 failed"
