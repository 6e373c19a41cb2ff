#!/bin/bash
# Opens the same large page in the program and in Geany (Debian package geany) under an X server,
# then presses Ctrl+End, types twenty characters and Ctrl+S, and prints per run: the seconds from
# launch until the typed text is on disk, the seconds from the first key until then, and the peak
# memory of the editor's process. Needs xdotool and a display without a window manager, e.g.
#   Xvfb :71 -screen 0 1280x900x24 &  DISPLAY=:71 sh bench/compare-geany-page.sh build-rel/quiltmarker page.html
# SETTLE=seconds waits that long after the window shows before the first key (default 1.5), so
# the keys come while a word-wrapped page is still being wrapped in the background.
set -u
program=${1:-build-rel/quiltmarker}
page=${2:?the page to open}
runs=${RUNS:-3}
typed=qqqqqwwwwweeeeerrrrr

# run <label> <command...>: the command opens the copy of the page named by $copy.
run() {
    label=$1
    shift
    start=$(date +%s.%N)
    "$@" > /dev/null 2>&1 &
    pid=$!
    xdotool search --sync --onlyvisible --pid $pid > /dev/null 2>&1
    sleep "${SETTLE:-1.5}"
    xdotool mousemove 640 450 click 1
    keys=$(date +%s.%N)
    xdotool key ctrl+End
    xdotool type --delay 5 "$typed"
    xdotool key ctrl+s
    for _ in $(seq 6000); do
        tail -c 200 "$copy" | grep -q "$typed" && break
        sleep 0.02
    done
    done_at=$(date +%s.%N)
    peak=$(awk '/VmHWM/ { print $2 }' /proc/$pid/status)
    kill $pid
    wait $pid 2> /dev/null
    printf '%-12s launch-to-disk %6.2f s  keys-to-disk %6.2f s  peak %6d KB\n' "$label" \
        "$(echo "$done_at - $start" | bc)" "$(echo "$done_at - $keys" | bc)" "$peak"
}

for _ in $(seq "$runs"); do
    work=$(mktemp -d)
    mkdir -m 700 "$work/tmp"
    copy=$work/page.html
    cp "$page" "$copy"
    QUILTMARKER_REGISTRY=$work/registry.reg QUILTMARKER_HOME=$work/home TMPDIR=$work/tmp \
        run quiltmarker "$program" "$copy"
    cp "$page" "$copy"
    run geany geany -i -m -n -c "$work/geany" "$copy"
    rm -rf "$work"
done
