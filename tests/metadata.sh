#!/usr/bin/env bash
# What the desktop and a software centre read of Horlune, checked without the network and without installing:
# the AppStream description (valid, of the menu entry's name, its newest release the program's version), the
# menu entry, the manual page as man reads it (no warning, the program's version) and the scalable icon.
# Usage: metadata.sh SOURCE_DIR BUILD_DIR VERSION
set -euo pipefail
source=$1 build=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "ÉCHEC : $*" >&2; exit 1; }
id=fr.horlune.Horlune
metainfo=$source/resources/$id.metainfo.xml

appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "la description AppStream n'est pas valide"; }
grep -q "<id>$id</id>" "$metainfo" || fail "l'identifiant AppStream n'est pas $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "la description ne lance pas $id.desktop"
[[ -f $source/resources/$id.desktop.in ]] || fail "pas d'entrée de menu $id.desktop.in"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
[[ $newest == "$version" ]] || fail "la dernière version de la description AppStream est $newest, le programme est $version"
grep -q '<screenshot type="default">' "$metainfo" || fail "la description n'a pas de capture d'écran"

sed 's|@HORLUNE_LAUNCHER@|/usr/bin/horlune|' "$source/resources/$id.desktop.in" >"$work/$id.desktop"
desktop-file-validate "$work/$id.desktop" || fail "l'entrée de menu n'est pas valide"

page=$build/launcher/horlune.1
[[ -f $page ]] || fail "$page manque"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >"$work/man.txt") ||
    fail "man ne lit pas la page : $warnings"
[[ -z $warnings ]] || fail "la page de manuel : $warnings"
grep -q "Horlune $version" "$work/man.txt" || fail "la page de manuel ne dit pas la version $version"

python3 - "$source/resources/pictures/horlune.svg" <<'PY' || fail "l'icône vectorielle n'est pas un SVG carré"
import sys, xml.etree.ElementTree as tree
root = tree.parse(sys.argv[1]).getroot()
assert root.tag == "{http://www.w3.org/2000/svg}svg", root.tag
x, y, width, height = (float(v) for v in root.get("viewBox").split())
assert width == height > 0
PY
echo "1 passed, 0 failed"
