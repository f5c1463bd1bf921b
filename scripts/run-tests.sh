#!/usr/bin/env bash
# Builds and runs the whole test suite: the normal build and its tests, then
# one build under AddressSanitizer and UndefinedBehaviorSanitizer (clang,
# scripts/run-fuzz.sh) that serves twice: the fuzz targets of every file
# reader, and the core and its tests again under the sanitizers. The core is
# compiled once for both.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

# Where the minutes go, printed at the end.
started=$SECONDS
phases=()
phase_done() {
  phases+=("$(printf '%5ds  %s' $((SECONDS - started)) "$1")")
  started=$SECONDS
}
trap 'printf "%s\n" "" "Time per phase:" "${phases[@]}"' EXIT

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
phase_done "normal build"
(cd build && ctest --output-on-failure -j"$jobs")
phase_done "normal tests"

# Every file reader under libFuzzer: replay the generated seed corpus, then a
# short search per target (scripts/run-fuzz.sh SECONDS runs them longer).
scripts/run-fuzz.sh 15
phase_done "sanitizer build of the fuzzers, seeding and fuzzing"

# The same sanitizer build, now with the tests of everything but Qt.
cmake --build build-fuzz -j"$jobs"
phase_done "sanitizer build of the tests"
(cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")
phase_done "sanitizer tests"
