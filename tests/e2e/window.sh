#!/usr/bin/env bash
# End to end: the real executable on its own Xvfb display, at a fixed instant (libfaketime) in Paris.
# The window must appear undecorated at 981 x 529 with its caption, show day and night faces where the
# hours say, write the hover line when the pointer rests on a city, light a button under the pointer,
# follow a drag, save an edit made in the configuration panel, open and close the About window, and end
# with status 0 on "Quitter".
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

# Clicks at a point of the window.
click_at() { xdotool mousemove --sync $((left + $1)) $((top + $2)) click 1; }
window_place() { xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {print x, $4}'; }

# The "Aide" button lights: its caption (146, 19, 80 x 24) turns red.
(( $(red_pixels 146 19 80 24) == 0 )) || fail "le bouton Aide est allumé au départ"
xdotool mousemove --sync $((left + 185)) $((top + 26))
button_lit() { shoot; (( $(red_pixels 146 19 80 24) > 20 )); }
wait_for 30 button_lit || fail "le bouton Aide ne s'allume pas sous le pointeur"

# A press on the bare window and a move drag the window; there is no window manager here, so the program
# moves it itself.
xdotool mousemove --sync $((left + 700)) $((top + 522)) mousedown 1
xdotool mousemove --sync $((left + 740)) $((top + 552))
xdotool mousemove --sync $((left + 760)) $((top + 562)) mouseup 1
moved() { [[ $(window_place) == "$((left + 60)) $((top + 40))" ]]; }
wait_for 30 moved || fail "la fenêtre n'a pas suivi le pointeur : $(window_place)"
read -r left top <<<"$(window_place)"

# Configuration: the panel opens over the clock (its bare grey at 200, 200).
click_at 60 26
panel_open() { shoot; [[ $(convert "$work/shot.png" -crop "1x1+$((left + 200))+$((top + 200))" -format '%[hex:u.p{0,0}]' info:) == C0C0C0* ]]; }
wait_for 30 panel_open || fail "le panneau de configuration ne s'ouvre pas"
# "5,5" typed into Paris's summer box (line 1) becomes 5.5; Honolulu (line 3) is marked.
click_at 501 96
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 50 "5,5"
click_at 376 136
click_at 904 500
find_question() { xdotool search --onlyvisible --name '^Horlune$' | head -n1; }
wait_for 30 find_question || fail "la question « Enregistrer les modifications » n'apparaît pas"
xdotool windowfocus --sync "$(find_question)" key Return
saved() { grep -q 'Paris,5.5,1' "$work/program/horlune.ini"; }
wait_for 30 saved || fail "le fichier des villes n'a pas été réécrit : $(head -c 200 "$work/program/horlune.ini")"
expected=$'Honolulu,-10,-10\r\nParis,5.5,1\r\nTokyo,9,9\r\nSydney,10,11\r'
[[ $(head -n4 "$work/program/horlune.ini") == "$expected" ]] || fail "ordre inattendu : $(head -n4 "$work/program/horlune.ini")"
settings="$work/config/horlune/horlune.conf"
grep -q '^P1=T' "$settings" && grep -q '^P3=F' "$settings" || fail "les villes repérées n'ont pas suivi : $(cat "$settings")"

# A Propos hides the clock and shows the About window; a click on its picture brings the clock back.
panel_closed() { shoot; [[ $(convert "$work/shot.png" -crop "1x1+$((left + 200))+$((top + 200))" -format '%[hex:u.p{0,0}]' info:) != C0C0C0* ]]; }
wait_for 30 panel_closed || fail "le panneau ne s'est pas refermé"
click_at 301 26
find_about() { xdotool search --onlyvisible --name '^Form1$' | head -n1; }
wait_for 30 find_about || fail "la fenêtre A Propos n'apparaît pas"
about=$(find_about)
about_size=$(xwininfo -id "$about" | awk '/Width:/ {w=$2} /Height:/ {print w "x" $2}')
[[ $about_size == 400x573 ]] || fail "fenêtre A Propos de $about_size"
main_hidden() { [[ -z $(find_window) ]]; }
wait_for 30 main_hidden || fail "l'horloge reste visible derrière la fenêtre A Propos"
xdotool mousemove --sync $(($(xwininfo -id "$about" | awk '/Absolute upper-left X:/ {print $4}') + 200)) \
    $(($(xwininfo -id "$about" | awk '/Absolute upper-left Y:/ {print $4}') + 200)) click 1
main_back() { [[ -n $(find_window) && -z $(find_about) ]]; }
wait_for 30 main_back || fail "l'horloge n'est pas revenue"
[[ $(window_place) == "$left $top" ]] || fail "l'horloge n'est pas revenue à sa place : $(window_place)"

# "Quitter" ends the program with status 0.
click_at 915 26
status=0
wait_for 30 bash -c "! kill -0 $app_pid" || fail "le programme ne s'est pas terminé"
wait "$app_pid" || status=$?
app_pid=""
((status == 0)) || fail "code de sortie $status"
echo "1 passed, 0 failed"
