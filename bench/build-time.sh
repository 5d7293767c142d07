#!/usr/bin/env bash
# Time of a first build and of a rebuild, as a newcomer meets them.
# Usage: bench/build-time.sh [REVISION] [TARGET]
#   REVISION  what to clone (default HEAD of this checkout)
#   TARGET    what to build (default telmora, what scripts/run starts)
# Clones the revision into a scratch folder, configures it as scripts/run does
# (Release, tests off) and builds TARGET with the compiler cache off, then touches
# one source file of the windows and builds again. Prints wall and CPU seconds of
# each step. Set JOBS to change the parallelism (default: the number of cores) and
# TOUCH to touch another file (default src/ui/main/MainWindow.cpp).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
REV="${1:-HEAD}"
TARGET="${2:-telmora}"
JOBS="${JOBS:-$(nproc)}"
TOUCH="${TOUCH:-src/ui/main/MainWindow.cpp}"
WORK="$(mktemp -d "${TMPDIR:-/tmp}/telmora-build-time.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
export CCACHE_DISABLE=1

# step NAME COMMAND...: runs the command and prints its wall and CPU (user+system) seconds.
step() {
    local name="$1"
    shift
    local before after
    before=$(awk '{print $14+$15+$16+$17}' /proc/$$/stat)
    local t0 t1
    t0=$(date +%s.%N)
    "$@" >"$WORK/$name.log" 2>&1 || {
        echo "$name failed; the last lines of its output:" >&2
        tail -n 30 "$WORK/$name.log" >&2
        exit 1
    }
    t1=$(date +%s.%N)
    # Children's times reach this shell's counters when they have been waited for.
    after=$(awk '{print $14+$15+$16+$17}' /proc/$$/stat)
    local tick
    tick=$(getconf CLK_TCK)
    printf '%-10s %8.1f s wall %8.1f s CPU\n' "$name" "$(echo "$t1 - $t0" | bc)" \
        "$(echo "($after - $before) / $tick" | bc -l)"
}

cd "$WORK"
step clone git clone -q --no-hardlinks "$ROOT" src
git -C src checkout -q "$REV"
GENERATOR=(-G Ninja)
step configure cmake -S src -B build "${GENERATOR[@]}" -DCMAKE_BUILD_TYPE=Release -DTELMORA_TESTS=OFF
step build cmake --build build -j "$JOBS" --target "$TARGET"
touch "src/$TOUCH"
step rebuild cmake --build build -j "$JOBS" --target "$TARGET"
echo "revision $(git -C src rev-parse --short HEAD), target $TARGET, $JOBS jobs, compiler cache off"
