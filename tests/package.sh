#!/usr/bin/env bash
# Makes the Debian package, checks what it holds and what lintian says of it, unpacks it into a throw-away
# root, and starts the unpacked program as a user would the installed one: the city list it uses is the
# user's own copy of the installed default, in $XDG_DATA_HOME/horlune. Usage: package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
app_pid=""
trap '[[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "ÉCHEC : $*" >&2; exit 1; }
for tool in cpack dpkg-deb lintian; do
    command -v "$tool" >/dev/null || fail "$tool manque (scripts/deps.sh test l'installe)"
done

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/out/horlune_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libnova qt6-qpa-plugins qt6-translations-l10n qt6-wayland tzdata; do
    [[ $depends == *"$needed"* ]] || fail "le paquet ne dépend pas de $needed : $depends"
done
# No error and no warning, but one: the default city list is Windows-1252, as its format is.
lintian --fail-on error,warning --suppress-tags national-encoding "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian signale des erreurs ou des avertissements"; }

root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/lib/horlune/horlune usr/lib/horlune/HLN.html usr/lib/horlune/HLN-planifier.png usr/share/horlune/horlune.ini \
            usr/share/applications/fr.horlune.Horlune.desktop usr/share/icons/hicolor/16x16/apps/horlune.png \
            usr/share/icons/hicolor/512x512/apps/horlune.png usr/share/icons/hicolor/scalable/apps/horlune.svg \
            usr/share/metainfo/fr.horlune.Horlune.metainfo.xml usr/share/man/man1/horlune.1.gz \
            usr/share/doc/horlune/copyright usr/share/doc/horlune/changelog.gz; do
    [[ -f $root/$file ]] || fail "$file manque dans le paquet"
done
[[ $(readlink "$root/usr/bin/horlune") == ../lib/horlune/horlune ]] || fail "usr/bin/horlune ne mène pas au programme"
[[ ! -e $root/usr/lib/horlune/horlune.ini ]] || fail "une liste des villes dans le dossier du programme"
entry=$root/usr/share/applications/fr.horlune.Horlune.desktop
grep -qx 'Exec="/usr/bin/horlune"' "$entry" || fail "entrée de menu : $(grep Exec "$entry")"
appstreamcli validate --no-net "$root/usr/share/metainfo/fr.horlune.Horlune.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "la description AppStream n'est pas valide"; }

# The first start copies the installed list into the user's data folder.
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen
"$root/usr/lib/horlune/horlune" >"$work/app.log" 2>&1 &
app_pid=$!
for _ in $(seq 300); do
    [[ -s $XDG_DATA_HOME/horlune/horlune.ini ]] && break
    kill -0 "$app_pid" 2>/dev/null || { cat "$work/app.log" >&2; fail "le programme s'est arrêté"; }
    sleep 0.1
done
cmp -s "$XDG_DATA_HOME/horlune/horlune.ini" "$root/usr/share/horlune/horlune.ini" ||
    fail "la liste de l'utilisateur n'est pas la copie de la liste installée"
echo "1 passed, 0 failed"
