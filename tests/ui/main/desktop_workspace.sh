#!/usr/bin/env bash
# Telmora under a real window manager (openbox on a virtual X server):
#   1. the main window opens inside the screen, and the analog meter, the
#      comparator and the recorder, opened one by one from the Window menu, open
#      as panels inside it, not as windows of their own;
#   2. after Tile, ten restarts bring the main window back at the same size,
#      inside the screen, with no window of its own for any panel.
#
# Usage: desktop_workspace.sh TELMORA WIDTHxHEIGHT [SCALE]
# Leaves with 77 (skipped) when Xvfb, openbox or xdotool is missing.
set -euo pipefail

app=$1
size=$2
scale=${3:-1}
restarts=${TELMORA_RESTARTS:-10}

for tool in Xvfb openbox xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/deps installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
app_pid=""
cleanup() {
    for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $* (display ${DISPLAY:-none})"
    for log in "$work"/*.log; do
        if [ -s "$log" ]; then
            echo "--- $(basename "$log"):"
            tail -n 20 "$log"
        fi
    done
    exit 1
}

# Waits up to about ten seconds for COMMAND to succeed.
wait_for() {
    for _ in $(seq 100); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# A display of our own: the first free number from a point that differs from run
# to run; a number some other server holds (its socket may not be visible here)
# makes ours exit, and the next one is tried.
start_x_server() {
    local n
    for offset in $(seq 0 99); do
        n=$((100 + ($$ + offset) % 100))
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
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
start_x_server || fail "the X server did not start"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_ready() {
    xprop -root _NET_SUPPORTED | grep _NET_ACTIVE_WINDOW >/dev/null
}
wait_for wm_ready || fail "openbox did not start"

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb
export QT_SCALE_FACTOR="$scale"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

main_window() {
    xdotool search --all --pid "$app_pid" --name "DM-Series" 2>/dev/null | awk 'NR == 1'
}

start_app() {
    (cd "$work" && exec "$app" --simulate) >>"$work/app.log" 2>&1 &
    app_pid=$!
    wait_for main_window || fail "the main window did not appear"
    # The panels come up within a second of the first show.
    sleep 2
}

# Gives the main window the focus and types KEYS there.
type_in_main_window() {
    for _ in 1 2 3 4 5; do
        if xdotool windowactivate --sync "$(main_window)" >/dev/null 2>&1; then
            xdotool key --clearmodifiers "$@"
            return 0
        fi
        sleep 0.3
    done
    fail "the main window cannot be activated"
}

quit_app() {
    type_in_main_window ctrl+q
    for _ in $(seq 100); do
        if ! kill -0 "$app_pid" 2>/dev/null; then
            wait "$app_pid" 2>/dev/null || true
            app_pid=""
            return 0
        fi
        sleep 0.1
    done
    fail "the program did not end on Ctrl+Q"
}

# "x y width height" of a window's outer rectangle (frame included).
outer_rect() {
    local id=$1 x y w h extents
    read -r x y w h < <(xwininfo -id "$id" |
        awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
                 /Width/{w=$2} /Height/{h=$2} END{print x, y, w, h}')
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# The program's shown windows other than the main window, one name a line.
other_windows() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$app_pid" --name "." 2>/dev/null); do
        [ "$id" = "$(main_window)" ] && continue
        xdotool getwindowname "$id"
    done | grep -E "Meter|Comparator|Recorder|Data list" || true
}

# Opens a panel with the Window menu's mnemonic KEY.
open_from_menu() {
    type_in_main_window alt+w
    sleep 0.3
    xdotool key "$1"
    sleep 0.5
}

read -r screen_w screen_h < <(xdotool getdisplaygeometry)

check_inside() {
    local name=$1 x=$2 y=$3 w=$4 h=$5
    if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt "$screen_w" ] ||
        [ $((y + h)) -gt "$screen_h" ]; then
        fail "$name ($x $y $w $h) is not inside the ${screen_w}x${screen_h} screen"
    fi
}

# "w h" of the main window's outer rectangle, checked to lie inside the screen.
main_size() {
    local rect
    rect=$(outer_rect "$(main_window)")
    # shellcheck disable=SC2086
    check_inside "the main window" $rect
    echo "$rect" | awk '{print $3, $4}'
}

start_app
main_size >/dev/null
open_from_menu a
open_from_menu c
open_from_menu g
others=$(other_windows)
[ -z "$others" ] || fail "panels opened as windows of their own: $others"
open_from_menu t
sleep 1
first=$(main_size)
quit_app

for run in $(seq "$restarts"); do
    start_app
    now=$(main_size)
    others=$(other_windows)
    quit_app
    [ -z "$others" ] || fail "restart $run: panels came back as windows of their own: $others"
    if [ "$now" != "$first" ]; then
        fail "restart $run: the main window came back at $now instead of $first"
    fi
done
echo "main window $first"
echo "PASS: ${size} at scale ${scale}: panels stay in the main window, which keeps its size over $restarts restarts"
