#!/usr/bin/env bash
# Times what a newcomer waits for, from a clean clone with the compiler cache off.
#   bench/build-time.sh [--checkout DIR] [--keep]
#       scripts/run to the program (the run stops at --version, so no window is
#       needed), then the same after one source file of the windows was touched
#   bench/build-time.sh --tests [--checkout DIR] [--keep]
#       scripts/test: the build of everything with the tests and the whole suite
# The clone is made from this checkout's HEAD into a scratch folder, which is
# removed afterwards unless --keep is given. --checkout DIR uses DIR instead, a
# checkout without a build folder (a fresh git worktree, say). The packages are
# expected to be installed; scripts/deps then only checks them.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
mode=run
checkout=""
keep=0
while [ $# -gt 0 ]; do
    case "$1" in
    --tests) mode=tests ;;
    --checkout) checkout="$2"; shift ;;
    --keep) keep=1 ;;
    *) echo "usage: bench/build-time.sh [--tests] [--checkout DIR] [--keep]" >&2; exit 2 ;;
    esac
    shift
done

if [ -z "$checkout" ]; then
    checkout="$(mktemp -d "${TMPDIR:-/tmp}/telmora-build-time.XXXXXX")"
    git clone -q "$ROOT" "$checkout"
    [ "$keep" -eq 1 ] || trap 'rm -rf "$checkout"' EXIT
fi
if [ -e "$checkout/build" ]; then
    echo "bench/build-time.sh: $checkout/build exists; the figure needs a clean checkout" >&2
    exit 2
fi

export CCACHE_DISABLE=1
seconds() {
    local start took
    start=$(date +%s.%N)
    local rc=0
    "$@" >"$checkout/build-time.log" 2>&1 || rc=$?
    took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
    if [ "$rc" -ne 0 ]; then
        tail -n 40 "$checkout/build-time.log" >&2
        printf 'failed after %.0f s (the figure does not count)\n' "$took" >&2
        return 1
    fi
    echo "$took"
}

echo "commit $(git -C "$checkout" rev-parse --short HEAD), $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
if [ "$mode" = run ]; then
    took=$(seconds "$checkout/scripts/run" --version)
    printf 'scripts/run from a clean clone: %.0f s\n' "$took"
    touch "$checkout/src/ui/recorder/RecorderWindow.cpp"
    took=$(seconds "$checkout/scripts/run" --version)
    printf 'again after touching one source file: %.1f s\n' "$took"
else
    took=$(seconds "$checkout/scripts/test")
    printf 'scripts/test from a clean clone: %.0f s\n' "$took"
fi
