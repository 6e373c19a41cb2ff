#!/bin/sh
# Times the publisher's whole clean-up and html-minifier-terser (npm; removeComments and
# collapseWhitespace) on the same 10 MB page, each from file to file, and prints the ratio. The
# minifier is installed with npm into a temporary folder; without npm and node the comparison is
# skipped. Run from the worktree after building the benchmark:
#   cmake -S . -B build-bench -G Ninja -DQM_BENCH=ON -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-bench --target bench_publish && sh bench/compare-minifier.sh
set -e
bench=${1:-build-bench/bench/bench_publish}
for tool in npm node; do
    if ! command -v "$tool" > /dev/null 2>&1; then
        echo "compare-minifier: $tool is not available, comparison skipped"
        exit 0
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
page=$work/page.html

echo "== the publisher (every clean-up step, wrapping at 80)"
QM_PUBLISH_PAGE=$page "$bench" --benchmark_filter='^TenMegabytePage(Text|Copy|Run)$' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2> /dev/null | tee "$work/bench.csv" | grep '_median' | cut -d, -f1,3,5
ours=$(grep '^"TenMegabytePageRun_median"' "$work/bench.csv" | cut -d, -f3)

echo "== html-minifier-terser on the same $(wc -c < "$page")-byte page"
if ! npm install --silent --no-audit --no-fund --prefix "$work" html-minifier-terser \
    > "$work/npm.log" 2>&1; then
    echo "compare-minifier: html-minifier-terser could not be installed, comparison skipped"
    exit 0
fi
cat > "$work/minify.mjs" <<'SCRIPT'
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
const require = createRequire(process.argv[2] + "/");
const { minify } = require("html-minifier-terser");
const times = [];
for (let run = 0; run < 3; ++run) {
    const start = process.hrtime.bigint();
    const page = readFileSync(process.argv[3], "latin1");
    const out = await minify(page, { removeComments: true, collapseWhitespace: true });
    writeFileSync(process.argv[4], out, "latin1");
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
}
times.sort((a, b) => a - b);
console.log(times[1].toFixed(1));
SCRIPT
theirs=$(node "$work/minify.mjs" "$work/node_modules" "$page" "$work/minified.html")
echo "median of 3 runs from file to file: $theirs ms"
echo "== ratio"
echo "$theirs $ours" | awk '{ printf "html-minifier-terser %.1f ms / publisher %.1f ms = %.1f times\n", $1, $2, $1 / $2 }'
