#!/usr/bin/env bash
# Installs the built program into a throw-away prefix, twice, and removes it: every file in its place, the
# launcher reaching the real executable, a valid menu entry, the user's city list kept by a second install
# and by the removal, and nothing left once the city list is removed too. Usage: install.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$prefix" "$log"' EXIT
fail() { echo "ÉCHEC : $*" >&2; exit 1; }

install_into() { cmake --install "$build" --prefix "$prefix" >"$log" 2>&1 || { cat "$log" >&2; fail "installation"; }; }
install_into
program=$prefix/lib/horlune
mapfile -t installed < "$root/cmake/installed-files.txt"
for file in "${installed[@]}" lib/horlune/horlune.ini; do
    [[ -f $prefix/$file ]] || fail "$file manque"
done
[[ -x $program/horlune ]] || fail "le programme n'est pas exécutable"
[[ $(readlink -f "$prefix/bin/horlune") == $(readlink -f "$program/horlune") ]] || fail "le lanceur ne mène pas au programme"
cmp -s "$program/horlune.ini" "$root/resources/horlune.ini" || fail "la liste des villes installée n'est pas celle par défaut"
cmp -s "$program/HLN.html" "$root/resources/HLN.html" || fail "la page d'aide installée diffère"
for size in 16 22 24 32 48 64 128 256 512; do
    [[ $(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/horlune.png") == "${size}x${size}" ]] ||
        fail "l'icône de $size pixels n'a pas sa taille"
done
entry=$prefix/share/applications/fr.horlune.Horlune.desktop
grep -qx "Exec=\"$prefix/bin/horlune\"" "$entry" || fail "l'entrée de menu ne lance pas $prefix/bin/horlune"
grep -qx 'Icon=horlune' "$entry" || fail "l'entrée de menu n'a pas l'icône horlune"
grep -qx 'Categories=Utility;Clock;' "$entry" || fail "catégories de l'entrée de menu"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "entrée de menu invalide"
fi

# A second install keeps the user's cities and renews the rest.
printf 'Ma ville,2,1\r\n' > "$program/horlune.ini"
echo "abîmée" > "$program/HLN.html"
install_into
[[ $(cat "$program/horlune.ini") == $'Ma ville,2,1\r' ]] || fail "la deuxième installation a remplacé la liste des villes"
cmp -s "$program/HLN.html" "$root/resources/HLN.html" || fail "la deuxième installation n'a pas renouvelé la page d'aide"

# Removing keeps the cities and their zones unless asked.
echo '{"zones": []}' > "$program/horlune.zones"
"$root/scripts/uninstall.sh" "$prefix" >/dev/null
[[ $(find "$prefix" \( -type f -o -type l \) | sort) == "$program/horlune.ini"$'\n'"$program/horlune.zones" ]] || fail "la désinstallation laisse : $(find "$prefix" -type f -o -type l)"
"$root/scripts/uninstall.sh" --cities "$prefix" >/dev/null
[[ -z $(find "$prefix" -type f -o -type l) ]] || fail "la désinstallation complète laisse : $(find "$prefix" -type f -o -type l)"
echo "1 passed, 0 failed"
