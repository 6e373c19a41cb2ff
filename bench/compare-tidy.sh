#!/bin/sh
# Times the tag checker and tidy ("tidy -e", Debian package tidy) on the same 12 MB page, with the
# peak memory of each. Run from the worktree after building build-bench:
#   cmake -S . -B build-bench -G Ninja -DQM_BENCH=ON -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-bench --target bench_tag_checker && sh bench/compare-tidy.sh
set -e
bench=${1:-build-bench/bench/bench_tag_checker}
page=$(mktemp --suffix=.html)
timing=$(mktemp)
trap 'rm -f "$page" "$timing"' EXIT
echo "== the tag checker"
QM_TAGCHECK_PAGE=$page /usr/bin/time -f "peak memory of the whole benchmark program: %M KB" \
    "$bench" --benchmark_filter=CheckTwelveMegabytes --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true
echo "== tidy -e on the same $(wc -c < "$page")-byte page"
for run in 1 2 3; do
    /usr/bin/time -o "$timing" -f "%e s, peak memory %M KB" tidy -e -q "$page" \
        > /dev/null 2>&1 || true
    cat "$timing"
done
