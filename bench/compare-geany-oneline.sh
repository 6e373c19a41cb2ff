#!/bin/bash
# A 6 MB page on one single line (a minified page), in the program and in Geany (Debian package
# geany) side by side under one X server, each run with settings of its own:
# - from launch until five characters typed at the end of the line (Ctrl+End first) are saved
#   by Ctrl+S and on disk;
# - the processor time one keystroke then costs, at the end of the line and at its start.
# The program runs with tag colouring off (its default) and on; several builds of it may be
# given to compare them in the same run. Run from the worktree after building, with an X server
# and no window manager (keys go to the window under the pointer):
#   Xvfb :72 -screen 0 1280x900x24 & DISPLAY=:72 bash bench/compare-geany-oneline.sh [programs]
set -e
programs=("${@:-build/quiltmarker}")
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'kill $pid 2> /dev/null || true; rm -rf "$work"' EXIT
section='<p>Some text with a <a href="page.html">link</a>, &amp; an entity <!-- a note --> and <img src=x.gif width=10>.</p>'
perl -e 'my $s = shift; print "<html><body>"; print $s x int(6 * 1024 * 1024 / length $s);
         print "</body></html>"' "$section" > "$work/original.html"
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The processor ticks of the process over a second.
ticks_a_second() {
    local before
    before=$(cpu_ticks "$pid")
    sleep 1
    echo $(($(cpu_ticks "$pid") - before))
}

# The processor seconds a keystroke costs, five keys a second apart, over what the process uses
# when left alone (measured for three seconds first), counted until it is back to that (ten
# seconds at most).
keystroke_cpu() {
    local idle start_ticks start_time elapsed
    sleep 2
    idle=$(( ($(ticks_a_second) + $(ticks_a_second) + $(ticks_a_second) + 2) / 3 ))
    start_ticks=$(cpu_ticks "$pid")
    start_time=$(date +%s.%N)
    for key in a b c d e; do
        xdotool key "$key"
        sleep 1
    done
    for second in $(seq 10); do
        [ "$(ticks_a_second)" -gt $((idle + 2)) ] || break
    done
    elapsed=$(echo "$(date +%s.%N) - $start_time" | bc)
    echo "scale=3; ($(cpu_ticks "$pid") - $start_ticks - $idle * $elapsed) / $hz / 5" | bc
}

# name, the title of the main window (a splash may come first), then the command that opens
# the page.
measure() {
    local name=$1 title=$2 start window saved
    shift 2
    for run in $(seq "$runs"); do
        cp "$work/original.html" "$work/page.html"
        start=$(date +%s.%N)
        "$@" "$work/page.html" > /dev/null 2>&1 &
        pid=$!
        until window=$(xdotool search --onlyvisible --pid "$pid" --name "$title" 2> /dev/null |
            tail -1) &&
            [ -n "$window" ]; do sleep 0.05; done
        xdotool windowmove "$window" 0 0 mousemove 400 300
        sleep 0.3
        xdotool key ctrl+End
        xdotool type --delay 50 zqxjk
        xdotool key ctrl+s
        until tail -c 64 "$work/page.html" | grep -q zqxjk; do sleep 0.05; done
        saved=$(echo "$(date +%s.%N) - $start" | bc)
        printf '%-24s run %d: saved after %5.2f s' "$name" "$run" "$saved"
        printf '; idle, it uses %s%% of a core' "$(( $(ticks_a_second) * 100 / hz ))"
        printf '; a keystroke costs %s s at the end' "$(keystroke_cpu)"
        xdotool key ctrl+Home
        printf ', %s s at the start\n' "$(keystroke_cpu)"
        kill "$pid"
        wait "$pid" 2> /dev/null || true
    done
}

quiltmarker() { # program, colouring (0 or 1), page
    local program=$1 home="$work/qm$2"
    shift
    rm -rf "$home" && mkdir -p "$home/tmp"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Olvane\\Quiltmarker]\r\n"Coloured Tags"=dword:%08d\r\n' \
        "$1" > "$home/registry.reg"
    QUILTMARKER_REGISTRY="$home/registry.reg" QUILTMARKER_HOME="$home" TMPDIR="$home/tmp" \
        exec "$program" "$2"
}
geany_alone() { rm -rf "$work/geany" && exec geany -c "$work/geany" -i "$1"; }

for program in "${programs[@]}"; do
    program=$(realpath "$program")
    echo "== $program"
    measure "colouring off" "^Quiltmarker" quiltmarker "$program" 0
    measure "colouring on" "^Quiltmarker" quiltmarker "$program" 1
done
measure "geany" "Geany" geany_alone
