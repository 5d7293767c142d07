#!/usr/bin/env bash
# Telmora as a screen reader sees it: the program on a virtual X server with its
# accessibility bridge on, a private session bus with the accessibility bus
# behind it, and atspi_probe.py reading the tree through the AT-SPI registry.
#
# Usage: atspi_check.sh TELMORA
# Leaves with 77 (skipped) when Xvfb, the session bus, the AT-SPI bus or the
# Python bindings are missing (scripts/deps installs them).
set -euo pipefail

app=$1
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3

for tool in Xvfb xprop dbus-run-session /usr/libexec/at-spi-bus-launcher "$python"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/deps installs it)"
        exit 77
    fi
done
if ! "$python" -c "import pyatspi" >/dev/null 2>&1; then
    echo "SKIP: the AT-SPI Python bindings are not installed (scripts/deps installs them)"
    exit 77
fi

# Inside the private session bus: the program, then the probe.
if [ "${1:-}" = "--inside" ]; then
    app=$2
    work=$3
    (cd "$work" && exec "$app" --simulate) >>"$work/app.log" 2>&1 &
    app_pid=$!
    status=0
    "$python" "$here/atspi_probe.py" || status=$?
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    if [ "$status" -ne 0 ]; then
        echo "--- app.log:"
        tail -n 20 "$work/app.log" || true
    fi
    exit "$status"
fi

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: the first free number from a point that differs from run
# to run.
start_x_server() {
    local n
    for offset in $(seq 0 99); do
        n=$((200 + ($$ + offset) % 100))
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            if ! kill -0 "$xvfb_pid" 2>/dev/null; then
                break
            fi
            if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xprop -root >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    return 1
}
if ! start_x_server; then
    echo "FAIL: the X server did not start"
    exit 1
fi

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export NO_AT_BRIDGE=0 GTK_A11Y=atspi
dbus-run-session -- "$0" --inside "$app" "$work"
