#!/usr/bin/env bash
# The committed gazetteer is what its script makes from this system's Debian packages: the script is run
# into a folder of its own and the two files' first lines and contents compared (the compressed bytes may
# differ with another zlib), and so are the default list's table and the Latin letters' base forms that the
# program's folding includes. Usage: gazetteer.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "ÉCHEC : $*" >&2; exit 1; }
/usr/bin/python3 -c 'import icu' 2>/dev/null || fail "python3-icu manque (scripts/deps.sh test l'installe)"
/usr/bin/python3 "$root/resources/cities/make_index.py" "$work/gazetteer.dat" "$work/latinletters.inc" >"$work/script.log" 2>&1 ||
    { cat "$work/script.log" >&2; fail "le script du répertoire des villes a échoué"; }
contents() {
    /usr/bin/python3 - "$1" <<'PYTHON'
import sys, zlib
data = open(sys.argv[1], "rb").read()
first = data.index(b"\n")
second = data.index(b"\n", first + 1)
sys.stdout.buffer.write(data[:second + 1] + zlib.decompress(data[second + 5:]))
PYTHON
}
contents "$root/resources/cities/gazetteer.dat" >"$work/committed"
contents "$work/gazetteer.dat" >"$work/made"
cmp -s "$root/resources/cities/defaults.tsv" "$work/defaults.tsv" || fail "la table des villes de la liste par défaut n'est pas celle que le script donne"
cmp -s "$root/data/latinletters.inc" "$work/latinletters.inc" || fail "la table des lettres latines n'est pas celle que le script donne"
cmp -s "$work/committed" "$work/made" ||
    { diff "$work/committed" "$work/made" | head -20 >&2; fail "le répertoire des villes n'est pas celui que son script donne"; }
echo "1 passed, 0 failed"
