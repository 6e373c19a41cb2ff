#!/bin/sh
# Start to an empty window, side by side with Geany, on the X server named by $DISPLAY: the two
# programs are started in turn, each timed from its start until its main window is mapped, then
# ended. Quiltmarker's main window is the one of its class that is larger than its splash.
# Each program runs in a settings folder of its own, made fresh and warmed by one untimed start,
# so every timed start is an ordinary one, not a first run.
#
# Usage: DISPLAY=:N bench/compare-geany-start.sh path/to/quiltmarker [runs] [busy]
#   busy: that many processes that keep a core busy each run for the whole comparison
#         (say $(nproc)), for the figures on a loaded machine.
set -eu
program=$(realpath "$1")
runs=${2:-10}
busy=${3:-0}
command -v geany >/dev/null || { echo "geany is not installed" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is not installed" >&2; exit 1; }

work=$(mktemp -d)
loaders=""
cleanup() {
    for pid in $loaders; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

export QUILTMARKER_HOME="$work/qm-home" QUILTMARKER_REGISTRY="$work/qm-registry.reg"
export TMPDIR="$work/tmp"
mkdir -p "$QUILTMARKER_HOME" "$TMPDIR" "$work/geany"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# True once a mapped window of the class is wider than min_width.
main_window_mapped() {
    class=$1 min_width=$2
    for window in $(xdotool search --onlyvisible --classname "^$class\$" 2>/dev/null); do
        width=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^WIDTH=//p')
        [ "${width:-0}" -gt "$min_width" ] && return 0
    done
    return 1
}

# Prints the milliseconds from the start of the command until its main window is mapped.
start_to_window() {
    class=$1 min_width=$2
    shift 2
    start=$(now_ms)
    "$@" >/dev/null 2>&1 &
    pid=$!
    until main_window_mapped "$class" "$min_width"; do
        kill -0 "$pid" 2>/dev/null || { echo "$* ended before its window showed" >&2; exit 1; }
        sleep 0.005
    done
    echo $(($(now_ms) - start))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # The next start must not find this one's window still there.
    while main_window_mapped "$class" "$min_width"; do sleep 0.01; done
}

time_quiltmarker() { start_to_window quiltmarker 310 "$program"; }
time_geany() { start_to_window geany 0 geany -i -c "$work/geany"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

i=0
while [ "$i" -lt "$busy" ]; do
    sh -c 'while :; do :; done' &
    loaders="$loaders $!"
    i=$((i + 1))
done

time_quiltmarker >/dev/null
time_geany >/dev/null
i=0
while [ "$i" -lt "$runs" ]; do
    echo "$(time_quiltmarker) $(time_geany)"
    i=$((i + 1))
done >"$work/times"
echo "start to main window, ms (quiltmarker geany), $runs runs, $busy busy processes:"
cat "$work/times"
echo "median: quiltmarker $(cut -d' ' -f1 "$work/times" | median)" \
    "geany $(cut -d' ' -f2 "$work/times" | median)"
