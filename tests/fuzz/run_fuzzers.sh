#!/usr/bin/env bash
# Runs each fuzzer for a bounded time from the checked-in seed corpus, all at once, and
# reports how many inputs each executed. Any property failure or sanitizer report fails.
# Usage: run_fuzzers.sh FUZZ_BUILD_DIR SECONDS
set -euo pipefail
build="$(cd "$1" && pwd)"
seconds="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

targets=(header names text group tokens)
pids=()
for target in "${targets[@]}"; do
  mkdir -p "$work/$target/corpus" "$work/$target/crashes"
  cp "$here/corpus/$target/"* "$work/$target/corpus/"
  ( cd "$work/$target/crashes" &&
    "$build/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -timeout=10 -rss_limit_mb=2048 "$work/$target/corpus" >"$work/$target/log" 2>&1 ) &
  pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
  target="${targets[$i]}"
  if wait "${pids[$i]}"; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target/log")
    echo "fuzz_$target: $runs inputs in ${seconds}s, no failure"
  else
    status=1
    echo "fuzz_$target FAILED:" >&2
    tail -n 40 "$work/$target/log" >&2
    ls "$work/$target/crashes" >&2
  fi
done
exit "$status"
