#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release, baseline x86-64) and runs them: the bitmap
# copy against memcpy and SDL's software blits, the present path (colour table into 32-bit
# pixels) against SDL's INDEX8 to ARGB8888 blit and conversion, the preview's 4:1 reduction,
# then a table of the ratios.
#   scripts/bench.sh [--rounds=N] [other Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x scripts/deps.sh ]] && scripts/deps.sh bench

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZIBOLT_BENCH=ON \
  -DZIBOLT_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target zibolt_bench
build-bench/bench/zibolt_bench --benchmark_color=false "$@"
