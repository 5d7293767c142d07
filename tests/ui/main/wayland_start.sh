#!/usr/bin/env bash
# Telmora as a native Wayland client under a headless compositor (weston): it
# starts, shows its main window with the panels and keeps running, without a
# complaint from the platform plugin.
#
# Usage: wayland_start.sh TELMORA
# Leaves with 77 (skipped) when weston or Qt's Wayland plugin is missing.
set -euo pipefail

app=$1
if ! command -v weston >/dev/null 2>&1; then
    echo "SKIP: weston is not installed (scripts/deps installs it)"
    exit 77
fi

work=$(mktemp -d)
weston_pid=""
app_pid=""
cleanup() {
    for pid in "$app_pid" "$weston_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for log in "$work"/*.log; do
        if [ -s "$log" ]; then
            echo "--- $(basename "$log"):"
            tail -n 20 "$log"
        fi
    done
    exit 1
}

export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
socket="telmora-test-$$"
weston --backend=headless-backend.so --use-pixman --socket="$socket" --width=1366 \
    --height=768 --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || fail "weston did not start"
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not open its socket"

(cd "$work" && WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland exec "$app" --simulate=demo,demo) \
    >"$work/app.log" 2>&1 &
app_pid=$!
# Up for a few seconds: the first paint, then the panels.
sleep 4
kill -0 "$app_pid" 2>/dev/null || fail "Telmora ended under Wayland"
if grep -Ei "could not connect to display|could not load the qt platform plugin|failed to create wl_display|protocol error" "$work/app.log"; then
    if grep -qi "platform plugin \"wayland\"" "$work/app.log"; then
        echo "SKIP: Qt's Wayland platform plugin is not installed"
        exit 77
    fi
    fail "the platform plugin complained"
fi
echo "PASS: Telmora runs as a native Wayland client"
