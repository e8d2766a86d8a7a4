#!/usr/bin/env bash
# The same clock on any desktop: the window with the configuration panel open, shot on an X server of its
# own under the plain desktop and again under GTK's platform theme with a dark theme and a larger text scale;
# every shot must be the plain one, pixel for pixel. A high-contrast theme asks for the program's own
# high-contrast look: the same as chosen from the menu under the plain desktop, unless the user left it.
# Usage: theme.sh EXECUTABLE
set -euo pipefail
executable=$1
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    pkill -P $$ 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
# HORLUNE_THEME_KEEP names a folder that receives the shots, to look at them.
keep() {
    [[ -n ${HORLUNE_THEME_KEEP:-} ]] && cp "$work"/*.png "$HORLUNE_THEME_KEEP"/ 2>/dev/null
    cleanup
}
trap keep EXIT

# Each shot has an X server of its own; its log is shown when a shot fails.
source "$(dirname "$0")/xserver.sh"
cp "$executable" "$work/horlune"
cp "$(dirname "$executable")/horlune.ini" "$work/"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work/home
mkdir -p "$HOME"
# The same instant for every shot, however long a shot takes: the wall clock stands still (no "@"), while the
# monotonic clock that the program's timers run on goes on.
export FAKETIME="2026-12-10 16:07:00" FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_NO_CACHE=1 TZ=Europe/Paris
faketime_library=$(ls /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 2>/dev/null || true)
[[ -n $faketime_library ]] || fail "libfaketime manque"

# One shot of the window with the panel open, under the environment given.
shoot() {
    local name=$1; shift
    local pid="" window=""
    start_x "$work/$name.xvfb.log" || fail "$name : Xvfb ne démarre pas"
    env "$@" LD_PRELOAD="$faketime_library" FAKETIME="$FAKETIME" "$work/horlune" >"$work/$name.log" 2>&1 &
    pid=$!
    for _ in $(seq 600); do
        window=$(xdotool search --onlyvisible --name '^Horlune' 2>/dev/null | head -n1) && [[ -n $window ]] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    [[ -n $window ]] || { cat "$work/$name.log" "$work/$name.xvfb.log" >&2; fail "$name : pas de fenêtre"; }
    # The panel is open once the place of its date box no longer looks as before the key: the key is sent
    # again while it does not (a slow start may not have the keyboard yet). Then the keys go back from the
    # first name's box, whose caret blinks, to "OK", and the shot is kept once two in a row are the same.
    local opened="" previous="" colour before
    sleep 0.5
    import -window "$window" "$work/$name.png"
    before=$(convert "$work/$name.png" -format '%[pixel:p{100,38}]' info:)
    for attempt in $(seq 120); do
        # The keys go to the window that has the X server's focus, as a window manager would give it.
        if [[ -z $opened ]] && (( attempt % 10 == 1 )); then
            xdotool windowfocus --sync "$window" 2>/dev/null || true
            xdotool key ctrl+comma 2>/dev/null || true
        fi
        sleep 0.25
        import -window "$window" "$work/$name.png"
        colour=$(convert "$work/$name.png" -format '%[pixel:p{100,38}]' info:)
        if [[ -z $opened && $colour != "$before" ]]; then
            opened=yes
            xdotool key shift+Tab 2>/dev/null || true
            continue
        fi
        if [[ -n $opened ]]; then
            [[ -n $previous ]] && cmp -s "$previous" "$work/$name.png" && break
            cp "$work/$name.png" "$work/$name.previous.png"
            previous=$work/$name.previous.png
        fi
    done
    [[ -n $opened ]] || fail "$name : le panneau ne s'ouvre pas"
    rm -f "$work/$name.previous.png"
    kill "$pid"; wait "$pid" 2>/dev/null || true
    stop_x
}

shoot plain
shoot dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
shoot contrast QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=HighContrastInverse
shoot large QT_QPA_PLATFORMTHEME=gtk3 GDK_DPI_SCALE=1.5 GTK_THEME=Adwaita
# "Contraste élevé" as the menu keeps it in the settings: chosen under the plain desktop, left under the
# high-contrast theme.
mkdir -p "$work/chosen/horlune" "$work/left/horlune"
printf '[data]\nContraste=T\n' >"$work/chosen/horlune/horlune.conf"
printf '[data]\nContraste=F\n' >"$work/left/horlune/horlune.conf"
shoot chosen XDG_CONFIG_HOME="$work/chosen"
shoot left QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=HighContrastInverse XDG_CONFIG_HOME="$work/left"
same() {
    local differing
    differing=$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)
    [[ $differing == 0 ]] || fail "« $2 » : $differing points diffèrent de « $1 »"
}
for name in dark large left; do
    same plain "$name"
done
same contrast chosen
differing=$(compare -metric AE "$work/plain.png" "$work/contrast.png" null: 2>&1 || true)
((differing > 10000)) || fail "sous un thème à contraste élevé, la fenêtre garde les couleurs ordinaires ($differing points diffèrent)"
echo "thèmes : bien"
