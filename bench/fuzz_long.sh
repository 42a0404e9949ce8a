#!/usr/bin/env bash
# Longer fuzzing than CI's minute: builds the fuzzers as scripts/test does and runs both
# for the given time (default an hour), printing how many inputs each executed.
# Usage: bench/fuzz_long.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
fuzz_dir="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORBISK_BUILD_GUI=OFF -DORBISK_BUILD_TESTS=OFF -DORBISK_BUILD_FUZZERS=ON \
  "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all" \
  >/dev/null
cmake --build "$fuzz_dir" --parallel "$(nproc)" --target fuzz_header fuzz_names >/dev/null
bash "$root/tests/fuzz/run_fuzzers.sh" "$fuzz_dir" "${1:-3600}"
