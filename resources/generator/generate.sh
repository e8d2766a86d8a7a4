#!/bin/sh
# Builds the picture generator in a temporary folder and writes Horlune's
# bitmap resources into resources/pictures/. Run it after changing a drawing,
# then commit the regenerated files.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out="$here/../pictures"
build=$(mktemp -d "${TMPDIR:-/tmp}/horlune-pictures.XXXXXX")
trap 'rm -rf "$build"' EXIT INT TERM

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel 2 >/dev/null
mkdir -p "$out"
"$build/horlune-picture-generator" "$out"
