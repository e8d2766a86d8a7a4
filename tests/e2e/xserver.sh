# Sourced by the end-to-end scripts: an X server of the test's own, and what every script needs.

fail() { echo "ÉCHEC : $*" >&2; exit 1; }

# A scratch folder of the script's own ($work); at exit the program started (app_pid) and the X server are
# stopped and the folder removed.
start_work() {
    work=$(mktemp -d)
    app_pid=""
    xvfb_pid=""
    trap stop_work EXIT
}
stop_work() {
    [[ -n ${app_pid:-} ]] && kill "$app_pid" 2>/dev/null || true
    stop_x
    rm -rf "$work"
}

# Waits up to a generous bound (SECONDS) for a command to succeed.
wait_for() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# Presses KEY until a command succeeds, a few seconds each time: a key that arrives while the window system is
# still handing the focus over is dropped by the program, which has no focused window yet.
press_until() {
    local key=$1; shift
    for _ in 1 2 3 4 5; do
        xdotool key "$key"
        wait_for 6 "$@" && return 0
    done
    return 1
}
#
# start_x LOG [SCREEN]: starts Xvfb, sets xvfb_pid and DISPLAY. The server chooses its display number itself
# (-displayfd): it takes the first number whose lock, file socket and abstract socket it can claim, so that
# no other server, of this machine or of another container sharing its network, holds it, and it writes the
# number only once it accepts connections. It never resets (-noreset): by default it does when its last
# client leaves, and a program that connects during the reset is refused. It listens on no TCP port.
start_x() {
    local log=$1 screen=${2:-1280x800x24} ready display=""
    ready=$(mktemp -u)
    mkfifo "$ready"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$ready" >"$log" 2>&1 &
    xvfb_pid=$!
    read -r -t 60 display <"$ready" || true
    rm -f "$ready"
    if [[ ! $display =~ ^[0-9]+$ ]]; then
        cat "$log" >&2
        stop_x
        return 1
    fi
    export DISPLAY=":$display"
}

stop_x() {
    [[ -n ${xvfb_pid:-} ]] || return 0
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}
