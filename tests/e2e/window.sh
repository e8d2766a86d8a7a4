#!/usr/bin/env bash
# End to end: the real executable on its own Xvfb display, at a fixed instant (libfaketime) in Paris.
# The window must appear undecorated at 981 x 529 with its caption, show day and night faces where the
# hours say, write the hover line when the pointer rests on a city, and quit from its "Quitter" button.
# Usage: window.sh EXECUTABLE [SCALE]. At a scale of 2 (QT_SCALE_FACTOR) the window is twice as large in
# device pixels and its faces are the double-size pictures, pixel for pixel.
set -euo pipefail

executable=$1
scale=${2:-1}
pictures=$(cd "$(dirname "$0")/../../resources/pictures" && pwd)
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
Xvfb -displayfd 5 -screen 0 2048x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 30 test -s "$work/display" || fail "Xvfb n'a pas démarré"
export DISPLAY=":$(head -n1 "$work/display")"

# The program folder: the executable beside a city file of our own; settings in a folder of our own. It is
# started through a link in another folder, as installed on the PATH, and must still find its files.
mkdir -p "$work/program" "$work/bin" "$work/config"
cp "$executable" "$work/program/horlune"
ln -s ../program/horlune "$work/bin/horlune"
printf 'Paris,2,1\r\nTokyo,9,9\r\nHonolulu,-10,-10\r\nSydney,10,11\r\n' > "$work/program/horlune.ini"
export XDG_CONFIG_HOME="$work/config"

# Monday 9 December 2024, 11:00 in Paris (10:00 Universal Time): Paris and Tokyo (19:00) by day,
# Honolulu (00:00) and Sydney (21:00) by night.
QT_SCALE_FACTOR=$scale TZ=Europe/Paris FAKETIME="@2024-12-09 11:00:00" LD_PRELOAD=$(ls /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1) \
    "$work/bin/horlune" >"$work/app.log" 2>&1 &
app_pid=$!

find_window() { xdotool search --onlyvisible --name '^Horlune \(TU' | head -n1; }
wait_for 60 find_window || { cat "$work/app.log" >&2; fail "la fenêtre n'est pas apparue"; }
window=$(find_window)

name=$(xdotool getwindowname "$window")
[[ $name == "Horlune (TU + 1 )" ]] || fail "titre inattendu : '$name'"

geometry=$(xwininfo -id "$window")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
[[ $width == $((981 * scale)) && $height == $((529 * scale)) ]] || fail "taille ${width} x ${height} à l'échelle $scale"
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")

# No decorations asked of the window manager (Motif hints: decorations = 0).
hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
decorations=$(sed -E 's/.*= *//' <<<"$hints" | awk -F', *' '{print $3}')
[[ $decorations == 0x0 ]] || fail "décorations demandées : $hints"

# Positions and sizes below are logical pixels of the window; `crop` turns them into a crop of the screenshot.
shoot() { import -window root "$work/shot.png"; }
crop() { echo "$(($3 * scale))x$(($4 * scale))+$((left + $1 * scale))+$((top + $2 * scale))"; }
# Brightness (0 to 255) of a pixel of the window.
brightness() {
    convert "$work/shot.png" -crop "$(crop "$1" "$2" 1 1)" -colorspace Gray -format "%[fx:int(255*u)]" info:
}
# Number of strongly red pixels in a rectangle of the window.
red_pixels() {
    convert "$work/shot.png" -crop "$(crop "$@")" +repage \
        -fx "(r>0.75 && g<0.3 && b<0.3) ? 1 : 0" -format "%[fx:int(mean*w*h+0.5)]" info:
}

# Faces of rows 1 to 4: columns 1 to 4 of the first grid line, 48 x 48 at (1700 + 1200 k, 1000) twips. Sample
# the face a little left of and above its centre, clear of the hands.
face_brightness() {
    local column=$1
    brightness $(( (500 + 1200 * column) / 15 + 14 )) $(( 1000 / 15 + 14 ))
}
shoot
paris=$(face_brightness 1); tokyo=$(face_brightness 2); honolulu=$(face_brightness 3); sydney=$(face_brightness 4)
echo "luminosité des cadrans : Paris $paris, Tokyo $tokyo, Honolulu $honolulu, Sydney $sydney"
((paris > 150 && tokyo > 150)) || fail "les cadrans de jour ne sont pas clairs"
((honolulu < 110 && sydney < 110)) || fail "les cadrans de nuit ne sont pas sombres"

# The hover line (Label8, 359 to 829 x 12 to 31) is empty, then red once the pointer rests on Tokyo's face.
before=$(red_pixels 359 12 470 19)
((before == 0)) || fail "la ligne d'information n'est pas vide au départ ($before)"
xdotool mousemove --sync $((left + ((500 + 1200 * 2) / 15 + 24) * scale)) $((top + (1000 / 15 + 24) * scale))
hover_written() { shoot; (( $(red_pixels 359 12 470 19) > 30 )); }
wait_for 30 hover_written || fail "la ligne d'information ne s'est pas écrite"
if [[ -n ${HORLUNE_E2E_SCREENSHOT:-} ]]; then
    convert "$work/shot.png" -crop "$(crop 0 0 981 529)" +repage "$HORLUNE_E2E_SCREENSHOT" || true
fi

# Paris's face, at 11:00: both hands point up, so its lower half is the picture alone, over the background
# where the picture's corners let it through. On the screen it must be the picture of this scale, pixel for
# pixel, and at a scale of 2 it must not be the single picture blown up.
convert "$work/shot.png" -crop "$(crop 113 67 48 48)" +repage -crop "$((48 * scale))x$((20 * scale))+0+$((28 * scale))" \
    +repage "$work/face.png"
# The same lower half drawn from the pictures of a scale (background, then face), blown up to the screen's
# scale; prints how many of its pixels differ from the screen's.
differing_from_pictures() {
    local own=$1 background=$2 face=$3
    convert "$pictures/$background" -crop "$((48 * own))x$((48 * own))+$((113 * own))+$((67 * own))" +repage \
        "$pictures/$face" -composite -filter point -resize "$((100 * scale / own))%" \
        -crop "$((48 * scale))x$((20 * scale))+0+$((28 * scale))" +repage "$work/expected.png"
    compare -metric AE -fuzz 8% "$work/face.png" "$work/expected.png" null: 2>&1 || true
}
if ((scale == 2)); then
    sharp=$(differing_from_pictures 2 background@2x.bmp jour@2x.gif)
    blown_up=$(differing_from_pictures 1 background.bmp jour.gif)
    echo "pixels du cadran de Paris différents : $sharp de l'image double, $blown_up de l'image simple agrandie"
    ((blown_up >= 20)) || fail "le cadran est l'image simple agrandie"
else
    sharp=$(differing_from_pictures 1 background.bmp jour.gif)
fi
((sharp <= 4)) || fail "le cadran n'est pas l'image de l'échelle $scale ($sharp pixels différents)"

# "Quitter" (863 to 967 x 14 to 38) closes the window and ends the program without error: an instrumented
# build checks for leaks then.
xdotool mousemove --sync $((left + 915 * scale)) $((top + 26 * scale)) click 1
finished() { [[ $(awk '{print $3}' "/proc/$app_pid/stat" 2>/dev/null || echo Z) == Z ]]; }
wait_for 30 finished || fail "le programme ne s'est pas arrêté"
status=0
wait "$app_pid" || status=$?
app_pid=""
((status == 0)) || { cat "$work/app.log" >&2; fail "le programme s'est arrêté avec le code $status"; }
echo "1 passed, 0 failed"
