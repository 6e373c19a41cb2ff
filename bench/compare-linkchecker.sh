#!/bin/sh
# Times the site analyser and linkchecker (Debian package linkchecker) on the same generated site
# of 2,000 pages and 20,000 links. Skips itself when linkchecker is missing. Run from the worktree
# after building the benchmark:
#   cmake --build build --target bench_site_analyser && sh bench/compare-linkchecker.sh
set -e
bench=${1:-build/bench/bench_site_analyser}
if ! command -v linkchecker > /dev/null 2>&1; then
    echo "linkchecker is not installed: comparison skipped"
    exit 0
fi
site=$(mktemp -d)
# linkchecker run as root reads as the user "nobody".
chmod 755 "$site"
timing=$(mktemp)
trap 'rm -rf "$site" "$timing"' EXIT
echo "== the site analyser (both passes over every page, then following from page0.htm)"
QM_ANALYSER_SITE=$site "$bench" --benchmark_filter=AnalyseAndFollowSite \
    --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
echo "== linkchecker on the same folder, from page0.htm"
for run in 1 2 3; do
    /usr/bin/time -o "$timing" -f "%e s" linkchecker --no-status --no-warnings \
        "file://$site/page0.htm" > /dev/null 2>&1 || true
    cat "$timing"
done
