#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release, baseline x86-64) and runs them: the bitmap
# copy against memcpy and SDL's software blits, then a table of the ratios.
#   scripts/bench.sh [--rounds=N] [other Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x scripts/deps.sh ]] && scripts/deps.sh bench

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZIBOLT_BENCH=ON \
  -DZIBOLT_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target zibolt_bench
build-bench/bench/zibolt_bench --benchmark_color=false "$@"
