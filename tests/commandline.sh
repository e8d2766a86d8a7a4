#!/usr/bin/env bash
# The options answered on the terminal: --help and --version in French with status 0, an unknown option or an
# extra argument with status 2, and never a window (there is no display here: trying to open one would fail);
# without a wrong argument, a start with no display says in French that it needs one, with status 1.
# Usage: commandline.sh EXECUTABLE
set -euo pipefail
executable=$1
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
fail() { echo "ÉCHEC : $*" >&2; exit 1; }

out=$("$executable" --help) || fail "--help a fini avec le statut $?"
grep -q "^Utilisation : horlune" <<<"$out" || fail "--help : $out"
out=$("$executable" -h) || fail "-h a fini avec le statut $?"
grep -q "^Utilisation : horlune" <<<"$out" || fail "-h : $out"
out=$("$executable" --version) || fail "--version a fini avec le statut $?"
[[ $out =~ ^Horlune\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version : $out"
out=$("$executable" --help --version) || fail "--help --version a fini avec le statut $?"
grep -q "^Utilisation : horlune" <<<"$out" || fail "--help --version : $out"
out=$("$executable" --version -h -platform offscreen) || fail "--version -h a fini avec le statut $?"
[[ $out =~ ^Horlune\ [0-9.]+$ ]] || fail "--version -h : $out"
# Refused before any display is looked for: status 2, a French message, nothing of Qt's and no abort.
for refused in "--inconnue:option inconnue « --inconnue »" "-x:option inconnue « -x »" \
               "foo:argument inattendu « foo »" "-h extra:argument inattendu « extra »" \
               "--help -x:option inconnue « -x »" "extra --version:argument inattendu « extra »" \
               "-display:valeur attendue après « -display »" "-platform xcb -zz:option inconnue « -zz »"; do
    arguments=${refused%%:*} message=${refused#*:}
    status=0
    # shellcheck disable=SC2086 # the arguments are words of their own
    err=$("$executable" $arguments 2>&1 >/dev/null) || status=$?
    [[ $status == 2 ]] || fail "« $arguments » sans affichage a fini avec le statut $status : $err"
    grep -q "$message" <<<"$err" || fail "« $arguments » : $err"
    ! grep -qi "qt\|display\|plugin" <<<"${err//$message/}" || fail "« $arguments » : message de Qt : $err"
done
# Nothing wrong on the line, and no display: said in French, status 1, no abort and no English of Qt's.
for arguments in "" "-display :99" "-style fusion -platform xcb" "-reverse"; do
    status=0
    # shellcheck disable=SC2086 # the arguments are words of their own
    err=$(timeout 60 "$executable" $arguments 2>&1 >/dev/null) || status=$?
    [[ $status == 1 ]] || fail "« $arguments » sans affichage a fini avec le statut $status : $err"
    grep -q "session graphique" <<<"$err" || fail "« $arguments » sans affichage : $err"
    ! grep -qi "could not\|plugin\|abort" <<<"$err" || fail "« $arguments » sans affichage : message de Qt : $err"
done
# An option of Qt's that the platform in use does not take (-name is X11's) is refused once Qt has taken its own
# (here on a platform without a screen, since Qt needs one to read them).
export HOME=$(mktemp -d) && trap 'rm -rf "$HOME"' EXIT
export XDG_CONFIG_HOME=$HOME/config XDG_DATA_HOME=$HOME/data
for refused in "-name horloge:option inconnue « -name »" "-platform offscreen -sync:option inconnue « -sync »"; do
    arguments=${refused%%:*} message=${refused#*:}
    status=0
    # shellcheck disable=SC2086 # the arguments are words of their own
    err=$(QT_QPA_PLATFORM=offscreen timeout 60 "$executable" $arguments 2>&1 >/dev/null) || status=$?
    [[ $status == 2 ]] || fail "« $arguments » a fini avec le statut $status : $err"
    grep -q "$message" <<<"$err" || fail "« $arguments » : $err"
done
[[ ! -e $XDG_CONFIG_HOME && ! -e $XDG_DATA_HOME ]] || fail "une option refusée a laissé des fichiers : $(find "$HOME")"
echo "options : bien"
