#!/usr/bin/env bash
# Builds the editor and qarto-cli (with the module qarto-cli render opens),
# nothing else, and opens the editor on the example map. Where no display
# is available it says so and runs the command-line export and render of
# the example instead (into build/example-export/). scripts/run-tests.sh
# builds everything.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target qarto qarto-cli

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  exec ./build/src/app/qarto examples/demo.qrm
fi

echo "No display available: running the command-line export and render of examples/demo.qrm instead."
out="$PWD/build/example-export"
rm -rf "$out"
./build/src/cli/qarto-cli export examples/demo.qrm -o "$out"
if ./build/src/cli/qarto-cli render --help >/dev/null 2>&1; then
  ./build/src/cli/qarto-cli render examples/demo.qrm -o "$out/demo-map.png" --size 1280x720
fi
echo
echo "The C files and the picture of examples/demo.qrm are in $out:"
ls -l "$out"
