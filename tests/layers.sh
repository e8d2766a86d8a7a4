#!/usr/bin/env bash
# The layers of docs/architecture.md: a folder includes only from itself and from the folders below it, and
# the model's folders use nothing of Qt but Qt Core.
set -euo pipefail
cd "$(dirname "$0")/.."
# Folders from the bottom up; folders on one line are side by side and do not include one another.
layers=("data" "time" "rows save" "plan" "board" "platform" "ui" "clock config chrome about search week" "app")
level() {
    local i
    for i in "${!layers[@]}"; do
        [[ " ${layers[$i]} " == *" $1 "* ]] && { echo "$i"; return; }
    done
    echo -1
}
qtcore=$(find /usr/include -maxdepth 3 -type d -path '*qt6/QtCore' | head -n1)
failures=0
for file in $(find data time rows save plan board platform ui clock config chrome about search week app -name '*.cpp' -o -name '*.h' | sort); do
    folder=${file%%/*}
    own=$(level "$folder")
    while read -r included; do
        [[ -z $included ]] && continue
        target=${included%%/*}
        [[ $target == "$included" || $target == "$folder" ]] && continue
        theirs=$(level "$target")
        if ((theirs < 0 || theirs >= own)); then
            echo "$file inclut $included, qui n'est pas d'une couche inférieure" >&2
            failures=$((failures + 1))
        fi
    done < <(sed -nE 's/^#include "([^"]+)".*/\1/p' "$file")
    if ((own <= $(level board))) && [[ -n $qtcore ]]; then
        while read -r header; do
            [[ -z $header || ! $header =~ ^Q ]] && continue
            if [[ ! -e $qtcore/$header ]]; then
                echo "$file inclut <$header>, qui n'est pas de Qt Core" >&2
                failures=$((failures + 1))
            fi
        done < <(sed -nE 's/^#include <([^>]+)>.*/\1/p' "$file")
    fi
done
((failures == 0)) || { echo "ÉCHEC : $failures inclusion(s) hors des couches" >&2; exit 1; }
echo "couches respectées"
