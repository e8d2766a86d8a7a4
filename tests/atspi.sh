#!/usr/bin/env bash
# Runs functions of a widget test on X11 (an Xvfb of its own) with Qt's AT-SPI bridge on, on a session bus
# of its own: what Qt sends screen readers, which the offscreen platform never does.
# Usage: atspi.sh TEST FUNCTION...
set -euo pipefail
# shellcheck source=e2e/xserver.sh
source "$(dirname "$0")/e2e/xserver.sh"
log=$(mktemp)
trap 'stop_x; rm -f "$log"' EXIT
start_x "$log"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The accessibility bus, started by its service on the session bus, as a desktop session starts it.
dbus-run-session -- bash -c 'dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null && exec "$@"' atspi "$@" 2> >(grep -v "Failed to set fd limit" >&2)
