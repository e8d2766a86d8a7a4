#!/usr/bin/env bash
# Runs a test program on a headless Weston of its own: wayland.sh TEST_PROGRAM.
set -euo pipefail
program=$1
fail() { echo "ÉCHEC : $*" >&2; exit 1; }
command -v weston >/dev/null || fail "weston manque (scripts/deps.sh test l'installe)"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || fail "qt6-wayland manque"
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=""
trap '[[ -n $weston_pid ]] && kill "$weston_pid" 2>/dev/null; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --socket=wayland-horlune --idle-time=0 --no-config >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 300); do
    [[ -S $runtime/wayland-horlune ]] && break
    kill -0 "$weston_pid" 2>/dev/null || { cat "$runtime/weston.log" >&2; fail "weston ne démarre pas"; }
    sleep 0.1
done
[[ -S $runtime/wayland-horlune ]] || fail "weston n'ouvre pas sa socket"
WAYLAND_DISPLAY=wayland-horlune QT_QPA_PLATFORM=wayland "$program"
