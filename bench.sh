#!/usr/bin/env bash
# Builds in Release and runs the benchmarks; extra arguments go to Google Benchmark,
# e.g. ./bench.sh --benchmark_filter=FFT
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure_packages.sh
ensure_packages cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev fonts-liberation libeigen3-dev libtomlplusplus-dev
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target velmar_bench
exec build/bench/velmar_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
