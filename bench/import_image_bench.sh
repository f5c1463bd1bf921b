#!/usr/bin/env bash
# The whole qarto-cli import-image process on a 1024x1024 picture of 1000
# unique tiles in 12 banks (bench/picture_bench.cpp writes it): the median
# and fastest wall time and the median CPU time (user + system) of RUNS runs,
# each writing a new map and its page. On a busy machine the CPU time and
# the fastest run say more than the median wall time.
#   bench/import_image_bench.sh [BUILD_DIR [RUNS]]    (default build, 11)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-11}"
cmake --build "$build" -j2 --target qarto-cli qarto_picture_bench >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/qarto_picture_bench" --write-picture "$work/large.bmp"
for run in $(seq "$runs"); do
  /usr/bin/time -f "%e %U %S" -o "$work/time$run.txt" \
    "$build/src/cli/qarto-cli" import-image "$work/large.bmp" -o "$work/map$run.qrm" >"$work/out.txt"
done
cat "$work/out.txt"
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%d", v[int((NR + 1) / 2)] }'; }
wall=$(cat "$work"/time*.txt | awk '{ print $1 * 1000 }' | median)
fastest=$(cat "$work"/time*.txt | awk '{ print $1 * 1000 }' | sort -n | head -1)
cpu=$(cat "$work"/time*.txt | awk '{ print ($2 + $3) * 1000 }' | median)
echo "import-image wall median ${wall} ms, fastest ${fastest} ms; CPU median ${cpu} ms; $runs runs"
