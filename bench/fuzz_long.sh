#!/usr/bin/env bash
# Longer fuzzing than CI's minute: builds the fuzzers as scripts/test does and runs both
# for the given time (default an hour), printing how many inputs each executed.
# Usage: bench/fuzz_long.sh [SECONDS]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"
orbisk_prepare clang libclang-rt-14-dev "${ORBISK_BUILD_PACKAGES[@]}"
orbisk_build_fuzzers "$orbisk_root/build/fuzz"
bash "$orbisk_root/tests/fuzz/run_fuzzers.sh" "$orbisk_root/build/fuzz" "${1:-3600}"
