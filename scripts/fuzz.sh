#!/usr/bin/env bash
# Runs each fuzz harness longer than the test suite does (5 s): ./scripts/fuzz.sh [SECONDS]
# gives each SECONDS (default 600). Inputs found worth keeping stay in build/fuzz/corpus_long_*,
# and an input that fails is written as build/fuzz/crash_<harness>_*.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure_packages.sh
ensure_packages cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev fonts-liberation clang libclang-rt-dev libeigen3-dev libtomlplusplus-dev
seconds=${1:-600}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target velmar_fuzz
for harness in number_text table_reader polynomial_roots project_reader; do
  corpus=build/fuzz/corpus_long_$harness
  mkdir -p "$corpus"
  echo "Fuzzing $harness for $seconds s" >&2
  build/fuzz/fuzz_$harness -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/crash_${harness}_" "$corpus" "tests/fuzz/seeds/$harness"
done
