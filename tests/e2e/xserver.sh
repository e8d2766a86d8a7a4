# Sourced by the end-to-end scripts: an X server of the test's own.
#
# start_x LOG [SCREEN]: starts Xvfb on a display number nobody uses, sets xvfb_pid and DISPLAY. The number is
# chosen at random far above the usual ones and checked free both as a file socket and as an abstract one:
# abstract sockets belong to the network, not to the file system, so a server of another container on the
# same machine can hold one under the same number, and a client would then reach that server. The server
# never resets: by default it does when its last client leaves (the check that it answers, a shot's
# program killed), and a program that connects during the reset is refused.
start_x() {
    local log=$1 screen=${2:-1280x800x24} display
    for _ in $(seq 50); do
        display=$((200 + RANDOM % 5000))
        [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
        grep -q "@/tmp/.X11-unix/X$display\$" /proc/net/unix 2>/dev/null && continue
        Xvfb ":$display" -screen 0 "$screen" -nolisten tcp -noreset >"$log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 150); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            if [[ -S /tmp/.X11-unix/X$display ]] && xdpyinfo -display ":$display" >/dev/null 2>&1; then
                export DISPLAY=":$display"
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    cat "$log" >&2
    return 1
}

stop_x() {
    [[ -n ${xvfb_pid:-} ]] || return 0
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}
