#!/usr/bin/env bash
# The editor window benchmark's large map opened in Tiled (Debian package
# `tiled`), measured the way bench/editor_window_bench.sh measures Qarto:
#  - start-up: launch until the window titled with the map shows the drawn
#    map, and the peak memory (bench/window_watch.cpp), median of RUNS:
#    "first open" with a fresh home (Tiled fits the whole map in its view),
#    and "at 100 %" with a session that opens the map at 100 %;
#  - a wheel step at 100 % from the XTest input to the picture moved on the
#    screen (bench/window_input_watch.cpp --wheel).
# The map goes to Tiled as TMX with CSV layers and the page as a BMP
# (bench/write_tmx.cpp): the same cells and flips, not the palette rows.
#   bench/tiled_side_by_side.sh [BUILD_DIR [RUNS]]    (default build-bench, 7)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
runs="${2:-7}"
tiled="$(command -v tiled || true)"
if [ -z "$tiled" ]; then
  echo "tiled is not installed (apt-get install tiled)"
  exit 77
fi
if [ "${XVFB_BENCH_INNER:-}" != 1 ]; then
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQARTO_BENCH=ON >/dev/null
  fi
  cmake --build "$build" -j2 --target qarto_make_large_map qarto_write_tmx qarto_window_watch \
    qarto_window_input_watch >/dev/null
  exec env XVFB_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1250x730x24" "$0" "$build" "$runs"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/qarto_make_large_map" "$work/large.qrm"
"$build/bench/qarto_write_tmx" "$work/large.qrm" "$work/large.tmx"
median_of() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
# A fresh home; with "100", a session that opens the map at 100 %.
home() {
  local home="$work/home-$1"
  rm -rf "$home"
  mkdir -p "$home/.local/share/tiled"
  chmod 700 "$home"
  if [ "$2" = 100 ]; then
    cat >"$home/.local/share/tiled/default.tiled-session" <<EOF
{"activeFile": "$work/large.tmx", "expandedProjectPaths": [], "project": "",
 "fileStates": {"$work/large.tmx": {"scale": 1, "selectedLayer": 3, "viewCenter": {"x": 4096, "y": 2048}}},
 "openFiles": ["$work/large.tmx"], "recentFiles": ["$work/large.tmx"]}
EOF
  fi
  echo "$home"
}
in_home() {
  local home="$1"
  shift
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home" "$@" 2>/dev/null
}

# The map view of the default layout at 1250x730 spans about x 545..950, y 93..680.
for kind in "first open:fit" "at 100 %:100"; do
  name="${kind%%:*}"
  : >"$work/start.txt"
  for run in $(seq "$runs"); do
    h="$(home "$run" "${kind##*:}")"
    in_home "$h" "$build/bench/qarto_window_watch" "large.tmx" 700 350 64 64 -- "$tiled" "$work/large.tmx" |
      tee -a "$work/start.txt" | sed "s/^/Tiled $name $run: /"
  done
  drawn=$(sed -E 's/.*drawn ([0-9]+) ms.*/\1/' "$work/start.txt" | median_of)
  peak=$(sed -E 's/.*, ([0-9.]+) MiB one second later/\1/' "$work/start.txt" | median_of)
  echo "Tiled $name, median of $runs: drawn after $drawn ms, peak memory $peak MiB"
done
in_home "$(home wheel 100)" "$build/bench/qarto_window_input_watch" --wheel 560 110 380 560 -- "$tiled" \
  "$work/large.tmx" | sed "s/^/Tiled /"
