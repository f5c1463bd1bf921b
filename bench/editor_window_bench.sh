#!/usr/bin/env bash
# The editor window as a user meets it, measured from outside under Xvfb
# (llvmpipe): launch until a window titled with the map shows the drawn
# map, the peak memory of the process (VmHWM from /proc), then one scroll
# step and one mouse move over the map (bench/window_redraws.cpp).
#   bench/editor_window_bench.sh [BUILD_DIR]      (default build-bench)
# Needs xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
if [ "${XVFB_BENCH_INNER:-}" != 1 ]; then
  if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DQARTO_BENCH=ON >/dev/null
  else
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQARTO_BENCH=ON >/dev/null
  fi
  cmake --build "$build" -j2 --target qarto qarto_make_large_map qarto_window_bench >/dev/null
  exec env XVFB_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config"
map="$work/large.qrm"
"$build/bench/qarto_make_large_map" "$map"
echo "map: $(du -h "$map" | cut -f1) on disk, four layers of 1024x1024 cells"

now_ms() { date +%s%3N; }
for run in 1 2 3; do
  start=$(now_ms)
  "$build/src/app/qarto" "$map" &
  pid=$!
  # The window with the map's title...
  until xdotool search --name "Qarto v0.99 - $map" >/dev/null 2>&1; do sleep 0.005; done
  titled=$(now_ms)
  # ...and the map drawn in it (the view's middle is no longer background).
  until [ "$(import -window root -crop 40x40+700+420 -format '%[fx:maxima.r+maxima.g+maxima.b>0]' info: 2>/dev/null)" = 1 ]; do
    sleep 0.005
  done
  drawn=$(now_ms)
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  echo "run $run: titled after $((titled - start)) ms, drawn after $((drawn - start)) ms, peak memory $((peak / 1024)) MiB"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
"$build/bench/qarto_window_bench" "$map"
