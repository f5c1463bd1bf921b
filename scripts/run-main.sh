#!/usr/bin/env bash
# Builds everything and runs the main job: the command-line export of the
# example map into build/example-export/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
out="$PWD/build/example-export"
rm -rf "$out"
./build/src/cli/qarto-cli export examples/demo.qrm -o "$out"
echo
echo "The C files of examples/demo.qrm are in $out:"
ls -l "$out"
