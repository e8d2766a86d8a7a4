#!/usr/bin/env bash
# Installs what is missing, builds, and starts Horlune.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" run
"$root/scripts/build.sh" --target horlune
exec "${HORLUNE_BUILD_DIR:-$root/build}/horlune"
