#!/usr/bin/env bash
# The options answered on the terminal: --help and --version in French with status 0, an unknown option with
# status 2, and never a window (there is no display here: trying to open one would fail).
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
status=0
err=$("$executable" --inconnue 2>&1 >/dev/null) || status=$?
[[ $status == 2 ]] || fail "une option inconnue a fini avec le statut $status"
grep -q "option inconnue « --inconnue »" <<<"$err" || fail "option inconnue : $err"
# What Qt does not take for itself is refused too, once Qt has taken its own (here on a platform without a
# screen, since Qt needs one to read them): an option of one dash, a word.
export HOME=$(mktemp -d) && trap 'rm -rf "$HOME"' EXIT
export XDG_CONFIG_HOME=$HOME/config XDG_DATA_HOME=$HOME/data
for refused in "-z:option inconnue « -z »" "ville:argument inattendu « ville »" "-platform offscreen -z:option inconnue « -z »"; do
    arguments=${refused%%:*} message=${refused#*:}
    status=0
    # shellcheck disable=SC2086 # the arguments are words of their own
    err=$(QT_QPA_PLATFORM=offscreen timeout 60 "$executable" $arguments 2>&1 >/dev/null) || status=$?
    [[ $status == 2 ]] || fail "« $arguments » a fini avec le statut $status : $err"
    grep -q "$message" <<<"$err" || fail "« $arguments » : $err"
done
[[ ! -e $XDG_CONFIG_HOME && ! -e $XDG_DATA_HOME ]] || fail "une option refusée a laissé des fichiers : $(find "$HOME")"
echo "options : bien"
