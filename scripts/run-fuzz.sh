#!/usr/bin/env bash
# Builds every fuzzer under fuzz/ with clang, libFuzzer and the sanitizers,
# seeds each corpus, replays it, then fuzzes each target for a while.
#   scripts/run-fuzz.sh [seconds-per-target]     (default 20)
# Needs clang and libclang-rt-14-dev (scripts/install-deps.sh installs them).
# Exits non-zero when any target crashes, leaks, times out or runs out of memory.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
build=build-fuzz

if ! command -v clang >/dev/null || ! command -v clang++ >/dev/null; then
  echo "clang is missing: run scripts/install-deps.sh first" >&2
  exit 1
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQARTO_FUZZ=ON -DQARTO_WITH_QT=OFF -DQARTO_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target qarto_fuzzers

mkdir -p "$build/logs" "$build/artifacts"

# One target: seed, replay, search; its summary line goes to logs/NAME.summary.
fuzz_one() {
  local name="$1"
  local fuzzer="$build/fuzz/${name}_fuzzer"
  local seeds="$build/fuzz/${name}_seeds"
  local corpus="$build/corpus/$name"
  local log="$build/logs/$name.log"
  local status=ok
  mkdir -p "$corpus"
  if [ -x "$seeds" ]; then
    "$seeds" "$corpus"
  fi
  # Replay what the corpus already holds, then search for new inputs.
  if ! "$fuzzer" -runs=0 -rss_limit_mb=2048 -timeout=10 "$corpus" >"$log.replay" 2>&1; then
    status="CRASH on replay (see $log.replay)"
  elif ! "$fuzzer" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" >"$log" 2>&1; then
    status="CRASH (see $log and $build/artifacts/)"
  fi
  local executions files
  executions="$(grep -h 'stat::number_of_executed_units' "$log" 2>/dev/null | tail -1 | awk '{print $2}')"
  files="$(find "$corpus" -type f | wc -l)"
  echo "$name: ${executions:-0} executions in ${seconds}s, corpus $files files, $status" >"$build/logs/$name.summary"
}

# Each target is one process: as many run at once as there are cores.
names=()
for source in fuzz/*_fuzzer.cpp; do
  name="$(basename "$source" _fuzzer.cpp)"
  names+=("$name")
  rm -f "$build/logs/$name.summary"
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
    wait -n || true
  done
  fuzz_one "$name" &
done
wait

echo
failed=0
for name in "${names[@]}"; do
  line="$(cat "$build/logs/$name.summary" 2>/dev/null || echo "$name: no summary")"
  echo "$line"
  [[ "$line" == *", ok" ]] || failed=1
done
exit "$failed"
