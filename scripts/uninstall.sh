#!/usr/bin/env bash
# Removes what `cmake --install` put in a prefix: scripts/uninstall.sh [--cities] [PREFIX]
# PREFIX is ~/.local unless given. The city list (lib/horlune/horlune.ini), which holds your own cities, and
# the time zones chosen for them (lib/horlune/horlune.zones) stay unless --cities is given.
set -euo pipefail
cities=false
if [[ ${1:-} == --cities ]]; then
    cities=true
    shift
fi
prefix=${1:-$HOME/.local}

mapfile -t files < "$(dirname "$0")/../cmake/installed-files.txt"
if $cities; then
    files+=(lib/horlune/horlune.ini lib/horlune/horlune.zones)
fi
for file in "${files[@]}"; do
    if [[ -e $prefix/$file || -L $prefix/$file ]]; then
        rm -f "$prefix/$file"
        echo "Supprimé : $prefix/$file"
    fi
done
rmdir "$prefix/lib/horlune" 2>/dev/null || true
if [[ -e $prefix/lib/horlune/horlune.ini ]]; then
    echo "Gardé : $prefix/lib/horlune/horlune.ini (vos villes ; « $0 --cities » le supprime aussi)"
fi
