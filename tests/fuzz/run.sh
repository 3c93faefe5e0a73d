#!/usr/bin/env bash
# Runs every libFuzzer target of BUILD for FUZZ_SECONDS each (default 45),
# starting from its seeds in tests/fuzz/seeds/NAME and the corpus it grew
# before. Fails on the first crash, leak or sanitizer report, keeping the
# input as BUILD/fuzz/crash-NAME-*; prints the executions each reached.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-45}
for seeds in tests/fuzz/seeds/*/; do
  name=$(basename "$seeds")
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  log="$build/fuzz/$name.log"
  # -close_fd_mask=1: the readers' messages to players (standard output)
  # would fill the log; libFuzzer's reports go to standard error.
  if ! "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=10 -close_fd_mask=1 \
       -artifact_prefix="$build/fuzz/crash-$name-" -print_final_stats=1 "$corpus" "$seeds" > "$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$name: FAILED (input kept as $build/fuzz/crash-$name-*)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz_$name: $runs executions in $seconds s, corpus $(ls "$corpus" | wc -l) inputs"
done
