#!/usr/bin/env bash
# The editor window as a user meets it, measured from outside under Xvfb
# (llvmpipe) on the large map (four layers of 1024x1024 cells):
#  - start-up: launch until a window titled with the map shows the drawn
#    map, and the peak memory of the process (VmHWM from /proc), for a
#    first start (fresh home: no settings, no shader cache) and for later
#    ones; median of RUNS (bench/window_watch.cpp);
#  - redraws on a 1250x730 screen: a keypad scroll step at zoom 1 (checked
#    to move the picture) and a mouse move of the brush preview, from the
#    XTest input to the new picture on the screen
#    (bench/window_input_watch.cpp);
#  - the program's own share of those redraws, in the process: input to
#    frame out (the raster view's paint; with a GL in hardware the
#    QOpenGLWidget's swap and glFinish), without the X server
#    (bench/window_redraws.cpp).
# Under Xvfb the view is the raster one (llvmpipe); QARTO_VIEW_PRESENTATION=gl
# in the environment measures the QOpenGLWidget instead.
# bench/tiled_side_by_side.sh measures Tiled on the same map the same way.
#   bench/editor_window_bench.sh [BUILD_DIR [RUNS]]    (default build-bench, 7)
# Needs xvfb-run, and libX11 and libXtst headers for the watchers.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
runs="${2:-7}"
if [ "${XVFB_BENCH_INNER:-}" != 1 ]; then
  if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DQARTO_BENCH=ON >/dev/null
  else
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQARTO_BENCH=ON >/dev/null
  fi
  cmake --build "$build" -j2 --target qarto qarto_make_large_map qarto_window_bench qarto_window_watch \
    qarto_window_input_watch >/dev/null
  XVFB_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build" "$runs" startup
  exec env XVFB_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1250x730x24" "$0" "$build" "$runs" redraws
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
map="$work/large.qrm"
"$build/bench/qarto_make_large_map" "$map"
app="$PWD/$build/src/app/qarto"
# Each start gets its own home unless it is named.
in_home() {
  local home="$1"
  shift
  mkdir -p "$home"
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home" "$@"
}
median_of() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

if [ "$3" = startup ]; then
  echo "map: $(du -h "$map" | cut -f1) on disk, four layers of 1024x1024 cells"
  # The view's middle at 1280x800: the map is drawn there.
  watch() { in_home "$1" "$build/bench/qarto_window_watch" "Qarto v0.99 - $map" 668 388 64 64 -- "$app" "$map"; }
  mkdir -p "$work/warm"
  HOME="$work/warm" XDG_CONFIG_HOME="$work/warm/config" XDG_RUNTIME_DIR="$work/warm" "$app" "$map" 2>/dev/null &
  pid=$!
  sleep 3
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  for kind in first later; do
    : >"$work/$kind.txt"
    for run in $(seq "$runs"); do
      home="$work/warm"
      [ "$kind" = first ] && home="$work/first-$run"
      watch "$home" 2>/dev/null | tee -a "$work/$kind.txt" | sed "s/^/$kind start $run: /"
    done
    drawn=$(sed -E 's/.*drawn ([0-9]+) ms.*/\1/' "$work/$kind.txt" | median_of)
    peak=$(sed -E 's/.*, ([0-9.]+) MiB one second later/\1/' "$work/$kind.txt" | median_of)
    echo "$kind start, median of $runs: drawn after $drawn ms, peak memory $peak MiB"
  done
else
  # The view at 1250x730 spans about x 226..1250, y 66..708; a tile of the
  # page lies at (246, 111) when the view shows the page.
  in_home "$work/redraws" "$build/bench/qarto_window_input_watch" 240 80 1000 620 246 111 -- "$app" "$map" 2>/dev/null
  in_home "$work/in-process" "$build/bench/qarto_window_bench" "$map" 2>/dev/null
fi
