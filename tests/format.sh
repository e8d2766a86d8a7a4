#!/usr/bin/env bash
# Every C++ source of the project as clang-format (Debian's, version 14) writes it with .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format) || { echo "ÉCHEC : clang-format manque" >&2; exit 1; }
mapfile -t sources < <(find . -path ./.git -prune -o -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
if ! "$format" --dry-run --Werror "${sources[@]}"; then
    echo "ÉCHEC : des sources ne sont pas formatées ; corrigez avec : $format -i \$(fichiers ci-dessus)" >&2
    exit 1
fi
echo "${#sources[@]} sources formatées"
