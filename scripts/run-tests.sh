#!/usr/bin/env bash
# Builds and runs the whole test suite: the normal build and its tests, the
# fuzz targets of every file reader, then the core and its tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# Every file reader under libFuzzer: replay the generated seed corpus, then a
# short search per target (scripts/run-fuzz.sh SECONDS runs them longer).
scripts/run-fuzz.sh 15

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQARTO_SANITIZE=ON -DQARTO_WITH_QT=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")
