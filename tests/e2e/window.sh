#!/usr/bin/env bash
# End to end: the real executable on its own Xvfb display, at a fixed instant (libfaketime) in Paris.
# The window must appear undecorated at 981 x 529 with its caption, show day and night faces where the
# hours say, and write the hover line when the pointer rests on a city.
set -euo pipefail

executable=$1
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "ÉCHEC : $*" >&2; exit 1; }

# Waits up to a generous bound for a command to succeed.
wait_for() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# A display of our own.
exec 5> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 30 test -s "$work/display" || fail "Xvfb n'a pas démarré"
export DISPLAY=":$(head -n1 "$work/display")"

# The program folder: the executable beside a city file of our own; settings in a folder of our own.
mkdir -p "$work/program" "$work/config"
cp "$executable" "$work/program/horlune"
printf 'Paris,2,1\r\nTokyo,9,9\r\nHonolulu,-10,-10\r\nSydney,10,11\r\n' > "$work/program/horlune.ini"
export XDG_CONFIG_HOME="$work/config"

# Monday 9 December 2024, 11:00 in Paris (10:00 Universal Time): Paris and Tokyo (19:00) by day,
# Honolulu (00:00) and Sydney (21:00) by night.
TZ=Europe/Paris FAKETIME="@2024-12-09 11:00:00" LD_PRELOAD=$(ls /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1) \
    "$work/program/horlune" >"$work/app.log" 2>&1 &
app_pid=$!

find_window() { xdotool search --onlyvisible --name '^Horlune \(TU' | head -n1; }
wait_for 60 find_window || { cat "$work/app.log" >&2; fail "la fenêtre n'est pas apparue"; }
window=$(find_window)

name=$(xdotool getwindowname "$window")
[[ $name == "Horlune (TU + 1 )" ]] || fail "titre inattendu : '$name'"

geometry=$(xwininfo -id "$window")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
[[ $width == 981 && $height == 529 ]] || fail "taille ${width} x ${height}"
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")

# No decorations asked of the window manager (Motif hints: decorations = 0).
hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
decorations=$(sed -E 's/.*= *//' <<<"$hints" | awk -F', *' '{print $3}')
[[ $decorations == 0x0 ]] || fail "décorations demandées : $hints"

# Brightness (0 to 255) of a pixel of the window.
shoot() { import -window root "$work/shot.png"; }
brightness() {
    convert "$work/shot.png" -crop "1x1+$((left + $1))+$((top + $2))" -colorspace Gray -format "%[fx:int(255*u)]" info:
}
# Number of strongly red pixels in a rectangle of the window.
red_pixels() {
    convert "$work/shot.png" -crop "$3x$4+$((left + $1))+$((top + $2))" +repage \
        -fx "(r>0.75 && g<0.3 && b<0.3) ? 1 : 0" -format "%[fx:int(mean*w*h+0.5)]" info:
}

# Faces of rows 1 to 4: columns 1 to 4 of the first grid line, 48 x 48 at (1700 + 1200 k, 1000) twips. Sample
# the face a little left of and above its centre, clear of the hands.
face_brightness() {
    local column=$1
    local x=$(( (500 + 1200 * column) / 15 + 14 )) y=$(( 1000 / 15 + 14 ))
    brightness "$x" "$y"
}
shoot
paris=$(face_brightness 1); tokyo=$(face_brightness 2); honolulu=$(face_brightness 3); sydney=$(face_brightness 4)
echo "luminosité des cadrans : Paris $paris, Tokyo $tokyo, Honolulu $honolulu, Sydney $sydney"
((paris > 150 && tokyo > 150)) || fail "les cadrans de jour ne sont pas clairs"
((honolulu < 110 && sydney < 110)) || fail "les cadrans de nuit ne sont pas sombres"

# The hover line (Label8, 359 to 829 x 12 to 31) is empty, then red once the pointer rests on Tokyo's face.
before=$(red_pixels 359 12 470 19)
((before == 0)) || fail "la ligne d'information n'est pas vide au départ ($before)"
xdotool mousemove --sync $((left + (500 + 1200 * 2) / 15 + 24)) $((top + 1000 / 15 + 24))
hover_written() { shoot; (( $(red_pixels 359 12 470 19) > 30 )); }
wait_for 30 hover_written || fail "la ligne d'information ne s'est pas écrite"
cp "$work/shot.png" "${HORLUNE_E2E_SCREENSHOT:-/dev/null}" 2>/dev/null || true
echo "1 passed, 0 failed"
